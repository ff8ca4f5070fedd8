// The payload build: smallest-compression zlib streams that inflate to the sample files with zlib;
// refusal of bad folders.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fcntl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include <zlib.h>

#include "common/inflate_span.h"
#include "common/payload_record.h"
#include "install/install_manifest.h"
#include "tools/zlib_file.h"

namespace {

std::vector<unsigned char> Read(const std::string& path) {
  std::vector<unsigned char> data;
  EXPECT_TRUE(ReadWholeFile(path, &data)) << path;
  return data;
}

// Every stream is a zlib stream marked as the smallest compression (0x78 0xDA) that zlib's own
// uncompress inflates to its sample file, and the payload record holds its length, CRC-32 and
// inflated size; a record with one byte changed is refused.
TEST(PackedPayload, EveryStreamIsSmallestZlibInflatesToItsSampleFileAndIsRecorded) {
  auto recordBytes = Read(std::string(K7_PACKED_PAYLOAD_DIR) + "/payload_record.bin");
  PayloadRecord record;
  ASSERT_TRUE(ReadPayloadRecord(recordBytes.data(), recordBytes.size(), &record));
  EXPECT_EQ(record.rows, kPayloadResourceCount);
  uint64_t total = 0;
  for (uint32_t i = 0; i < record.rows; ++i) total += PayloadRecordRowAt(record, i).inflatedSize;
  EXPECT_EQ(record.inflatedTotal, total);
  for (size_t at : {size_t{2}, size_t{5}, recordBytes.size() / 2, recordBytes.size() - 1}) {
    auto damaged = recordBytes;
    damaged[at] ^= 0x10;
    EXPECT_FALSE(ReadPayloadRecord(damaged.data(), damaged.size(), &record)) << at;
  }
  EXPECT_FALSE(ReadPayloadRecord(recordBytes.data(), recordBytes.size() - 16, &record));
  ASSERT_TRUE(ReadPayloadRecord(recordBytes.data(), recordBytes.size(), &record));

  std::vector<unsigned char> buffer(kPayloadBufferCapacity);
  for (const ManifestRow& row : kInstallManifest) {
    auto stream =
        Read(std::string(K7_PACKED_PAYLOAD_DIR) + "/" + std::to_string(row.resourceId) + ".z");
    PayloadRecordRow recorded;
    ASSERT_TRUE(FindPayloadRecordRow(record, row.resourceId, &recorded)) << row.resourceId;
    EXPECT_EQ(recorded.streamLength, stream.size());
    EXPECT_EQ(recorded.streamCrc, crc32(0, stream.data(), stream.size()));
    ASSERT_GE(stream.size(), 2u);
    EXPECT_EQ(stream[0], 0x78);
    EXPECT_EQ(stream[1], 0xDA);
    uint32_t length = 0;
    ASSERT_TRUE(InflateSpan(stream.data(), stream.size(), buffer.data(), buffer.size(), &length));
    auto original = Read(std::string(K7_SAMPLE_PAYLOAD_DIR) + "/" + row.fileName);
    ASSERT_EQ(length, original.size()) << row.fileName;
    EXPECT_EQ(recorded.inflatedSize, length);
    EXPECT_TRUE(std::equal(original.begin(), original.end(), buffer.begin())) << row.fileName;
  }
}

// Fields at their widest, a total beyond 32 bits, and the row written last found like the first.
TEST(PayloadRecord, KeepsEveryFieldAndFindsEveryRow) {
  const PayloadRecordRow rows[] = {{0x0102, 0x03040506, 0x0708090A, 0xF0000000u},
                                   {0xFFFE, 1, 2, 0x20000000u},
                                   {315, 0, 0xFFFFFFFFu, 3}};
  std::vector<unsigned char> bytes(PayloadRecordSize(3), 0xAA);  // as a buffer not cleared
  WritePayloadRecord(rows, 3, bytes.data());
  PayloadRecord record;
  ASSERT_TRUE(ReadPayloadRecord(bytes.data(), bytes.size(), &record));
  EXPECT_EQ(record.rows, 3u);
  EXPECT_EQ(record.inflatedTotal, 0x110000003ull);
  for (const PayloadRecordRow& row : rows) {
    PayloadRecordRow found{};
    ASSERT_TRUE(FindPayloadRecordRow(record, row.resourceId, &found)) << row.resourceId;
    EXPECT_EQ(found.streamLength, row.streamLength) << row.resourceId;
    EXPECT_EQ(found.streamCrc, row.streamCrc) << row.resourceId;
    EXPECT_EQ(found.inflatedSize, row.inflatedSize) << row.resourceId;
  }
  PayloadRecordRow absent;
  EXPECT_FALSE(FindPayloadRecordRow(record, 0x0103, &absent));
  // A record one row longer or shorter than its count says is refused.
  bytes.resize(bytes.size() + kPayloadRecordRowSize);
  EXPECT_FALSE(ReadPayloadRecord(bytes.data(), bytes.size(), &record));
  EXPECT_FALSE(ReadPayloadRecord(bytes.data(), PayloadRecordSize(2), &record));
  // zlib's CRC-32, by its check value.
  EXPECT_EQ(PayloadCrc("123456789", 9), 0xCBF43926u);
  // Each row's two bytes after its id are zero.
  bytes.resize(PayloadRecordSize(3));
  for (size_t row = 0; row < 3; ++row) {
    const size_t at = kPayloadRecordHeader + kPayloadRecordRowSize * row;
    EXPECT_EQ(bytes[at + 2] | bytes[at + 3], 0) << row;
  }

  // A record of no rows is whole; no bytes, too few, or another mark, even with its CRC-32
  // made to match, are refused.
  std::vector<unsigned char> empty(PayloadRecordSize(0));
  WritePayloadRecord(nullptr, 0, empty.data());
  ASSERT_TRUE(ReadPayloadRecord(empty.data(), empty.size(), &record));
  EXPECT_EQ(record.rows, 0u);
  EXPECT_FALSE(ReadPayloadRecord(nullptr, empty.size(), &record));
  std::vector<unsigned char> cut(empty.begin(), empty.begin() + 3);
  EXPECT_FALSE(ReadPayloadRecord(cut.data(), cut.size(), &record));
  for (size_t at = 0; at < 4; ++at) {
    std::vector<unsigned char> marked = empty;
    marked[at] ^= 0x20;
    const uint32_t crc = PayloadCrc(marked.data(), marked.size() - 4);
    for (int i = 0; i < 4; ++i)
      marked[marked.size() - 4 + i] = static_cast<unsigned char>(crc >> 8 * i);
    EXPECT_FALSE(ReadPayloadRecord(marked.data(), marked.size(), &record)) << at;
  }
}

TEST(PackedPayload, ResourceScriptListsTheHundredAndElevenStreams) {
  auto script = Read(std::string(K7_PACKED_PAYLOAD_DIR) + "/payload.rc");
  std::string text(script.begin(), script.end());
  size_t lines = 0;
  for (size_t at = 0; (at = text.find(" TEXT \"", at)) != std::string::npos; ++at) ++lines;
  EXPECT_EQ(lines, kPayloadResourceCount);
  EXPECT_NE(text.find("110 TEXT \""), std::string::npos);
  EXPECT_NE(text.find("188 TEXT \""), std::string::npos);
}

TEST(SamplePayload, KeepsThePropertiesTheInstallerReads) {
  const std::string dir = K7_SAMPLE_PAYLOAD_DIR;
  EXPECT_EQ(Read(dir + "/pycizudic.idx").at(0), 0x80);
  auto ini = Read(dir + "/velmarui.ini");
  std::string iniText(ini.begin(), ini.end());
  const std::string tail = "[Config]\r\nUseBmpFont=0\r\n\r\n";
  ASSERT_GE(iniText.size(), tail.size());
  EXPECT_EQ(iniText.substr(iniText.size() - tail.size()), tail);
  EXPECT_EQ(iniText.find("ForceLanguage"), std::string::npos);
  for (const char* licence : {"/License_cn.txt", "/License_en.txt"}) {
    auto text = Read(dir + licence);
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] != '\n') continue;
      EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << licence << " at " << i;
    }
  }
  // The Chinese licence is GBK: it has lead bytes and no UTF-8 three-byte sequences.
  auto chinese = Read(dir + "/License_cn.txt");
  EXPECT_NE(std::find_if(chinese.begin(), chinese.end(), [](unsigned char c) { return c >= 0xB0; }),
            chinese.end());
  EXPECT_EQ(Read(dir + "/ChnBmp.bin").size(), 241664u);
}

// Runs the packer on a folder prepared by `prepare` and returns its exit status and messages.
struct PackRun {
  int status;
  std::string messages;
};

PackRun RunPacker(const std::string& folder) {
  std::string out = folder + "/out";
  std::string log = folder + "/log.txt";
  std::string command =
      std::string(K7_PACK_PAYLOAD_TOOL) + " " + folder + " " + out + " " + out + ".rc 2>" + log;
  int status = system(command.c_str());
  auto text = Read(log);
  return {status, std::string(text.begin(), text.end())};
}

std::string CopyOfSample(const char* name) {
  std::string folder = std::string(testing::TempDir()) + "/k7_pack_" + name;
  std::string command = "rm -rf " + folder + " && cp -r " + K7_SAMPLE_PAYLOAD_DIR + " " + folder;
  EXPECT_EQ(system(command.c_str()), 0);
  return folder;
}

TEST(PackPayload, StopsOnAMissingFileAndNamesIt) {
  std::string folder = CopyOfSample("missing");
  ASSERT_EQ(remove((folder + "/Keydrill.exe").c_str()), 0);
  PackRun run = RunPacker(folder);
  EXPECT_NE(run.status, 0);
  EXPECT_NE(run.messages.find("Keydrill.exe"), std::string::npos) << run.messages;
  struct stat st;
  EXPECT_NE(stat((folder + "/out.rc").c_str(), &st), 0) << "no resource script after a failure";
}

TEST(PackPayload, StopsOnAFileLargerThanTheInstallationBuffer) {
  std::string folder = CopyOfSample("large");
  ASSERT_EQ(truncate((folder + "/tips.txt").c_str(), kPayloadBufferCapacity + 1), 0);
  PackRun run = RunPacker(folder);
  EXPECT_NE(run.status, 0);
  EXPECT_NE(run.messages.find("tips.txt"), std::string::npos) << run.messages;
}

// When each of the packer's outputs was last written (nanoseconds), by file name.
std::map<std::string, long long> WrittenAt(const std::string& folder) {
  std::map<std::string, long long> written;
  std::vector<std::string> names = {"out.rc", "out/payload_record.bin"};
  for (const ManifestRow& row : kInstallManifest)
    names.push_back("out/" + std::to_string(row.resourceId) + ".z");
  for (uint16_t id : kUnlistedPayloadIds) names.push_back("out/" + std::to_string(id) + ".z");
  for (const std::string& name : names) {
    struct stat st;
    written[name] = stat((folder + "/" + name).c_str(), &st) == 0
                        ? st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec
                        : -1;
  }
  return written;
}

// The names whose time differs between two WrittenAt, joined by spaces.
std::string Rewritten(const std::map<std::string, long long>& before,
                      const std::map<std::string, long long>& after) {
  std::string names;
  for (const auto& [name, at] : after)
    if (before.at(name) != at) names += (names.empty() ? "" : " ") + name;
  return names;
}

std::string Inflated(const std::string& streamPath) {
  auto stream = Read(streamPath);
  std::vector<unsigned char> buffer(1 << 20);
  uint32_t length = 0;
  EXPECT_TRUE(InflateSpan(stream.data(), stream.size(), buffer.data(), buffer.size(), &length));
  return std::string(buffer.begin(), buffer.begin() + length);
}

// One folder packed again after each kind of change: the packer rewrites exactly the streams
// whose files changed, and the resource script with them, so that the build compiles the
// resources again exactly then.
TEST(PackPayload, RepacksExactlyWhatChanged) {
  std::string folder = CopyOfSample("changes");
  ASSERT_EQ(RunPacker(folder).status, 0);
  auto before = WrittenAt(folder);
  usleep(20000);  // so that a rewrite shows in the times
  ASSERT_EQ(RunPacker(folder).status, 0);
  auto after = WrittenAt(folder);
  EXPECT_EQ(Rewritten(before, after), "") << "nothing changed, nothing rewritten";

  // Other bytes of the same size, with the file's time put back.
  const std::string tips = folder + "/tips.txt";
  struct stat st;
  ASSERT_EQ(stat(tips.c_str(), &st), 0);
  std::string text = Inflated(folder + "/out/203.z");
  text[0] ^= 1;
  ASSERT_TRUE(WriteWholeFile(tips, std::vector<unsigned char>(text.begin(), text.end())));
  const struct timespec times[2] = {st.st_atim, st.st_mtim};
  ASSERT_EQ(utimensat(AT_FDCWD, tips.c_str(), times, 0), 0);
  before = after;
  usleep(20000);
  ASSERT_EQ(RunPacker(folder).status, 0);
  after = WrittenAt(folder);
  EXPECT_EQ(Rewritten(before, after), "out.rc out/203.z out/payload_record.bin");
  EXPECT_EQ(Inflated(folder + "/out/203.z"), text);

  // An unlisted resource's file added, then removed again.
  ASSERT_TRUE(WriteWholeFile(folder + "/unlisted_163.bin", {'u', 'n'}));
  ASSERT_EQ(RunPacker(folder).status, 0);
  EXPECT_EQ(Inflated(folder + "/out/163.z"), "un");
  ASSERT_EQ(remove((folder + "/unlisted_163.bin").c_str()), 0);
  ASSERT_EQ(RunPacker(folder).status, 0);
  EXPECT_EQ(Inflated(folder + "/out/163.z"), "");

  // A manifest file removed: the build stops, and no resource script is left to build from.
  ASSERT_EQ(remove(tips.c_str()), 0);
  PackRun run = RunPacker(folder);
  EXPECT_NE(run.status, 0);
  EXPECT_NE(run.messages.find("tips.txt"), std::string::npos) << run.messages;
  EXPECT_NE(stat((folder + "/out.rc").c_str(), &st), 0) << "no resource script after a failure";
}

TEST(PackPayload, AcceptsAFileOfExactlyTheBufferSize) {
  std::string folder = CopyOfSample("exact");
  ASSERT_EQ(truncate((folder + "/tips.txt").c_str(), kPayloadBufferCapacity), 0);
  EXPECT_EQ(RunPacker(folder).status, 0);
}

}  // namespace
