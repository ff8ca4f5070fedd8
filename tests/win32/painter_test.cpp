// The painters drawing into DIB sections, compared pixel by pixel with bitmap text drawn directly.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "common/installer_state.h"
#include "bitmap_text/bitmap_text.h"
#include "bitmap_text/owner_draw.h"
#include "canvas.h"

namespace {

const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);

COLORREF Face() { return GetSysColor(COLOR_BTNFACE); }
COLORREF Light() { return GetSysColor(COLOR_BTNHIGHLIGHT); }
COLORREF Dark() { return GetSysColor(COLOR_BTNSHADOW); }

class PainterTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(LoadGlyphSheets(), GlyphLoadResult::kLoaded);
    Canvas glyphs(64, 16, kWhite);
    DrawBitmapText(glyphs.dc(), 0, 0, "安装程序", 0);
    ASSERT_GT(CountColour(glyphs, {0, 0, 64, 16}, kBlack), 100) << "the glyph sheets carry ink";
    parent_ = CreateWindowA("STATIC", "painter tests", WS_POPUP, 0, 0, 640, 200, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
  }
  static void TearDownTestSuite() {
    DestroyWindow(parent_);
    FreeGlyphSheets();
  }
  void SetUp() override {
    ASSERT_NE(Face(), Light());
    ASSERT_NE(Face(), Dark());
    ASSERT_NE(Light(), Dark());
    WizardState = 0;
  }
  void TearDown() override {
    if (control_ != nullptr) DestroyWindow(control_);
  }

  HWND MakeControl(const char* className, int id, DWORD style, const char* text, int w, int h) {
    if (control_ != nullptr) DestroyWindow(control_);
    control_ = CreateWindowA(className, text, WS_CHILD | style, 0, 0, w, h, parent_,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             GetModuleHandleA(nullptr), nullptr);
    return control_;
  }

  // The WM_DRAWITEM data for `window`, whose item fills the whole of `canvas`.
  static DRAWITEMSTRUCT ItemOn(Canvas* canvas, UINT type, int id, HWND window, UINT itemId,
                               UINT action, UINT state) {
    DRAWITEMSTRUCT item{};
    item.CtlType = type;
    item.CtlID = id;
    item.itemID = itemId;
    item.itemAction = action;
    item.itemState = state;
    item.hwndItem = window;
    item.hDC = canvas->dc();
    item.rcItem = {0, 0, canvas->width(), canvas->height()};
    return item;
  }

  // Paints owner-drawn button `id` of w x h into `canvas` as WM_DRAWITEM would.
  void PaintButton(Canvas* canvas, int id, UINT state, UINT action = ODA_DRAWENTIRE,
                   const char* text = "") {
    HWND button = MakeControl("BUTTON", id, BS_OWNERDRAW, text, canvas->width(), canvas->height());
    const DRAWITEMSTRUCT item = ItemOn(canvas, ODT_BUTTON, id, button, 0, action, state);
    PaintOwnerDrawButton(&item);
  }

  static HWND parent_;
  HWND control_ = nullptr;
};

HWND PainterTest::parent_;

RECT Interior(const Canvas& c) { return {3, 3, c.width() - 3, c.height() - 3}; }

TEST_F(PainterTest, PressingSwapsTheEdgeColoursAndMovesTheCaption) {
  Canvas up(120, 24, kWhite), down(120, 24, kWhite);
  PaintButton(&up, 3, 0);
  PaintButton(&down, 3, ODS_SELECTED);
  // Raised: light left and top rings, dark right and bottom rings, the face outside them.
  for (int k : {1, 2}) {
    EXPECT_EQ(up.At(k, 12), Light()) << k;
    EXPECT_EQ(up.At(60, k), Light()) << k;
    EXPECT_EQ(up.At(119 - k, 12), Dark()) << k;
    EXPECT_EQ(up.At(60, 23 - k), Dark()) << k;
    EXPECT_EQ(down.At(k, 12), Dark()) << k;
    EXPECT_EQ(down.At(60, k), Dark()) << k;
    EXPECT_EQ(down.At(119 - k, 12), Light()) << k;
    EXPECT_EQ(down.At(60, 23 - k), Light()) << k;
  }
  EXPECT_EQ(up.At(0, 12), Face());
  EXPECT_EQ(up.At(60, 0), Face());
  EXPECT_EQ(up.At(119, 12), Dark()) << "the single outer line";
  EXPECT_EQ(up.At(60, 23), Dark());
  EXPECT_EQ(down.At(119, 12), Light());

  // The caption "退一步 Back": in place when raised, 2 right and 1 down when pressed.
  Canvas expected(120, 24, kWhite), moved(120, 24, kWhite);
  DrawExpectedCaption(&expected, "退一步 Back", nullptr, true);
  DrawExpectedCaption(&moved, "退一步 Back", nullptr, true, 2, 1);
  EXPECT_GT(CountColour(expected, Interior(expected), kBlack), 100) << "the caption has ink";
  EXPECT_EQ(CountDifferences(up, expected, Interior(up)), 0);
  EXPECT_EQ(CountDifferences(down, moved, Interior(down)), 0);
  EXPECT_GT(CountDifferences(down, expected, Interior(down)), 0);
}

TEST_F(PainterTest, DefaultButtonHasTheBlackOutlineOthersTheSingleDarkLine) {
  constexpr int kW = 140, kH = 24, kMid = kW / 2, kRight = kW - 1, kBottom = kH - 1;
  Canvas next(kW, kH, kWhite);
  PaintButton(&next, DefaultCommandId, 0);
  for (int x : {0, kMid, kRight}) {
    EXPECT_EQ(next.At(x, 0), kBlack) << x;
    EXPECT_EQ(next.At(x, kBottom), kBlack) << x;
  }
  EXPECT_EQ(next.At(0, 12), kBlack);
  EXPECT_EQ(next.At(kRight, 12), kBlack);
  EXPECT_EQ(next.At(kMid, kBottom - 1), kBlack) << "doubled bottom edge";
  EXPECT_EQ(next.At(kRight - 1, 12), kBlack) << "doubled right edge";
  EXPECT_EQ(next.At(kMid, kBottom - 2), Dark());
  EXPECT_EQ(next.At(kRight - 2, 12), Dark());
  EXPECT_EQ(next.At(1, 12), Light());

  for (int id : {1, 2, 3, 6, 7, 1003}) {
    Canvas button(kW, kH, kWhite);
    PaintButton(&button, id, 0);
    EXPECT_EQ(button.At(0, 12), Face()) << id;
    EXPECT_EQ(button.At(kMid, 0), Face()) << id;
    EXPECT_EQ(button.At(kRight, 12), Dark()) << id;
    EXPECT_EQ(button.At(kMid, kBottom), Dark()) << id;
    EXPECT_EQ(button.At(kMid, kBottom - 1), Dark()) << id;
    // No black on the edges: only caption ink may be black.
    int blackEdges = 0;
    for (int x = 0; x < kW; ++x) {
      blackEdges += (button.At(x, 0) == kBlack) + (button.At(x, kBottom) == kBlack);
    }
    for (int y = 0; y < kH; ++y) {
      blackEdges += (button.At(0, y) == kBlack) + (button.At(kRight, y) == kBlack);
    }
    EXPECT_EQ(blackEdges, 0) << id;
    EXPECT_GT(CountColour(button, Interior(button), kBlack), 50) << id << " has a caption";
  }
}

TEST_F(PainterTest, NextButtonCaptionFollowsTheWizardPage) {
  Canvas next(160, 24, kWhite), install(160, 24, kWhite);
  DrawExpectedCaption(&next, "下一步 Next", nullptr, true);
  DrawExpectedCaption(&install, "同意/安装 Agree/Install", nullptr, true);
  ASSERT_GT(CountDifferences(next, install, Interior(next)), 0);
  for (int state : {0, 2}) {
    WizardState = state;
    Canvas button(160, 24, kWhite);
    PaintButton(&button, 1001, 0);
    EXPECT_EQ(CountDifferences(button, next, Interior(button)), 0) << state;
  }
  for (int state : {3, kWizardInstalling}) {
    WizardState = state;
    Canvas button(160, 24, kWhite);
    PaintButton(&button, 1001, 0);
    EXPECT_EQ(CountDifferences(button, install, Interior(button)), 0) << state;
  }
}

TEST_F(PainterTest, FlatLabelsHaveNoBevelAndLeftAlignedOnesStartAtTheLeft) {
  Canvas label(200, 20, kWhite);
  PaintButton(&label, 1006, 0);  // "安装路径： (Install Path)", flat, left-aligned
  Canvas expected(200, 20, Face());
  DrawBitmapText(expected.dc(), 0, 2, "安装路径： (Install Path)", 0);
  EXPECT_EQ(CountDifferences(label, expected, {0, 0, 200, 20}), 0);

  Canvas side(200, 20, kWhite);
  PaintButton(&side, 1012, ODS_DISABLED);  // "安装程序", flat, centred
  Canvas centred(200, 20, Face());
  DrawBitmapText(centred.dc(), (200 - 64) / 2, 2, "安装程序", 0);
  EXPECT_EQ(CountDifferences(side, centred, {0, 0, 200, 20}), 0);
}

TEST_F(PainterTest, FocusOnlyNotificationDrawsOnlyTheInsetFocusRectangle) {
  Canvas focused(100, 24, kWhite), unfocused(100, 24, kWhite);
  PaintButton(&focused, 1, ODS_FOCUS, ODA_FOCUS);
  PaintButton(&unfocused, 1, 0, ODA_FOCUS);
  EXPECT_EQ(CountColour(unfocused, {0, 0, 100, 24}, kWhite), 100 * 24) << "nothing drawn";
  // Inset by 100 / 10 = 10 and 24 / 8 = 3: the dotted frame spans (10, 3) to (89, 20).
  int inside = 0, outside = 0;
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 100; ++x) {
      const bool onFrame = ((x == 10 || x == 89) && y >= 3 && y <= 20) ||
                           ((y == 3 || y == 20) && x >= 10 && x <= 89);
      const bool changed = focused.At(x, y) != kWhite;
      inside += onFrame && changed;
      outside += !onFrame && changed;
    }
  }
  EXPECT_GT(inside, 40);
  EXPECT_EQ(outside, 0);
}

TEST_F(PainterTest, MessageLineShowsTheWholeTextOtherControlsTheirFirst79Bytes) {
  // A formatted Start-menu folder message of 104 bytes.
  const std::string text =
      "无法建目录(C:\\Documents and Settings\\All Users\\Start Menu\\Programs\\Quorvane "
      "Tools\\Help)!";
  ASSERT_GT(text.size(), 80u);
  Canvas line(700, 48, kWhite), whole(700, 48, kWhite), cut(700, 48, kWhite);
  PaintButton(&line, 1013, 0, ODA_DRAWENTIRE, text.c_str());
  DrawExpectedCaption(&whole, text.c_str(), nullptr, true);
  DrawExpectedCaption(&cut, text.substr(0, 79).c_str(), nullptr, true);
  RECT all = {0, 0, 700, 48};
  EXPECT_EQ(CountDifferences(line, whole, all), 0);
  EXPECT_GT(CountDifferences(line, cut, all), 0);

  Canvas other(700, 48, kWhite);
  PaintButton(&other, 4242, 0, ODA_DRAWENTIRE, text.c_str());
  Canvas otherCut(700, 48, kWhite);
  DrawExpectedCaption(&otherCut, text.substr(0, 79).c_str(), nullptr, true);
  EXPECT_EQ(CountDifferences(other, otherCut, Interior(other)), 0);
}

TEST_F(PainterTest, CutInsideATwoByteCharacterDrawsTheLoneLeadByte) {
  if (GetACP() != 1252) GTEST_SKIP() << "window texts keep their bytes only on code page 1252";
  // 78 ASCII bytes and then 安: the 79-byte limit keeps only its lead byte.
  const std::string text = std::string(78, 'i') + "安";
  Canvas button(600, 24, kWhite), expected(600, 24, kWhite);
  PaintButton(&button, 4242, 0, ODA_DRAWENTIRE, text.c_str());
  DrawExpectedCaption(&expected, text.substr(0, 79).c_str(), nullptr, true);
  EXPECT_EQ(CountDifferences(button, expected, Interior(button)), 0);
}

class ListItemTest : public PainterTest {
 protected:
  HWND MakeCombo() {
    HWND combo = MakeControl("COMBOBOX", 1031,
                             CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, "", 200, 200);
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("English"));
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("中文（简体） (Chinese)"));
    return combo;
  }
  void PaintItem(Canvas* canvas, HWND list, int id, UINT type, UINT itemId, UINT state) {
    const DRAWITEMSTRUCT item = ItemOn(canvas, type, id, list, itemId, ODA_DRAWENTIRE, state);
    PaintListItem(parent_, id, &item);
  }
};

TEST_F(ListItemTest, SelectedComboItemIsWhiteOnTheHighlightColour) {
  ASSERT_EQ(GetSysColor(COLOR_HIGHLIGHTTEXT), kWhite);
  ASSERT_EQ(GetSysColor(COLOR_WINDOW), kWhite);
  HWND combo = MakeCombo();
  // Where the ink of the item text lies: drawn black on white, 2 pixels in.
  Canvas ink(200, 23, kWhite);
  DrawBitmapText(ink.dc(), 2, 2, "中文（简体） (Chinese)", 0);
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);

  Canvas selected(200, 23, kBlack), plain(200, 23, kBlack);
  const int modeBefore = GetBkMode(selected.dc());
  const COLORREF textBefore = GetTextColor(selected.dc());
  PaintItem(&selected, combo, 1031, ODT_COMBOBOX, 1, ODS_SELECTED);
  PaintItem(&plain, combo, 1031, ODT_COMBOBOX, 1, 0);
  int inkPixels = 0, wrong = 0, wrongPlain = 0;
  for (int y = 0; y < 23; ++y) {
    for (int x = 0; x < 200; ++x) {
      const bool isInk = ink.At(x, y) != kWhite;
      inkPixels += isInk;
      wrong += selected.At(x, y) != (isInk ? kWhite : highlight);
      wrongPlain += plain.At(x, y) != (isInk ? kBlack : kWhite);
    }
  }
  EXPECT_GT(inkPixels, 100);
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(wrongPlain, 0);
  EXPECT_EQ(GetBkMode(selected.dc()), modeBefore) << "context state restored";
  EXPECT_EQ(GetTextColor(selected.dc()), textBefore);
}

TEST_F(ListItemTest, EmptyComboGetsOnlyTheFillAndLicenceLinesAreNeverSelected) {
  HWND empty = MakeControl("COMBOBOX", 1031, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                           "", 200, 200);
  Canvas field(200, 23, kBlack);
  PaintItem(&field, empty, 1031, ODT_COMBOBOX, static_cast<UINT>(-1), ODS_SELECTED);
  EXPECT_EQ(CountColour(field, {0, 0, 200, 23}, GetSysColor(COLOR_HIGHLIGHT)), 200 * 23);

  HWND list =
      MakeControl("LISTBOX", 1019, LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOSEL, "", 300, 200);
  SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("一、许可 1. Licence"));
  Canvas line(300, 23, kBlack), expected(300, 23, kWhite);
  PaintItem(&line, list, 1019, ODT_LISTBOX, 0, ODS_SELECTED);
  DrawBitmapText(expected.dc(), 2, 2, "一、许可 1. Licence", 0);
  EXPECT_EQ(CountDifferences(line, expected, {0, 0, 300, 23}), 0);
}

TEST_F(ListItemTest, ItemLongerThanTheBufferIsOnlyFilled) {
  HWND list =
      MakeControl("LISTBOX", 1019, LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOSEL, "", 300, 200);
  const std::string longLine(400, 'W');
  SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(longLine.c_str()));
  Canvas line(300, 23, kBlack);
  PaintItem(&line, list, 1019, ODT_LISTBOX, 0, 0);
  EXPECT_EQ(CountColour(line, {0, 0, 300, 23}, kWhite), 300 * 23);
}

class CheckBoxTest : public PainterTest {
 protected:
  // What the desktop-icon box 220 x 26 must look like: the face, the check box at (2, 4) to
  // (17, 18) and the caption one box width to the right of it, at (32, 1).
  static void DrawExpected(Canvas* canvas, UINT state) {
    canvas->Fill(Face());
    RECT box = {2, 4, 17, 18};
    DrawFrameControl(canvas->dc(), &box, DFC_BUTTON, DFCS_BUTTONCHECK | state);
    DrawBitmapText(canvas->dc(), 32, 1, "建立桌面图标？  (Place an icon on Desktop)", 0);
  }
};

TEST_F(CheckBoxTest, DesktopIconBoxShowsItsCaptionAndItsStates) {
  HWND box = MakeControl("BUTTON", 1004, BS_AUTOCHECKBOX | BS_NOTIFY, "Place an icon", 300, 26);
  struct Case {
    int check;
    bool enabled;
    UINT state;
  };
  const Case cases[] = {{BST_UNCHECKED, true, 0},
                        {BST_CHECKED, true, DFCS_CHECKED},
                        {BST_UNCHECKED, false, DFCS_INACTIVE},
                        {BST_CHECKED, false, DFCS_CHECKED | DFCS_INACTIVE}};
  Canvas unchecked(300, 26, kWhite);
  DrawExpected(&unchecked, 0);
  for (const Case& c : cases) {
    SendMessageA(box, BM_SETCHECK, c.check, 0);
    EnableWindow(box, c.enabled);
    Canvas painted(300, 26, kWhite), expected(300, 26, kWhite);
    PaintCheckBox(box, painted.dc());
    DrawExpected(&expected, c.state);
    EXPECT_EQ(CountDifferences(painted, expected, {0, 0, 300, 26}), 0) << c.state;
    if (c.state != 0) {
      EXPECT_GT(CountDifferences(painted, unchecked, {0, 0, 31, 26}), 0) << c.state;
    }
    // The caption stays black, also when disabled.
    EXPECT_GT(CountColour(painted, {32, 0, 300, 26}, kBlack), 100) << c.state;
  }
}

TEST_F(CheckBoxTest, SubclassPaintsTheBoxOnScreenAndPassesClicksOn) {
  HWND window = CreateWindowA("STATIC", "check box", WS_POPUP | WS_VISIBLE, 100, 100, 400, 60,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  HWND box =
      CreateWindowA("BUTTON", "Place an icon", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 10, 10, 300,
                    26, window, reinterpret_cast<HMENU>(1004), GetModuleHandleA(nullptr), nullptr);
  SavedCheckBoxProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CheckBoxSubclassProc)));
  SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  GdiFlush();
  Sleep(200);

  Canvas expected(300, 26, kWhite);
  DrawExpected(&expected, DFCS_CHECKED);
  POINT origin = {0, 0};
  ClientToScreen(box, &origin);
  std::unique_ptr<Canvas> screen = Canvas::FromScreen(origin.x, origin.y, 300, 26);
  EXPECT_EQ(CountDifferences(*screen, expected, {0, 0, 300, 26}), 0);

  // A click reaches the standard procedure, which unchecks the box.
  SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(box, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  DestroyWindow(window);
}

}  // namespace
