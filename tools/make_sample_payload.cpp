// Host tool: writes the deterministic sample payload, one small file under every manifest name.
//
// Usage: make_sample_payload OUT_DIR [GLYPH_SHEETS]
// The sample stands in for the product's files so that the Installer can be built, run and
// tested without them. It keeps the properties that the Installer reads: GBK and English
// licence texts with CR LF line ends, a "velmarui.ini" ending in its [Config] section, a
// "pycizudic.idx" whose first byte is 0x80 and, when GLYPH_SHEETS is given, "ChnBmp.bin" holding
// the glyph sheets (otherwise a blank sheet set of the right size).
#include <sys/stat.h>

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

Bytes SampleFile(const ManifestRow& row, const Bytes& glyphSheets) {
  std::string name = row.fileName;
  if (name == "License_cn.txt") return ChineseLicence();
  if (name == "License_en.txt") return EnglishLicence();
  if (name == "velmarui.ini") return UiConfig(false);
  if (name == "velmarui_en.ini") return UiConfig(true);
  if (name == "ChnBmp.bin") return glyphSheets;
  if (name == "pycizudic.idx") {
    Bytes out = {0x80};
    Bytes rest = Placeholder(row);
    out.insert(out.end(), rest.begin(), rest.end());
    return out;
  }
  return Placeholder(row);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    fprintf(stderr, "usage: make_sample_payload OUT_DIR [GLYPH_SHEETS]\n");
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
  for (const ManifestRow& row : kInstallManifest) {
    std::string path = outDir + "/" + row.fileName;
    if (!WriteWholeFile(path, SampleFile(row, glyphSheets))) {
      fprintf(stderr, "make_sample_payload: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
