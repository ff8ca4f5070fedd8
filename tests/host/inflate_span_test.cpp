// Inflation of a zlib stream into a bounded buffer, and bounded path formatting.
#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "common/bounded_path.h"
#include "common/inflate_span.h"

namespace {

std::vector<unsigned char> Deflate(const std::string& text) {
  uLongf size = compressBound(text.size());
  std::vector<unsigned char> out(size);
  EXPECT_EQ(
      compress2(out.data(), &size, reinterpret_cast<const Bytef*>(text.data()), text.size(), 9),
      Z_OK);
  out.resize(size);
  return out;
}

TEST(InflateSpan, InflatesIntoTheBufferAndReportsTheLength) {
  std::string text(1000, 'x');
  auto stream = Deflate(text);
  std::vector<char> buffer(1000);
  uint32_t length = 0;
  ASSERT_TRUE(InflateSpan(stream.data(), stream.size(), buffer.data(), buffer.size(), &length));
  EXPECT_EQ(length, 1000u);
  EXPECT_EQ(std::string(buffer.data(), length), text);
}

TEST(InflateSpan, RefusesOutputLongerThanTheCapacityWithoutWritingPastIt) {
  auto stream = Deflate(std::string(1001, 'y'));
  std::vector<char> buffer(1000 + 16, '#');
  uint32_t length = 0;
  EXPECT_FALSE(InflateSpan(stream.data(), stream.size(), buffer.data(), 1000, &length));
  for (size_t i = 1000; i < buffer.size(); ++i) EXPECT_EQ(buffer[i], '#');
}

TEST(InflateSpan, RefusesDamagedTruncatedAndMissingStreams) {
  auto stream = Deflate("some text that compresses");
  std::vector<char> buffer(100);
  uint32_t length = 0;
  auto damaged = stream;
  damaged[damaged.size() - 1] ^= 0xFF;  // Adler-32 trailer no longer matches
  EXPECT_FALSE(InflateSpan(damaged.data(), damaged.size(), buffer.data(), 100, &length));
  EXPECT_FALSE(InflateSpan(stream.data(), stream.size() - 3, buffer.data(), 100, &length));
  EXPECT_FALSE(InflateSpan(nullptr, 0, buffer.data(), 100, &length));
  EXPECT_FALSE(InflateSpan(stream.data(), 0, buffer.data(), 100, &length));

  // Every stream cut short or with any one bit flipped is refused, or inflates within the
  // capacity (a flip in a byte the format ignores); the sanitizers see every write.
  std::string text;
  for (int i = 0; i < 300; ++i) text += "line " + std::to_string(i * 7919 % 1000) + "\r\n";
  auto sample = Deflate(text);
  std::vector<char> small(text.size());
  for (size_t cut = 1; cut < sample.size(); ++cut)
    EXPECT_FALSE(InflateSpan(sample.data(), cut, small.data(), small.size(), &length)) << cut;
  for (size_t bit = 0; bit < sample.size() * 8; ++bit) {
    auto flipped = sample;
    flipped[bit / 8] ^= static_cast<unsigned char>(1u << bit % 8);
    if (InflateSpan(flipped.data(), flipped.size(), small.data(), small.size(), &length)) {
      EXPECT_LE(length, small.size()) << bit;
    }
  }
}

TEST(InflateSpan, AcceptsAnEmptyFileAndRefusesAnyOutputIntoNoCapacity) {
  auto empty = Deflate("");
  char buffer[4];
  uint32_t length = 99;
  ASSERT_TRUE(InflateSpan(empty.data(), empty.size(), buffer, sizeof buffer, &length));
  EXPECT_EQ(length, 0u);
  length = 99;
  ASSERT_TRUE(InflateSpan(empty.data(), empty.size(), buffer, 0, &length));
  EXPECT_EQ(length, 0u);
  // The one byte "A": zlib's uncompress inflates it into a byte of its own for a zero capacity.
  const unsigned char oneByte[] = {0x78, 0xDA, 0x73, 0x04, 0x00, 0x00, 0x42, 0x00, 0x42};
  EXPECT_FALSE(InflateSpan(oneByte, sizeof oneByte, buffer, 0, &length));
  auto twoBytes = Deflate("AB");
  EXPECT_FALSE(InflateSpan(twoBytes.data(), twoBytes.size(), buffer, 1, &length));
  // No stream or no buffer (a resource that is not there, an allocation that failed) is refused
  // before anything is read or written.
  EXPECT_FALSE(InflateSpan(nullptr, 10, buffer, sizeof buffer, &length));
  EXPECT_FALSE(InflateSpan(twoBytes.data(), twoBytes.size(), nullptr, 100, &length));
}

TEST(FormatBounded, FormatsWhatFitsAndRefusesWhatDoesNot) {
  char path[kPathCapacity];
  ASSERT_TRUE(FormatBounded(path, sizeof path, "%s\\%s", "C:\\K7_Quorvane", "K7.exe"));
  EXPECT_STREQ(path, "C:\\K7_Quorvane\\K7.exe");

  std::string dir = "C:\\" + std::string(250, 'd');                               // 253 bytes
  EXPECT_TRUE(FormatBounded(path, sizeof path, "%s\\%s", dir.c_str(), "abcde"));  // 259 bytes
  EXPECT_EQ(strlen(path), 259u);
  EXPECT_FALSE(FormatBounded(path, sizeof path, "%s\\%s", dir.c_str(), "abcdef"));  // 260 bytes
  EXPECT_STREQ(path, "");

  // Every conversion the Installer's texts use; anything else is refused, never half-formatted.
  auto formatted = [&path](bool ok) {
    return ok ? std::string(path) : "(refused: " + std::string(path) + ")";
  };
  EXPECT_EQ(formatted(FormatBounded(path, sizeof path, "%c:\\%s", 'D', "K7_Quorvane")),
            "D:\\K7_Quorvane");
  EXPECT_EQ(formatted(FormatBounded(path, sizeof path, "%.*s\\%s", 2, "C:\\a", "~K7.tmp")),
            "C:\\~K7.tmp");
  EXPECT_EQ(formatted(FormatBounded(path, sizeof path, "[%.*s]", 0, "C:\\a")), "[]");
  EXPECT_EQ(formatted(FormatBounded(path, sizeof path, "%d%d|%d", 0, 1, -2147483647 - 1)),
            "01|-2147483648");
  EXPECT_EQ(formatted(FormatBounded(path, sizeof path, "%u.%u %s, 100%%", 4294967295u, 0u, "GB")),
            "4294967295.0 GB, 100%");
  EXPECT_EQ(formatted(FormatBounded(path, sizeof path, "%x", 1)), "(refused: )");
  EXPECT_EQ(formatted(FormatBounded(path, sizeof path, "%3d", 1)), "(refused: )");
  // A precision on anything but %s is refused; on %s no byte past it is read (the text below
  // has no terminating zero within reach, and AddressSanitizer watches).
  for (const char* format : {"%.*d", "%.*u", "%.*c", "%.*%"})
    EXPECT_EQ(formatted(FormatBounded(path, sizeof path, format, 2, 65)), "(refused: )") << format;
  const std::string unterminated = "C:\\K7";
  char* exact = new char[unterminated.size()];
  memcpy(exact, unterminated.data(), unterminated.size());
  EXPECT_EQ(formatted(FormatBounded(path, sizeof path, "%.*s!", static_cast<int>(unterminated.size()),
                                    exact)),
            "C:\\K7!");
  delete[] exact;
  EXPECT_EQ(formatted(FormatBounded(path, sizeof path, "ends in %")), "(refused: )");
  char small[4];
  EXPECT_TRUE(FormatBounded(small, sizeof small, "%d", -12));
  EXPECT_STREQ(small, "-12");
  EXPECT_FALSE(FormatBounded(small, sizeof small, "%d", -123));
  EXPECT_STREQ(small, "");
  // An empty text fits one byte; no buffer, or none of it, is refused and not written.
  EXPECT_TRUE(FormatBounded(small, 1, ""));
  EXPECT_STREQ(small, "");
  small[0] = 'x';
  EXPECT_FALSE(FormatBounded(small, 0, ""));
  EXPECT_EQ(small[0], 'x');
  EXPECT_FALSE(FormatBounded(nullptr, sizeof small, "%d", 1));
}

}  // namespace
