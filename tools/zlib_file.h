// Host helpers of the build tools: whole-file reading and writing one zlib stream, deflated as
// small as libdeflate makes it.
#pragma once

#include <string>
#include <vector>

bool ReadWholeFile(const std::string& path, std::vector<unsigned char>* data);
bool WriteWholeFile(const std::string& path, const std::vector<unsigned char>& data);

// Which deflater writes the streams: libdeflate at its highest level, 12 (the build's), or zlib
// at its highest, 9 (what the download-size benchmark compares it with).
enum class Deflater { kLibdeflate12, kZlib9 };

// Deflates `data` into the file `path`: one zlib stream (starting 0x78 0xDA, the mark of the
// slowest, smallest compression) that any zlib reader inflates.
bool WriteZlibFile(const std::string& path, const std::vector<unsigned char>& data,
                   Deflater deflater = Deflater::kLibdeflate12);
