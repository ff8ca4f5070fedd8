// Host helpers of the build tools: whole-file reading and writing one zlib stream.
#include "tools/zlib_file.h"

#include <libdeflate.h>
#include <zlib.h>

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

namespace {

bool DeflateWithLibdeflate(const std::vector<unsigned char>& data,
                           std::vector<unsigned char>* packed) {
  constexpr int kHighestLevel = 12;
  libdeflate_compressor* compressor = libdeflate_alloc_compressor(kHighestLevel);
  if (compressor == nullptr) return false;
  packed->resize(libdeflate_zlib_compress_bound(compressor, data.size()));
  const size_t size = libdeflate_zlib_compress(compressor, data.data(), data.size(),
                                               packed->data(), packed->size());
  libdeflate_free_compressor(compressor);
  packed->resize(size);
  return size != 0;
}

bool DeflateWithZlib(const std::vector<unsigned char>& data, std::vector<unsigned char>* packed) {
  uLongf size = compressBound(data.size());
  packed->resize(size);
  if (compress2(packed->data(), &size, data.data(), data.size(), Z_BEST_COMPRESSION) != Z_OK)
    return false;
  packed->resize(size);
  return true;
}

}  // namespace

bool WriteZlibFile(const std::string& path, const std::vector<unsigned char>& data,
                   Deflater deflater) {
  std::vector<unsigned char> packed;
  const bool deflated = deflater == Deflater::kZlib9 ? DeflateWithZlib(data, &packed)
                                                     : DeflateWithLibdeflate(data, &packed);
  return deflated && WriteWholeFile(path, packed);
}
