// Host helpers of the build tools: whole-file reading and writing one level-9 zlib stream.
#pragma once

#include <string>
#include <vector>

bool ReadWholeFile(const std::string& path, std::vector<unsigned char>* data);
bool WriteWholeFile(const std::string& path, const std::vector<unsigned char>& data);

// Deflates `data` at level 9 (a stream starting 0x78 0xDA) into the file `path`.
bool WriteZlibFile(const std::string& path, const std::vector<unsigned char>& data);
