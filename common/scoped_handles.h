// The guards that undo, at the end of a scope, what the Installer's code did: a file or search
// handle closed, a GDI object deleted or selected back out, a window's device context released,
// a module freed, COM uninitialised and its interfaces released. A guard cannot be copied, and it
// undoes only what it did: nothing for a handle that was never opened, a selection that failed,
// or COM that this call did not initialise.
#pragma once

#include <windows.h>

// What a kind of handle is: its type, the value of no handle, and how it is closed.
struct FileHandleKind {
  using Handle = HANDLE;
  static Handle None() { return INVALID_HANDLE_VALUE; }
  static BOOL Close(Handle handle) { return CloseHandle(handle); }
};
struct SearchHandleKind {
  using Handle = HANDLE;
  static Handle None() { return INVALID_HANDLE_VALUE; }
  static BOOL Close(Handle handle) { return FindClose(handle); }
};
struct GdiObjectKind {
  using Handle = HGDIOBJ;
  static Handle None() { return nullptr; }
  static BOOL Close(Handle handle) { return DeleteObject(handle); }
};
struct ModuleKind {
  using Handle = HMODULE;
  static Handle None() { return nullptr; }
  static BOOL Close(Handle handle) { return FreeLibrary(handle); }
};

// One handle of `Kind`, closed at the end of the scope unless it is none.
template <typename Kind>
class ScopedHandle {
 public:
  using Handle = typename Kind::Handle;
  explicit ScopedHandle(Handle handle) : handle_(handle) {}
  ~ScopedHandle() {
    if (valid()) Kind::Close(handle_);
  }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;

  bool valid() const { return handle_ != Kind::None(); }
  Handle get() const { return handle_; }
  // Closes it now: whether the close succeeded (a close can fail where a write's last bytes
  // cannot be flushed); true when there was nothing to close.
  bool Close() {
    if (!valid()) return true;
    const bool closed = Kind::Close(handle_) != FALSE;
    handle_ = Kind::None();
    return closed;
  }

 private:
  Handle handle_;
};

using FileHandle = ScopedHandle<FileHandleKind>;      // CreateFile's, closed by CloseHandle
using SearchHandle = ScopedHandle<SearchHandleKind>;  // FindFirstFile's, closed by FindClose
using GdiObject = ScopedHandle<GdiObjectKind>;        // a pen, brush or bitmap, deleted
using LoadedModule = ScopedHandle<ModuleKind>;        // LoadLibrary's, freed

// An object selected into a device context, and the one it held selected back at the end (none
// when the selection failed).
class GdiSelection {
 public:
  GdiSelection(HDC dc, HGDIOBJ object) : dc_(dc), earlier_(SelectObject(dc, object)) {}
  ~GdiSelection() {
    if (earlier_ != nullptr) SelectObject(dc_, earlier_);
  }
  GdiSelection(const GdiSelection&) = delete;
  GdiSelection& operator=(const GdiSelection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ earlier_;
};

// The device context of a window (the screen's for none), released at the end.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() { ReleaseDC(window_, dc_); }  // none to release: nothing happens
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// COM for the current thread, undone only when this call initialised it (S_OK or S_FALSE).
class ComInitialization {
 public:
  ComInitialization() : result_(CoInitialize(nullptr)) {}
  ~ComInitialization() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComInitialization(const ComInitialization&) = delete;
  ComInitialization& operator=(const ComInitialization&) = delete;
  bool ok() const { return SUCCEEDED(result_); }

 private:
  HRESULT result_;
};

// One COM interface, released at the end of the scope when one was obtained.
template <typename Interface>
class ComReference {
 public:
  ComReference() = default;
  ~ComReference() {
    if (pointer_ != nullptr) pointer_->Release();
  }
  ComReference(const ComReference&) = delete;
  ComReference& operator=(const ComReference&) = delete;
  Interface* operator->() const { return pointer_; }
  Interface* get() const { return pointer_; }
  void** out() { return reinterpret_cast<void**>(&pointer_); }

 private:
  Interface* pointer_ = nullptr;
};
