// Host tool: writes the deterministic sample payload, one file under every manifest name.
//
// Usage: make_sample_payload [--full-size | --real-content SOURCE_LIST] OUT_DIR [GLYPH_SHEETS]
// The sample stands in for the product's files so that the Installer can be built, run and
// tested without them. It keeps the properties that the Installer reads: GBK and English
// licence texts with CR LF line ends, a "velmarui.ini" ending in its [Config] section, a
// "pycizudic.idx" whose first byte is 0x80 and, when GLYPH_SHEETS is given, "ChnBmp.bin" holding
// the glyph sheets (otherwise a blank sheet set of the right size).
// By default the files are small. With --full-size every other file has about the size of the
// product's file of its kind (about 83 MB in all, "pycizudic.idx" exactly 38,013,217 bytes) and
// content that deflates as such files do, about 2:1 overall: the payload of
// bench/install_speed.sh when no packages are at hand.
// With --real-content the same files at the same sizes are cut from files that Debian packages
// install (SOURCE_LIST names them, one "KIND PATH" a line; bench/payload_sources.sh writes it):
// what real programs, word lists, bitmaps and pages deflate to.
#include <strings.h>
#include <sys/stat.h>

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "install/install_manifest.h"
#include "tools/zlib_file.h"

namespace {

using Bytes = std::vector<unsigned char>;

constexpr size_t kGlyphSheetBytes = 241664;

void Append(Bytes* out, const char* text) { out->insert(out->end(), text, text + strlen(text)); }

// Joins lines with CR LF after each.
Bytes CrLfLines(const char* const* lines, size_t count) {
  Bytes out;
  for (size_t i = 0; i < count; ++i) {
    Append(&out, lines[i]);
    Append(&out, "\r\n");
  }
  return out;
}

Bytes ChineseLicence() {
  static const char* const kLines[] = {
      "《Quorvane 文本编辑》软件使用许可协议",
      "",
      "一、本软件为示例安装包中的样品文件，仅供测试安装程序之用。",
      "二、您可以在任意数量的计算机上安装和使用本软件。",
      "三、本软件按“现状”提供，不附带任何明示或暗示的担保。",
      "四、在任何情况下，作者均不对因使用本软件而造成的损失负责。",
      "五、安装本软件即表示您同意本协议的全部条款。",
      "",
      "如不同意，请按“取消”退出安装。",
  };
  return CrLfLines(kLines, sizeof kLines / sizeof kLines[0]);
}

Bytes EnglishLicence() {
  static const char* const kLines[] = {
      "Quorvane Text Editor - Licence Agreement",
      "",
      "1. This file belongs to the sample payload and only serves to test the Installer.",
      "2. You may install and use the software on any number of computers.",
      "3. The software is provided \"as is\", without warranty of any kind.",
      "4. In no event shall the authors be liable for any damage arising from its use.",
      "5. By installing the software you accept all terms of this agreement.",
      "",
      "If you do not agree, press Cancel to leave the installation.",
  };
  return CrLfLines(kLines, sizeof kLines / sizeof kLines[0]);
}

Bytes UiConfig(bool english) {
  static const char* const kChinese[] = {
      "[UI_STR]",     "File=文件", "Edit=编辑",    "Help=帮助",
      "Input=输入法", "[Config]",  "UseBmpFont=0", "",
  };
  static const char* const kEnglish[] = {
      "[UI_STR]",           "File=File", "Edit=Edit",    "Help=Help",
      "Input=Input method", "[Config]",  "UseBmpFont=0", "",
  };
  return english ? CrLfLines(kEnglish, 8) : CrLfLines(kChinese, 8);
}

// Placeholder content: a line naming the file and its id, repeated to a size that varies with
// the id so that files differ in length.
Bytes Placeholder(const ManifestRow& row) {
  char line[160];
  snprintf(line, sizeof line, "Quorvane sample payload %u: %s\r\n", row.resourceId, row.fileName);
  Bytes out;
  for (unsigned i = 0; i < 1u + row.resourceId % 7u; ++i) Append(&out, line);
  return out;
}

// The files whose content the Installer reads: the licences, the configuration files and the
// glyph sheets. False for every other file.
bool ReadByTheInstaller(const std::string& name, const Bytes& glyphSheets, Bytes* out) {
  if (name == "License_cn.txt") {
    *out = ChineseLicence();
  } else if (name == "License_en.txt") {
    *out = EnglishLicence();
  } else if (name == "velmarui.ini") {
    *out = UiConfig(false);
  } else if (name == "velmarui_en.ini") {
    *out = UiConfig(true);
  } else if (name == "ChnBmp.bin") {
    *out = glyphSheets;
  } else {
    return false;
  }
  return true;
}

// A small sample file; "pycizudic.idx" starts with 0x80.
Bytes SampleFile(const ManifestRow& row) {
  Bytes out;
  if (strcmp(row.fileName, "pycizudic.idx") == 0) out.push_back(0x80);
  Bytes text = Placeholder(row);
  out.insert(out.end(), text.begin(), text.end());
  return out;
}

// The full-size payload. Each generator below appends to `out` until it holds at least `size`
// bytes; FullSizeFile cuts the file to its size.

// A fixed-seed generator (SplitMix64): the same files on every machine and in every run.
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // A number in [0, n).
  uint32_t Below(uint32_t n) { return static_cast<uint32_t>(Next() % n); }
  // A number in [0, n), small ones more often, as word and character frequencies are.
  uint32_t Skewed(uint32_t n) { return Below(Below(n) + 1); }

 private:
  uint64_t state_;
};

constexpr uint64_t kFullSizeSeed = 0x4B37516F72766E65ull;

// What a file holds, and so how well it deflates.
enum class Content {
  kWordTable,   // dictionaries and indexes: sorted pinyin keys, GBK words, frequencies
  kBitmap,      // 24-bit BMP keyboard maps: flat keys with borders, glyphs and scanner noise
  kPage,        // HTML pages and text files: markup, English words and GBK text
  kProgram,     // Windows programs: x86 code with its operands, then strings
  kCompressed,  // PNG, JPEG and CHM files, already compressed
};

struct SizeRule {
  const char* ending;  // matched case-insensitively against the end of the file name
  Content content;
  uint32_t size;    // bytes
  uint32_t spread;  // up to this many bytes more, drawn per file
};

// Columns: file-name ending, content, size, spread. The first matching row decides; the word
// base and the main program are named whole, before the rows for their kinds.
constexpr SizeRule kFullSizeRules[] = {
    {"pycizudic.idx", Content::kWordTable, 38013217, 0},
    {"CiZuFlat.igb", Content::kWordTable, 12000000, 0},
    {"py2_3ZiCi1stZuMu.idx", Content::kWordTable, 5100000, 0},
    {"K7.exe", Content::kProgram, 1900000, 0},
    {".dic", Content::kWordTable, 500000, 1600000},
    {".bin", Content::kWordTable, 120000, 900000},
    {".dat", Content::kWordTable, 100000, 400000},
    {".map", Content::kWordTable, 100000, 300000},
    {".igb", Content::kWordTable, 20000, 60000},
    {".txt", Content::kPage, 10000, 90000},
    {".htm", Content::kPage, 8000, 50000},
    {".bmp", Content::kBitmap, 250000, 600000},
    {".exe", Content::kProgram, 150000, 700000},
    {".png", Content::kCompressed, 20000, 180000},
    {".jpg", Content::kCompressed, 60000, 140000},
    {".chm", Content::kCompressed, 900000, 400000},
};

bool EndsWith(const std::string& name, const char* ending) {
  size_t n = strlen(ending);
  return name.size() >= n && strcasecmp(name.c_str() + name.size() - n, ending) == 0;
}

// Pinyin syllables, the keys of the word tables.
const char* const kSyllables[] = {
    "de",   "shi",  "yi",    "bu",   "le",    "zai",   "ren",   "you",  "wo",    "ta",   "zhe",
    "ge",   "men",  "zhong", "lai",  "shang", "da",    "wei",   "he",   "guo",   "di",   "dao",
    "yang", "xia",  "sheng", "jia",  "ke",    "guan",  "chu",   "hui",  "xue",   "qi",   "jian",
    "fa",   "ji",   "zi",    "li",   "xin",   "ding",  "cheng", "qian", "hua",   "nian", "tian",
    "gong", "dong", "xiang", "ming", "kai",   "zheng", "fang",  "ru",   "shuo",  "yu",   "mian",
    "xing", "zuo",  "qu",    "tong", "jing",  "wu",    "bian",  "ti",   "liang", "shou", "nan",
};
constexpr uint32_t kSyllableCount = sizeof kSyllables / sizeof kSyllables[0];

// The GBK code of hanzi number `index` (0..3754) of the first GB2312 level, in its order.
void AppendHanzi(uint32_t index, Bytes* out) {
  out->push_back(static_cast<unsigned char>(0xB0 + index / 94));
  out->push_back(static_cast<unsigned char>(0xA1 + index % 94));
}

// Records sorted by key: the key's syllables, a zero, the word and a 16-bit frequency. Each
// syllable is written with one of a few hanzi that sound like it, as homophones are. The first
// syllable only moves forward, as in a sorted table.
void AppendWordTable(Random* random, size_t size, Bytes* out) {
  uint32_t first = 0;
  uint32_t keys[4];
  while (out->size() < size) {
    if (random->Below(64) == 0) first = (first + 1) % kSyllableCount;
    uint32_t syllables = 1 + random->Skewed(4);
    keys[0] = first;
    for (uint32_t i = 1; i < syllables; ++i) keys[i] = random->Skewed(kSyllableCount);
    for (uint32_t i = 0; i < syllables; ++i) Append(out, kSyllables[keys[i]]);
    out->push_back(0);
    for (uint32_t i = 0; i < syllables; ++i) AppendHanzi(keys[i] * 53 + random->Skewed(8), out);
    uint32_t frequency = random->Skewed(random->Skewed(1024) + 1);
    out->push_back(static_cast<unsigned char>(frequency & 0xFF));
    out->push_back(static_cast<unsigned char>(frequency >> 8));
  }
}

void AppendLittleEndian(Bytes* out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out->push_back(static_cast<unsigned char>(value >> (8 * i)));
}

// A 24-bit bottom-up BMP of 640-pixel rows: a grey board of 40x40 keys, each with a dark
// border and a 16x16 glyph, every pixel with a little noise. Bytes past the last whole row
// are zero.
void AppendBitmap(Random* random, size_t size, Bytes* out) {
  constexpr uint32_t kWidth = 640, kRowBytes = kWidth * 3, kHeaderBytes = 54, kKey = 40;
  uint32_t height = static_cast<uint32_t>((size - kHeaderBytes) / kRowBytes);
  Append(out, "BM");
  AppendLittleEndian(out, static_cast<uint32_t>(size), 4);
  AppendLittleEndian(out, 0, 4);
  AppendLittleEndian(out, kHeaderBytes, 4);
  AppendLittleEndian(out, 40, 4);  // BITMAPINFOHEADER
  AppendLittleEndian(out, kWidth, 4);
  AppendLittleEndian(out, height, 4);
  AppendLittleEndian(out, 1, 2);   // planes
  AppendLittleEndian(out, 24, 2);  // bits per pixel
  AppendLittleEndian(out, 0, 4);   // BI_RGB
  AppendLittleEndian(out, height * kRowBytes, 4);
  AppendLittleEndian(out, 2835, 4);  // 72 dpi
  AppendLittleEndian(out, 2835, 4);
  AppendLittleEndian(out, 0, 4);
  AppendLittleEndian(out, 0, 4);
  std::vector<uint16_t> glyphs(256 * 16);  // 16 rows of 16 pixels for 256 glyphs
  for (uint16_t& row : glyphs) row = static_cast<uint16_t>(random->Next() & random->Next());
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < kWidth; ++x) {
      uint32_t keyX = x % kKey, keyY = y % kKey, key = (y / kKey) * (kWidth / kKey) + x / kKey;
      unsigned char grey = 0xD4;
      if (keyX == 0 || keyY == 0 || keyX == kKey - 1 || keyY == kKey - 1) {
        grey = 0x40;
      } else if (keyX >= 12 && keyX < 28 && keyY >= 12 && keyY < 28) {
        uint16_t bits = glyphs[(key % 256) * 16 + keyY - 12];
        if (bits & (0x8000 >> (keyX - 12))) grey = 0x10;
      }
      uint64_t noise = random->Next();
      for (int channel = 0; channel < 3; ++channel)
        out->push_back(static_cast<unsigned char>(grey + ((noise >> (8 * channel)) & 3)));
    }
  }
  out->resize(size, 0);
}

// A few GBK phrases, then an English word and a space: the text of pages and programs.
void AppendPhrases(Random* random, Bytes* out) {
  static const char* const kWords[] = {
      "the",    "input", "method", "pinyin", "word",  "key",    "press",  "space",    "select",
      "editor", "text",  "phrase", "stroke", "shape", "number", "window", "Quorvane", "guide",
  };
  constexpr uint32_t kWordCount = sizeof kWords / sizeof kWords[0];
  uint32_t phrases = 1 + random->Skewed(8);
  for (uint32_t i = 0; i < phrases; ++i) {
    uint32_t phrase = random->Skewed(1000);
    for (uint32_t j = 0; j < 2 + phrase % 3; ++j) AppendHanzi((phrase * 7 + j * 13) % 3755, out);
  }
  Append(out, " ");
  Append(out, kWords[random->Skewed(kWordCount)]);
  Append(out, " ");
}

// An HTML page or text file: paragraphs of text with markup.
void AppendPage(Random* random, size_t size, Bytes* out) {
  Append(out, "<html><head><title>Quorvane</title></head><body>\r\n");
  while (out->size() < size) {
    Append(out, "<p>");
    uint32_t runs = 2 + random->Below(6);
    for (uint32_t run = 0; run < runs; ++run) AppendPhrases(random, out);
    Append(out, "</p>\r\n");
  }
}

// A Windows program: an "MZ" header, x86 code built from common instruction shapes with their
// operands, and a table of strings.
void AppendProgram(Random* random, size_t size, Bytes* out) {
  static const unsigned char kHeader[] = {'M', 'Z', 0x90, 0, 3, 0, 0, 0, 4, 0, 0, 0, 0xFF, 0xFF};
  out->insert(out->end(), kHeader, kHeader + sizeof kHeader);
  out->resize(1024, 0);
  size_t codeEnd = size - size / 4;
  while (out->size() < codeEnd) {
    switch (random->Skewed(8)) {
      case 0:  // mov eax, [ebp+disp8]
        out->insert(out->end(), {0x8B, 0x45});
        out->push_back(static_cast<unsigned char>(random->Skewed(64) * 4));
        break;
      case 1:  // call rel32
        out->push_back(0xE8);
        AppendLittleEndian(out, random->Next() & 0xFFFFF, 4);
        break;
      case 2:  // push ebp; mov ebp, esp
        out->insert(out->end(), {0x55, 0x8B, 0xEC});
        break;
      case 3:  // mov [ebp+disp8], eax
        out->insert(out->end(), {0x89, 0x45});
        out->push_back(static_cast<unsigned char>(random->Skewed(64) * 4));
        break;
      case 4:  // push imm32
        out->push_back(0x68);
        AppendLittleEndian(out, 0x00400000 + (random->Next() & 0x3FFFF), 4);
        break;
      case 5:  // test eax, eax; jz rel8
        out->insert(out->end(), {0x85, 0xC0, 0x74});
        out->push_back(static_cast<unsigned char>(random->Below(128)));
        break;
      case 6:  // leave; ret
        out->insert(out->end(), {0xC9, 0xC3});
        break;
      default:  // any byte
        out->push_back(static_cast<unsigned char>(random->Next()));
        break;
    }
  }
  while (out->size() < size) {
    AppendPhrases(random, out);
    out->push_back(0);
  }
}

// Already-compressed data: the format's signature, then bytes that deflate no further.
void AppendCompressed(const std::string& name, Random* random, size_t size, Bytes* out) {
  if (EndsWith(name, ".png")) {
    out->insert(out->end(), {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'});
  } else if (EndsWith(name, ".jpg")) {
    out->insert(out->end(), {0xFF, 0xD8, 0xFF, 0xE0});
  } else {
    Append(out, "ITSF");
  }
  while (out->size() < size) out->push_back(static_cast<unsigned char>(random->Next()));
}

// The size rule of a row, or null when no rule names it (the small sample file stands).
const SizeRule* RuleFor(const std::string& name) {
  for (const SizeRule& r : kFullSizeRules)
    if (EndsWith(name, r.ending)) return &r;
  return nullptr;
}

// The row's full size, drawn from its rule with the row's own seed; `random` goes on from there.
size_t FullSize(const SizeRule& rule, Random* random) {
  return rule.size + random->Below(rule.spread + 1);
}

// A full-size file under the row's name, or the small sample file when no size rule names it.
Bytes FullSizeFile(const ManifestRow& row) {
  std::string name = row.fileName;
  const SizeRule* rule = RuleFor(name);
  if (rule == nullptr) return SampleFile(row);
  Random random(kFullSizeSeed ^ row.resourceId);
  size_t size = FullSize(*rule, &random);
  Bytes out;
  out.reserve(size + 256);
  if (name == "pycizudic.idx") out.push_back(0x80);
  switch (rule->content) {
    case Content::kWordTable:
      AppendWordTable(&random, size, &out);
      break;
    case Content::kBitmap:
      AppendBitmap(&random, size, &out);
      break;
    case Content::kPage:
      AppendPage(&random, size, &out);
      break;
    case Content::kProgram:
      AppendProgram(&random, size, &out);
      break;
    case Content::kCompressed:
      AppendCompressed(name, &random, size, &out);
      break;
  }
  out.resize(size);  // the generators end on a whole record, past `size`
  return out;
}

// The real-content payload: each kind of file cut from the files of one list, joined in the
// list's order into one endless ribbon (after its end it starts again); each payload file of that
// kind takes the next bytes of its kind's ribbon, at the same sizes as the full-size sample.
constexpr size_t kKinds = 5;
const char* const kKindNames[kKinds] = {"table", "bitmap", "page", "program", "compressed"};

struct Ribbon {
  Bytes bytes;
  size_t next = 0;
  // The next `size` bytes, going round at the end.
  Bytes Take(size_t size) {
    Bytes out;
    out.reserve(size);
    while (out.size() < size) {
      size_t n = std::min(size - out.size(), bytes.size() - next);
      out.insert(out.end(), bytes.begin() + static_cast<long>(next),
                 bytes.begin() + static_cast<long>(next + n));
      next = (next + n) % bytes.size();
    }
    return out;
  }
};

// Appends the file at `path` to `out`: inflated when it is a gzip file and `inflate` holds (the
// character maps come gzipped), byte for byte otherwise.
bool AppendSource(const std::string& path, bool inflate, Bytes* out) {
  if (!inflate) {
    Bytes data;
    if (!ReadWholeFile(path, &data)) return false;
    out->insert(out->end(), data.begin(), data.end());
    return true;
  }
  gzFile file = gzopen(path.c_str(), "rb");  // reads a file that is not gzipped as it stands
  if (file == nullptr) return false;
  unsigned char chunk[65536];
  int n;
  while ((n = gzread(file, chunk, sizeof chunk)) > 0) out->insert(out->end(), chunk, chunk + n);
  return gzclose(file) == Z_OK && n == 0;
}

// Reads the list: lines "KIND PATH", KIND one of kKindNames. Every kind must have bytes.
bool ReadRibbons(const char* listPath, Ribbon (&ribbons)[kKinds]) {
  FILE* list = fopen(listPath, "r");
  if (list == nullptr) {
    fprintf(stderr, "make_sample_payload: cannot read the source list %s\n", listPath);
    return false;
  }
  char line[4096];
  bool ok = true;
  while (ok && fgets(line, sizeof line, list) != nullptr) {
    line[strcspn(line, "\n")] = '\0';
    const char* space = strchr(line, ' ');
    size_t kind = kKinds;
    for (size_t k = 0; space != nullptr && k < kKinds; ++k)
      if (static_cast<size_t>(space - line) == strlen(kKindNames[k]) &&
          strncmp(line, kKindNames[k], strlen(kKindNames[k])) == 0)
        kind = k;
    if (kind == kKinds) {
      fprintf(stderr, "make_sample_payload: not \"KIND PATH\" in %s: %s\n", listPath, line);
      ok = false;
    } else if (!AppendSource(space + 1, kind != static_cast<size_t>(Content::kCompressed), &ribbons[kind].bytes)) {
      fprintf(stderr, "make_sample_payload: cannot read %s\n", space + 1);
      ok = false;
    }
  }
  fclose(list);
  for (size_t k = 0; ok && k < kKinds; ++k) {
    if (ribbons[k].bytes.empty()) {
      fprintf(stderr, "make_sample_payload: no %s file in %s\n", kKindNames[k], listPath);
      ok = false;
    }
  }
  return ok;
}

Bytes RealContentFile(const ManifestRow& row, Ribbon (&ribbons)[kKinds]) {
  const SizeRule* rule = RuleFor(row.fileName);
  if (rule == nullptr) return SampleFile(row);
  Random random(kFullSizeSeed ^ row.resourceId);
  Bytes out = ribbons[static_cast<size_t>(rule->content)].Take(FullSize(*rule, &random));
  if (strcmp(row.fileName, "pycizudic.idx") == 0) out[0] = 0x80;
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  bool fullSize = argc > 1 && strcmp(argv[1], "--full-size") == 0;
  const char* sourceList = nullptr;
  if (argc > 2 && strcmp(argv[1], "--real-content") == 0) sourceList = argv[2];
  if (fullSize || sourceList != nullptr) {
    int taken = fullSize ? 1 : 2;
    argc -= taken;
    argv += taken;
  }
  if (argc != 2 && argc != 3) {
    fprintf(stderr,
            "usage: make_sample_payload [--full-size | --real-content SOURCE_LIST] OUT_DIR "
            "[GLYPH_SHEETS]\n");
    return 2;
  }
  std::string outDir = argv[1];
  mkdir(outDir.c_str(), 0755);
  Bytes glyphSheets(kGlyphSheetBytes, 0xFF);
  if (argc == 3) {
    if (!ReadWholeFile(argv[2], &glyphSheets) || glyphSheets.size() != kGlyphSheetBytes) {
      fprintf(stderr, "make_sample_payload: %s is not a %zu-byte glyph sheet file\n", argv[2],
              kGlyphSheetBytes);
      return 1;
    }
  }
  static Ribbon ribbons[kKinds];
  if (sourceList != nullptr && !ReadRibbons(sourceList, ribbons)) return 1;
  for (const ManifestRow& row : kInstallManifest) {
    std::string path = outDir + "/" + row.fileName;
    Bytes content;
    if (!ReadByTheInstaller(row.fileName, glyphSheets, &content)) {
      if (sourceList != nullptr) content = RealContentFile(row, ribbons);
      else content = fullSize ? FullSizeFile(row) : SampleFile(row);
    }
    if (!WriteWholeFile(path, content)) {
      fprintf(stderr, "make_sample_payload: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
