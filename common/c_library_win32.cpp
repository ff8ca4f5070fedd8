// The few C library routines that the Installer's code, libdeflate, zlib's CRC-32 and the compiler
// call, on kernel32 alone.
// The Installer links no C library: msvcrt.dll came after the first Windows 95 (which would
// refuse to load an .exe that imports it), and a static C library would add more than it uses.
// Built without the compiler's own versions of these routines (CMake gives this file
// -fno-builtin), so that no loop below is turned back into a call of itself.
#include <windows.h>

#include <cstddef>

extern "C" {

void* malloc(size_t size) { return HeapAlloc(GetProcessHeap(), 0, size != 0 ? size : 1); }

// The compiler turns a malloc followed by clearing the block into calloc.
void* calloc(size_t count, size_t size) {
  if (size != 0 && count > static_cast<size_t>(-1) / size) return nullptr;
  return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, count * size != 0 ? count * size : 1);
}

void free(void* block) {
  if (block != nullptr) HeapFree(GetProcessHeap(), 0, block);
}

void* memcpy(void* to, const void* from, size_t count) {
  auto* out = static_cast<unsigned char*>(to);
  auto* in = static_cast<const unsigned char*>(from);
  while (count-- > 0) *out++ = *in++;
  return to;
}

void* memmove(void* to, const void* from, size_t count) {
  auto* out = static_cast<unsigned char*>(to);
  auto* in = static_cast<const unsigned char*>(from);
  if (out <= in || out >= in + count) return memcpy(to, from, count);
  while (count-- > 0) out[count] = in[count];
  return to;
}

void* memset(void* to, int value, size_t count) {
  auto* out = static_cast<unsigned char*>(to);
  while (count-- > 0) *out++ = static_cast<unsigned char>(value);
  return to;
}

int memcmp(const void* a, const void* b, size_t count) {
  auto* x = static_cast<const unsigned char*>(a);
  auto* y = static_cast<const unsigned char*>(b);
  for (; count > 0; --count, ++x, ++y)
    if (*x != *y) return *x < *y ? -1 : 1;
  return 0;
}

void* memchr(const void* block, int value, size_t count) {
  auto* p = static_cast<const unsigned char*>(block);
  for (; count > 0; --count, ++p)
    if (*p == static_cast<unsigned char>(value)) return const_cast<unsigned char*>(p);
  return nullptr;
}

size_t strlen(const char* text) {
  size_t length = 0;
  while (text[length] != '\0') ++length;
  return length;
}

char* strchr(const char* text, int c) {
  for (;; ++text) {
    if (*text == static_cast<char>(c)) return const_cast<char*>(text);
    if (*text == '\0') return nullptr;
  }
}

int strncmp(const char* a, const char* b, size_t count) {
  for (; count > 0; --count, ++a, ++b) {
    const unsigned char x = static_cast<unsigned char>(*a), y = static_cast<unsigned char>(*b);
    if (x != y) return x < y ? -1 : 1;
    if (x == '\0') return 0;
  }
  return 0;
}

}  // extern "C"
