// Payload resources on Win32: the Installer's own "TEXT" resources, inflated by id.
#include <windows.h>

#include "common/inflate_span.h"
#include "common/payload_resource.h"

bool DecompressPayload(uint16_t resourceId, void* buffer, uint32_t capacity, uint32_t* length) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(resourceId), "TEXT");
  if (info == nullptr) return false;
  HGLOBAL handle = LoadResource(module, info);
  const void* data = handle != nullptr ? LockResource(handle) : nullptr;
  DWORD size = SizeofResource(module, info);
  return InflateSpan(data, size, buffer, capacity, length);
}
