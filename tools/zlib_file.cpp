// Host helpers of the build tools: whole-file reading and writing one zlib stream.
#include "tools/zlib_file.h"

#include <libdeflate.h>

#include <cstdio>

bool ReadWholeFile(const std::string& path, std::vector<unsigned char>* data) {
  FILE* f = fopen(path.c_str(), "rb");
  if (f == nullptr) return false;
  data->clear();
  unsigned char chunk[65536];
  size_t n;
  while ((n = fread(chunk, 1, sizeof chunk, f)) > 0) data->insert(data->end(), chunk, chunk + n);
  bool ok = !ferror(f);
  fclose(f);
  return ok;
}

bool WriteWholeFile(const std::string& path, const std::vector<unsigned char>& data) {
  FILE* f = fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  bool ok = data.empty() || fwrite(data.data(), 1, data.size(), f) == data.size();
  return fclose(f) == 0 && ok;
}

bool WriteZlibFile(const std::string& path, const std::vector<unsigned char>& data) {
  constexpr int kHighestLevel = 12;
  libdeflate_compressor* compressor = libdeflate_alloc_compressor(kHighestLevel);
  if (compressor == nullptr) return false;
  std::vector<unsigned char> packed(libdeflate_zlib_compress_bound(compressor, data.size()));
  const size_t size =
      libdeflate_zlib_compress(compressor, data.data(), data.size(), packed.data(), packed.size());
  libdeflate_free_compressor(compressor);
  if (size == 0) return false;
  packed.resize(size);
  return WriteWholeFile(path, packed);
}
