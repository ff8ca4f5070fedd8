// The directory chooser run for real: its compiled template, its look, and the folder it returns.
#include "bitmap_text/directory_chooser.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "bitmap_text/bitmap_text.h"
#include "canvas.h"
#include "common/message_catalogue.h"
#include "dialog_answerer.h"
#include "installer_driver.h"
#include "common/installer_state.h"
#include "resources/resource_ids.h"
#include "test_files.h"

namespace {

constexpr int kFolderList = 1121;

constexpr const char* kButton = "BUTTON";
constexpr const char* kEdit = "EDIT";
constexpr const char* kStatic = "STATIC";
constexpr const char* kListBox = "LISTBOX";
constexpr const char* kComboBox = "COMBOBOX";

// Template 168 as the chooser needs it. Columns: id, class, text, x, y, width, height (dialog
// units), style.
struct TemplateControl {
  int id;
  const char* className;
  const char* text;
  short x, y, cx, cy;
  DWORD style;
};
constexpr TemplateControl kTemplate[] = {
    {1090, kStatic, "File &Name:", 169, 103, 68, 9, 0x40020000},
    {1152, kEdit, "", 168, 99, 68, 12, 0x40810480},
    {1120, kListBox, "", 168, 89, 68, 17, 0x40A11053},
    {1088, kStatic, "", 13, 23, 92, 9, 0x50020080},
    {1121, kListBox, "", 12, 36, 126, 129, 0x50A11053},
    {1089, kStatic, "List Files of &Type:", 167, 91, 68, 9, 0x40020000},
    {1136, kComboBox, "", 167, 100, 68, 36, 0x40A10043},
    {1091, kStatic, "Dri&ves:", 158, 133, 64, 8, 0x40020000},
    {1137, kComboBox, "", 158, 142, 77, 68, 0x50A10353},
    {1, kButton, "&OK", 160, 36, 76, 16, 0x50030001},
    {2, kButton, "&Cancel", 160, 64, 76, 16, 0x50030000},
    {1038, kButton, "&Help", 177, 97, 50, 14, 0x40030000},
    {1040, kButton, "&Read Only", 179, 88, 50, 12, 0x40030003},
    {1008, kButton, "Directories", 14, 3, 119, 16, 0x5800000B},
    {1010, kButton, "Drives", 158, 124, 77, 16, 0x5800000B},
    {-1, kStatic, "&Directories:", 13, 8, 92, 9, 0x40020000},
};

// Reads a compiled dialog template field by field.
class TemplateReader {
 public:
  explicit TemplateReader(const BYTE* start) : start_(start), at_(start) {}
  WORD Word() {
    WORD w;
    memcpy(&w, at_, sizeof w);
    at_ += sizeof w;
    return w;
  }
  DWORD Dword() {
    const DWORD low = Word();
    return low | static_cast<DWORD>(Word()) << 16;
  }
  short Short() { return static_cast<short>(Word()); }
  // A name or text; an ordinal (0xFFFF and a number) reads as "#number".
  std::string Text() {
    WORD w = Word();
    if (w == 0xFFFF) return "#" + std::to_string(Word());
    std::string text;
    for (; w != 0; w = Word()) text += static_cast<char>(w);
    return text;
  }
  // A control's class: its name, or the ordinal of a predefined class (0x0080 and up) named.
  std::string ClassName() {
    const std::string name = Text();
    const char* const kOrdinals[] = {"#128",  kButton, "#129",   kEdit,  "#130",
                                     kStatic, "#131",  kListBox, "#133", kComboBox};
    for (size_t i = 0; i < std::size(kOrdinals); i += 2)
      if (name == kOrdinals[i]) return kOrdinals[i + 1];
    return name;
  }
  void AlignToDword() { at_ = start_ + ((at_ - start_ + 3) & ~3); }

 private:
  const BYTE* start_;
  const BYTE* at_;
};

// Template 168 read from this program's resources, which are the Installer's own.
void ExpectCompiledTemplate() {
  HRSRC info = FindResourceA(nullptr, MAKEINTRESOURCEA(IDD_DIRECTORY_CHOOSER), RT_DIALOG);
  ASSERT_NE(info, nullptr);
  TemplateReader t(static_cast<const BYTE*>(LockResource(LoadResource(nullptr, info))));
  // A DIALOGEX would begin with the words 1 and 0xFFFF; a DIALOG begins with its style.
  EXPECT_EQ(t.Dword(), 0x80C800C0u) << "a classic DIALOG with its style";
  EXPECT_EQ(t.Dword(), 0u);
  ASSERT_EQ(t.Word(), std::size(kTemplate));
  for (short expected : {36, 24, 258, 182}) EXPECT_EQ(t.Short(), expected);
  EXPECT_EQ(t.Text(), "") << "menu";
  EXPECT_EQ(t.Text(), "") << "class";
  EXPECT_EQ(t.Text(), "Choose Destination Directory");
  EXPECT_EQ(t.Word(), 8);
  EXPECT_EQ(t.Text(), "Helv");
  for (const TemplateControl& c : kTemplate) {
    t.AlignToDword();
    EXPECT_EQ(t.Dword(), c.style) << c.id;
    EXPECT_EQ(t.Dword(), 0u) << c.id;
    for (short expected : {c.x, c.y, c.cx, c.cy}) EXPECT_EQ(t.Short(), expected) << c.id;
    EXPECT_EQ(t.Short(), c.id);
    EXPECT_EQ(t.ClassName(), c.className) << c.id;
    EXPECT_EQ(t.Text(), c.text) << c.id;
    EXPECT_EQ(t.Word(), 0) << c.id << ": no creation data";
  }
}

// The open chooser shows the template's visible controls where the template puts them and hides
// the rest. Lists keep their own heights: a combo box shows its closed field, a list box whole
// items.
void ExpectLayout(HWND chooser) {
  for (const TemplateControl& c : kTemplate) {
    if (c.id < 0) continue;
    const bool shown = (c.style & WS_VISIBLE) != 0;
    EXPECT_EQ(IsWindowVisible(GetDlgItem(chooser, c.id)) != FALSE, shown) << c.id;
    if (!shown) continue;
    RECT expected = {c.x, c.y, c.x + c.cx, c.y + c.cy};
    MapDialogRect(chooser, &expected);
    const RECT r = ChildRect(chooser, c.id);
    EXPECT_EQ(r.left, expected.left) << c.id;
    EXPECT_EQ(r.top, expected.top) << c.id;
    EXPECT_EQ(r.right, expected.right) << c.id;
    if (strcmp(c.className, kComboBox) != 0 && strcmp(c.className, kListBox) != 0) {
      EXPECT_EQ(r.bottom, expected.bottom) << c.id;
    }
  }
}

// Paints the chooser now, saves what the screen shows of it, and compares its two labels and
// Cancel (inside its bevel) pixel by pixel with the captions drawn directly.
void ExpectBitmapCaptions(HWND chooser) {
  CaptureWindow(chooser, "directory_chooser");

  struct Caption {
    int id;
    const char* text;
    bool bevelled;
  };
  for (const Caption& c :
       {Caption{1008, "路径 (Directories):", false}, Caption{1010, "磁盘 (Drives):", false},
        Caption{IDCANCEL, "取消 Cancel", true}}) {
    HWND control = GetDlgItem(chooser, c.id);
    RECT r;
    GetWindowRect(control, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    std::unique_ptr<Canvas> onScreen = Canvas::FromScreen(r.left, r.top, w, h);
    RECT client;
    GetClientRect(control, &client);
    auto expected = std::make_unique<Canvas>(client.right, client.bottom, 0);
    DrawExpectedCaption(expected.get(), c.text,
                        reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)),
                        c.bevelled);
    const RECT area = c.bevelled ? RECT{3, 3, w - 3, h - 3} : RECT{0, 0, w, h};
    EXPECT_GT(CountColour(*expected, area, RGB(0, 0, 0)), 100) << c.id << ": the caption has ink";
    EXPECT_EQ(CountDifferences(*onScreen, *expected, area), 0) << c.id;
  }
}

// The folder list's item that names `folder`, whatever the dialog puts around the name.
int FolderItem(HWND chooser, const std::string& folder) {
  HWND list = GetDlgItem(chooser, kFolderList);
  const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (int i = 0; i < count; ++i) {
    char text[MAX_PATH] = "";
    if (SendMessageA(list, LB_GETTEXTLEN, i, 0) >= MAX_PATH) continue;
    SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    if (strstr(text, folder.c_str()) != nullptr) return i;
  }
  return -1;
}

// Highlights `folder` in the folder list; opens it too when `open`, as a double click does.
void PickFolder(HWND chooser, const std::string& folder, bool open) {
  const int item = FolderItem(chooser, folder);
  EXPECT_GE(item, 0) << folder << " is not in the folder list";
  HWND list = GetDlgItem(chooser, kFolderList);
  SendMessageA(list, LB_SETCURSEL, item, 0);
  if (open)
    SendMessageA(chooser, WM_COMMAND, MAKEWPARAM(kFolderList, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(list));
}

// The wizard's part: a window with the path box, the chooser's owner.
class DirectoryChooserTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(LoadGlyphSheets(), GlyphLoadResult::kLoaded);
    lstrcpynA(InstallFolderName, "K7_Quorvane", sizeof InstallFolderName);
  }
  static void TearDownTestSuite() { FreeGlyphSheets(); }
  void SetUp() override {
    wizard_ = CreateWindowA("STATIC", "wizard", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    CreateWindowA("EDIT", "", WS_CHILD, 0, 0, 180, 20, wizard_,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_PATH)),
                  GetModuleHandleA(nullptr), nullptr);
    SetDlgItemTextA(wizard_, IDC_PATH, "unchanged\\K7_Quorvane");
  }
  void TearDown() override { DestroyWindow(wizard_); }

  // Opens the chooser in `folder` (the process's current directory) and lets `step` look at it
  // and answer it; the chooser's result.
  bool RunChooser(const std::string& folder, DialogStep step) {
    char earlier[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof earlier, earlier);
    SetCurrentDirectoryA(folder.c_str());
    lstrcpynA(InstallDir, "unchanged", sizeof InstallDir);
    bool chosen = false;
    const int ticks = StepThroughDialog(K7_CHOOSER_TITLE, std::move(step),
                                        [&] { chosen = DirectoryChooser(wizard_); });
    EXPECT_GT(ticks, 0) << "no chooser titled " K7_CHOOSER_TITLE " opened: error "
                        << CommDlgExtendedError();
    // Out of the scratch folder, which can then be removed: Wine's old-style dialog leaves the
    // folder last opened as the current directory despite OFN_NOCHANGEDIR.
    SetCurrentDirectoryA(earlier);
    return chosen;
  }

  std::string PathBox() const {
    char text[MAX_PATH] = "";
    GetDlgItemTextA(wizard_, IDC_PATH, text, sizeof text);
    return text;
  }

  HWND wizard_ = nullptr;
};

// One run checks the template, the chooser as it opens, titled and drawn (README's picture: a
// folder at a fixed place), and that OK gives the folder that was opened, not the one merely
// highlighted.
TEST_F(DirectoryChooserTest, OpensAsDesignedAndOkGivesTheOpenedFolder) {
  ExpectCompiledTemplate();
  FixedFolder scratch("C:\\K7 Chooser");
  const std::string opened = scratch / "k7_open";
  CreateDirectoryA(opened.c_str(), nullptr);
  CreateDirectoryA((opened + "\\k7_inner").c_str(), nullptr);
  CreateDirectoryA((scratch / "k7_other").c_str(), nullptr);

  const bool chosen = RunChooser(scratch.path(), [&](HWND chooser, int tick) {
    if (tick < 2) return false;
    EXPECT_EQ(GetFocus(), GetDlgItem(chooser, kFolderList)) << "the keyboard in the folder list";
    char title[64] = "";
    GetWindowTextA(chooser, title, sizeof title);
    EXPECT_STREQ(title, "Choose Destination Directory");
    ExpectLayout(chooser);
    ExpectBitmapCaptions(chooser);
    PickFolder(chooser, "k7_open", true);
    PickFolder(chooser, "k7_inner", false);
    Click(chooser, IDOK);
    return true;
  });
  EXPECT_TRUE(chosen);
  EXPECT_EQ(std::string(InstallDir), opened);
  EXPECT_EQ(PathBox(), opened + "\\K7_Quorvane");
}

// A drive root comes back as "C:" so that the path holds one backslash; a folder whose name ends
// in a character with the second byte 0x5C keeps that byte; Cancel changes nothing.
TEST_F(DirectoryChooserTest, DriveRootAndTrailByteFoldersComeBackWholeAndCancelChangesNothing) {
  ASSERT_EQ(GetACP(), 936u) << "run on a Simplified-Chinese system (LC_ALL=zh_CN.UTF-8)";
  ScratchInstallDir scratch;
  const std::string drive = scratch.path().substr(0, 2);
  EXPECT_TRUE(RunChooser(drive + "\\", [](HWND chooser, int) {
    Click(chooser, IDOK);
    return true;
  }));
  EXPECT_EQ(std::string(InstallDir), drive);
  EXPECT_EQ(PathBox(), drive + "\\K7_Quorvane");

  const std::string name = "k7_\xD5\x5C";  // "k7_誠" in GBK
  const std::string folder = scratch / name;
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  EXPECT_TRUE(RunChooser(scratch.path(), [&](HWND chooser, int) {
    PickFolder(chooser, name, true);
    Click(chooser, IDOK);
    return true;
  }));
  EXPECT_EQ(std::string(InstallDir), folder);
  EXPECT_EQ(PathBox(), folder + "\\K7_Quorvane");

  SetDlgItemTextA(wizard_, IDC_PATH, "unchanged\\K7_Quorvane");
  EXPECT_FALSE(RunChooser(scratch.path(), [&](HWND chooser, int) {
    PickFolder(chooser, name, true);
    Click(chooser, IDCANCEL);
    return true;
  }));
  EXPECT_EQ(std::string(InstallDir), "unchanged");
  EXPECT_EQ(PathBox(), "unchanged\\K7_Quorvane");

  // A folder too long to hold "\K7_Quorvane" within a path: the box keeps what it had, and the
  // user is told why.
  const std::string deep = scratch / std::string(250 - scratch.path().size() - 1, 'd');
  ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr));
  DialogAnswerer answerer(DialogAnswerer::kClickOk);
  EXPECT_FALSE(RunChooser(deep, [](HWND chooser, int) {
    Click(chooser, IDOK);
    return true;
  }));
  EXPECT_EQ(answerer.Finish(), 1);
  const std::vector<std::string> told = answerer.chineseLines();
  EXPECT_EQ(told.empty() ? "" : told[0], kMsgPathTooLong.chinese);
  EXPECT_EQ(PathBox(), "unchanged\\K7_Quorvane");
}

}  // namespace
