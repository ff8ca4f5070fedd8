// Payload resources on Win32: the Installer's own resources, and "TEXT" ones inflated by id.
#include <windows.h>

#include "common/inflate_span.h"
#include "common/payload_resource.h"

const void* OwnResourceBytes(const char* name, const char* type, uint32_t* size) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC info = FindResourceA(module, name, type);
  if (info == nullptr) return nullptr;
  HGLOBAL handle = LoadResource(module, info);
  *size = SizeofResource(module, info);
  return handle != nullptr ? LockResource(handle) : nullptr;
}

bool DecompressPayload(uint16_t resourceId, void* buffer, uint32_t capacity, uint32_t* length) {
  uint32_t size = 0;
  const void* data = OwnResourceBytes(MAKEINTRESOURCEA(resourceId), "TEXT", &size);
  return InflateSpan(data, size, buffer, capacity, length);
}
