// Host helpers of the build tools: whole-file reading and writing one zlib stream, deflated as
// small as libdeflate makes it.
#pragma once

#include <string>
#include <vector>

bool ReadWholeFile(const std::string& path, std::vector<unsigned char>* data);
bool WriteWholeFile(const std::string& path, const std::vector<unsigned char>& data);

// Deflates `data` with libdeflate at its highest level, 12, into the file `path`: one zlib
// stream (starting 0x78 0xDA, the mark of the slowest, smallest compression) that any zlib
// reader inflates.
bool WriteZlibFile(const std::string& path, const std::vector<unsigned char>& data);
