// The installation manifest: the 105 payload files in installation order, with their flags, groups
// and progress.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/bounded_path.h"

// Attribute bits of an installed file, with the values of the Windows attributes they become.
constexpr uint8_t kAttrReadOnly = 0x01;  // FILE_ATTRIBUTE_READONLY
constexpr uint8_t kAttrHidden = 0x02;    // FILE_ATTRIBUTE_HIDDEN

// One installed file. A row that is not required is optional: its failure is ignored.
struct ManifestRow {
  uint8_t group;         // 1..15, the manifest group the row belongs to
  uint16_t resourceId;   // the "TEXT" resource holding the file as one zlib stream
  const char* fileName;  // name under InstallDir, no sub-folders
  uint8_t attributes;    // kAttrReadOnly | kAttrHidden of the finished file
  bool required;         // a failed required row ends the installation
};

// One group of rows. A word-base group is skipped while KeepOldWordBase is true; its
// progress positions are set all the same. Positions of 0 are not set.
struct ManifestGroup {
  uint8_t group;
  bool wordBase;
  uint8_t progressAfter[2];  // set in this order after the group's last row
};

constexpr uint8_t kRH = kAttrReadOnly | kAttrHidden;
constexpr uint8_t kH = kAttrHidden;
constexpr uint8_t kR = kAttrReadOnly;
constexpr uint8_t kNone = 0;

// Columns: group, resource id, file name, attributes, required.
// inline: one table in the program, however many files read it.
inline constexpr ManifestRow kInstallManifest[] = {
    {1, 106, "pykeys.dic", kRH, true},
    {1, 131, "gbkflat.dic", kRH, true},
    {1, 143, "py_1key.dic", kRH, true},
    {2, 111, "sort.dic", kH, true},
    {3, 114, "readme2.igb", kRH, true},
    {3, 115, "readme3.igb", kRH, true},
    {3, 120, "velmarui.ini", kRH, true},
    {4, 122, "velmarui_en.ini", kRH, false},
    {4, 203, "tips.txt", kRH, false},
    {4, 204, "tips_en.txt", kRH, false},
    {4, 165, "cikuguide.txt", kRH, false},
    {5, 110, "ChnBmp.bin", kRH, true},
    {6, 136, "keymapPY.bmp", kRH, true},
    {6, 138, "keymapPYStd.bmp", kRH, true},
    {6, 140, "keymapSP.bmp", kRH, true},
    {6, 141, "keymapSPStd.bmp", kRH, true},
    {6, 149, "keymapSP1.bmp", kRH, true},
    {6, 151, "keymapSPStd1.bmp", kRH, true},
    {6, 150, "keymapSP2.bmp", kRH, true},
    {6, 152, "keymapSPStd2.bmp", kRH, true},
    {7, 127, "CiZuFlat.igb", kNone, true},
    {8, 130, "ch2py.bin", kRH, true},
    {8, 191, "ch2pypz1.bin", kRH, true},
    {8, 192, "ch2pypz2.bin", kRH, true},
    {8, 132, "bihuaku.bin", kRH, true},
    {9, 144, "vmodewords.dic", kRH, false},
    {9, 162, "gbk2b5.bin", kRH, false},
    {9, 189, "b5gbk.bin", kRH, false},
    {9, 173, "fccdic.bin", kRH, false},
    {9, 241, "depend1.map", kRH, false},
    {9, 240, "depend2.map", kRH, false},
    {9, 248, "mi_bihua1_dups_prefered_codes.bin", kRH, false},
    {9, 249, "mi_bihua1.bin", kRH, false},
    {9, 250, "mi_bihua1_danjianzuhe.bin", kRH, false},
    {9, 251, "ZiPartsBase.dat", kRH, false},
    {9, 252, "ZiParts.dat", kRH, false},
    {9, 253, "Brix4Show.exe", kRH, false},
    {9, 254, "zi_ordered_by_usage.txt", kRH, false},
    {10, 255, "k7_3lianjian.bmp", kR, false},
    {10, 256, "Brix4keymap.bmp", kR, false},
    {10, 175, "torvuguide.htm", kR, false},
    {10, 176, "TVUGUIDE.HTM", kR, false},
    {10, 177, "TVUEditGuide.htm", kR, false},
    {10, 178, "quorvaneguide.htm", kR, false},
    {10, 179, "Chinese_input_samples.htm", kR, false},
    {10, 174, "input_assist.htm", kR, false},
    {10, 180, "fast_steps.htm", kR, false},
    {10, 181, "pinyin_pinxing.htm", kR, false},
    {10, 182, "xingmaguide.htm", kR, false},
    {10, 183, "xingmajiyi.htm", kR, false},
    {10, 184, "kuai_jian.htm", kR, false},
    {10, 194, "torvuguide_en.htm", kR, false},
    {10, 195, "TVUGUIDE_en.HTM", kR, false},
    {10, 196, "TVUEditGuide_en.htm", kR, false},
    {10, 197, "quorvaneguide_en.htm", kR, false},
    {10, 198, "Chinese_input_samples_en.htm", kR, false},
    {10, 193, "input_assist_en.htm", kR, false},
    {10, 199, "fast_steps_en.htm", kR, false},
    {10, 200, "pinyin_pinxing_en.htm", kR, false},
    {10, 201, "kuai_jian_en.htm", kR, false},
    {10, 294, "torvuguide_b5.htm", kR, false},
    {10, 295, "TVUGUIDE_b5.HTM", kR, false},
    {10, 296, "TVUEditGuide_b5.htm", kR, false},
    {10, 297, "quorvaneguide_b5.htm", kR, false},
    {10, 298, "Chinese_input_samples_b5.htm", kR, false},
    {10, 293, "input_assist_b5.htm", kR, false},
    {10, 299, "fast_steps_b5.htm", kR, false},
    {10, 300, "pinyin_pinxing_b5.htm", kR, false},
    {10, 301, "kuai_jian_b5.htm", kR, false},
    {11, 205, "Parts2Zis.PNG", kRH, false},
    {11, 206, "HanZiInfo_en.PNG", kRH, false},
    {11, 207, "HanZiInfo.PNG", kRH, false},
    {11, 208, "FindSaying.PNG", kRH, false},
    {12, 259, "QuorvaneGuide.chm", kR, false},
    {12, 171, "K7UnInstall.exe", kR, false},
    {12, 161, "License_en.txt", kR, false},
    {12, 124, "License_cn.txt", kR, false},
    {12, 202, "Welcome_K7.bmp", kR, false},
    {12, 210, "pysampci_manual3.PNG", kR, false},
    {12, 211, "pysampcaret.PNG", kR, false},
    {12, 212, "pysampci_manual.PNG", kR, false},
    {12, 213, "pysampci_manual1.PNG", kR, false},
    {12, 214, "pysampci_manual2.PNG", kR, false},
    {12, 215, "PYSAMP1.PNG", kR, false},
    {12, 216, "pysampci_manual4.PNG", kR, false},
    {12, 217, "pysampci_manual5.PNG", kR, false},
    {12, 218, "pysampci1.PNG", kR, false},
    {12, 219, "pysampci2.PNG", kR, false},
    {12, 220, "pysampci3.PNG", kR, false},
    {12, 221, "pysampci4.PNG", kR, false},
    {12, 222, "pysampci5.PNG", kR, false},
    {12, 223, "pysampci6.PNG", kR, false},
    {12, 224, "pysampci7.PNG", kR, false},
    {12, 225, "pysampci8.PNG", kR, false},
    {12, 226, "pysampforecast.PNG", kR, false},
    {12, 227, "pysampshengdiao3.PNG", kR, false},
    {12, 310, "Brix4UI.png", kR, false},
    {12, 312, "Brix4ReadMe_en.htm", kR, false},
    {12, 313, "Brix4ReadMe.htm", kR, false},
    {12, 314, "KeypadOnKeyboard.jpg", kR, false},
    {12, 315, "Keypad-External.jpg", kR, false},
    {13, 139, "Keydrill.exe", kR, true},
    {14, 128, "pycizudic.idx", kNone, true},
    {14, 129, "py2_3ZiCi1stZuMu.idx", kNone, true},
    {15, 109, "K7.exe", kR, true},
};
constexpr size_t kInstallManifestRows = sizeof(kInstallManifest) / sizeof(kInstallManifest[0]);
static_assert(kInstallManifestRows == 105, "the manifest has 105 rows");

// Columns: group, word base, progress positions set after the group.
inline constexpr ManifestGroup kManifestGroups[] = {
    {1, false, {15, 0}},   {2, false, {20, 0}}, {3, false, {0, 0}},    {4, false, {25, 0}},
    {5, false, {30, 0}},   {6, false, {35, 0}}, {7, true, {45, 0}},    {8, false, {0, 0}},
    {9, false, {0, 0}},    {10, false, {0, 0}}, {11, false, {0, 0}},   {12, false, {50, 0}},
    {13, false, {55, 65}}, {14, true, {0, 0}},  {15, false, {70, 90}},
};
static_assert(sizeof(kManifestGroups) / sizeof(kManifestGroups[0]) == 15,
              "the manifest has 15 groups");

// Whether `row` belongs to a word-base group.
constexpr bool IsWordBaseRow(const ManifestRow& row) {
  return row.group >= 1 && row.group <= 15 && kManifestGroups[row.group - 1].wordBase;
}

// The length of the longest file name of the manifest, and so the longest InstallDir that holds
// every file: the folder, "\" and that name within a path of 259 characters.
constexpr size_t LongestManifestName() {
  size_t longest = 0;
  for (const ManifestRow& row : kInstallManifest) {
    size_t length = 0;
    while (row.fileName[length] != '\0') ++length;
    if (length > longest) longest = length;
  }
  return longest;
}
constexpr size_t kLongestInstallDir = kPathCapacity - 1 - 1 - LongestManifestName();
static_assert(kLongestInstallDir == 225, "mi_bihua1_dups_prefered_codes.bin is the longest name");

// Progress positions of a whole run, in order: 10 when the bar appears, the group positions,
// then 94 after the Start-menu entries and 97, 100 at the end.
constexpr uint8_t kRunProgressStart = 10;
constexpr uint8_t kRunProgressAfterStartMenu = 94;
constexpr uint8_t kRunProgressEnd[] = {97, 100};

// Payload resources that the build packs but the Installer neither installs nor reads.
constexpr uint16_t kUnlistedPayloadIds[] = {163, 164, 185, 186, 187, 188};
constexpr size_t kPayloadResourceCount =
    kInstallManifestRows + sizeof(kUnlistedPayloadIds) / sizeof(kUnlistedPayloadIds[0]);
static_assert(kPayloadResourceCount == 111, "the Installer carries 111 TEXT resources");

// Capacity of the installation run's PayloadBuffer, and so the largest installable file.
constexpr uint32_t kPayloadBufferCapacity = 0x3000000;
static_assert(kPayloadBufferCapacity == 48u << 20, "the one payload buffer of a run: 48 MiB");
