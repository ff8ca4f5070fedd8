// The message dialog run for real: layout, lines, results of its buttons, keys and close box.
#include "app/message_dialog.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <functional>
#include <string>

#include "common/message_catalogue.h"
#include "app/message_layout.h"
#include "bitmap_text/bitmap_text.h"
#include "canvas.h"
#include "installer_driver.h"

namespace {

constexpr const char* kTitle = "Quorvane Install Message";
// Shows a message and lets `step` look at it and answer it.
int RunMessage(const char* chinese, const char* english, int buttons, DialogStep step,
               HWND owner = nullptr) {
  int result = 0;
  StepThroughDialog(kTitle, std::move(step),
                    [&] { result = ShowMessage(chinese, english, buttons, owner); });
  return result;
}

void ExpectAt(const RECT& r, const LayoutBox& box, const char* what) {
  EXPECT_EQ(r.left, box.x) << what;
  EXPECT_EQ(r.top, box.y) << what;
  EXPECT_EQ(r.right - r.left, box.width) << what;
  EXPECT_EQ(r.bottom - r.top, box.height) << what;
}

// Measures the texts as the dialog does and checks that the window and its controls stand
// where the layout puts them.
void ExpectLayout(HWND dialog, const char* chinese, const char* english, int buttons) {
  MessageLayoutInput in{};
  HDC dc = GetDC(dialog);
  const SIZE c = MeasureBitmapText(dc, chinese);
  SIZE e = {0, 0};
  if (english[0] != '\0') GetTextExtentPointA(dc, english, static_cast<int>(strlen(english)), &e);
  ReleaseDC(dialog, dc);
  RECT button;
  GetClientRect(GetDlgItem(dialog, buttons == kButtonsYesNo ? IDYES : IDOK), &button);
  in = {c.cx,
        c.cy,
        e.cx,
        e.cy,
        button.right,
        button.bottom,
        static_cast<int>(strlen(chinese)),
        buttons,
        GetSystemMetrics(SM_CXDLGFRAME),
        GetSystemMetrics(SM_CXSCREEN),
        GetSystemMetrics(SM_CYSCREEN),
        GetSystemMetrics(SM_CYCAPTION)};
  const MessageLayout layout = LayoutMessageDialog(in);

  RECT window;
  GetWindowRect(dialog, &window);
  ExpectAt(window, layout.window, "window");
  for (const MessageButtonPlace& place : layout.buttons) {
    EXPECT_EQ(IsWindowVisible(GetDlgItem(dialog, place.id)) != FALSE, place.shown) << place.id;
    if (place.shown) ExpectAt(ChildRect(dialog, place.id), place.box, "button");
  }
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDCANCEL)));
  RECT client;
  GetClientRect(dialog, &client);
  const MessageLines lines = LayoutMessageLines(c.cy, e.cy, english[0] != '\0', client.right);
  ExpectAt(ChildRect(dialog, 1013), lines.chinese, "Chinese line");
  EXPECT_EQ(IsWindowVisible(GetDlgItem(dialog, 1028)) != FALSE, lines.englishShown);
  if (lines.englishShown) ExpectAt(ChildRect(dialog, 1028), lines.english, "English line");
}

class MessageDialogTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(LoadGlyphSheets(), GlyphLoadResult::kLoaded);
    Canvas glyphs(64, 16, RGB(255, 255, 255));
    DrawBitmapText(glyphs.dc(), 0, 0, "安装程序", 0);
    ASSERT_GT(CountColour(glyphs, {0, 0, 64, 16}, RGB(0, 0, 0)), 100) << "the sheets carry ink";
  }
  static void TearDownTestSuite() { FreeGlyphSheets(); }
};

TEST_F(MessageDialogTest, OkMessageIsLaidOutAndOkGivesOne) {
  const BilingualText& m = kMsgInstallSucceeded;
  HWND owner = CreateWindowA("STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
  const int result = RunMessage(
      m.chinese, m.english, m.buttons,
      [&](HWND dialog, int tick) {
        if (tick < 2) return false;
        ExpectLayout(dialog, m.chinese, m.english, m.buttons);
        EXPECT_EQ(ControlText(dialog, 1013), m.chinese);
        EXPECT_EQ(ControlText(dialog, 1028), m.english);
        EXPECT_FALSE(IsWindowEnabled(owner)) << "the owner is disabled while the message is open";
        CaptureWindow(dialog, "message_ok");
        Click(dialog, IDOK);
        return true;
      },
      owner);
  EXPECT_EQ(result, IDOK);
  EXPECT_TRUE(IsWindowEnabled(owner));
  DestroyWindow(owner);
}

TEST_F(MessageDialogTest, YesNoQuestionGivesSixSevenAndTwoForEscapeAndTheCloseBox) {
  const BilingualText& m = kMsgReplaceWordBase;
  EXPECT_EQ(RunMessage(m.chinese, m.english, m.buttons,
                       [&](HWND dialog, int tick) {
                         if (tick < 2) return false;
                         ExpectLayout(dialog, m.chinese, m.english, m.buttons);
                         CaptureWindow(dialog, "message_yes_no");
                         Click(dialog, IDYES);
                         return true;
                       }),
            IDYES);
  EXPECT_EQ(RunMessage(m.chinese, m.english, m.buttons,
                       [](HWND dialog, int) {
                         Click(dialog, IDNO);
                         return true;
                       }),
            IDNO);
  EXPECT_EQ(RunMessage(m.chinese, m.english, m.buttons,
                       [](HWND dialog, int) {
                         HWND focus = GetFocus();
                         PostMessageA(focus != nullptr ? focus : dialog, WM_KEYDOWN, VK_ESCAPE,
                                      0x00010001);
                         return true;
                       }),
            IDCANCEL);
  EXPECT_EQ(RunMessage(m.chinese, m.english, m.buttons,
                       [](HWND dialog, int) {
                         PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
                         return true;
                       }),
            IDCANCEL);
}

TEST_F(MessageDialogTest, OtherCommandsAreIgnored) {
  const BilingualText& m = kMsgNoMemory;
  EXPECT_EQ(RunMessage(m.chinese, m.english, m.buttons,
                       [](HWND dialog, int tick) {
                         if (tick == 0) {
                           for (int id : {3, 4, 5, 1013, 1028})
                             PostMessageA(dialog, WM_COMMAND, id, 0);
                           return false;
                         }
                         EXPECT_TRUE(IsWindowVisible(dialog)) << "still open";
                         Click(dialog, IDOK);
                         return true;
                       }),
            IDOK);
}

TEST_F(MessageDialogTest, EmptyEnglishHidesItsLine) {
  const char* chinese = "祝贺您：安装顺利完成！";
  for (const char* english : {static_cast<const char*>(nullptr), ""}) {
    EXPECT_EQ(RunMessage(chinese, english, kButtonsOk,
                         [&](HWND dialog, int tick) {
                           if (tick < 1) return false;
                           ExpectLayout(dialog, chinese, "", kButtonsOk);
                           EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, 1028)));
                           RECT client;
                           GetClientRect(dialog, &client);
                           RECT ok = ChildRect(dialog, IDOK);
                           // H = 3 * (bh + 16), no English share: the button row is 2 * bh above H.
                           const int bh = ok.bottom - ok.top;
                           EXPECT_EQ(ok.top, 3 * (bh + 16) - 2 * bh);
                           Click(dialog, IDOK);
                           return true;
                         }),
              IDOK);
  }
}

TEST_F(MessageDialogTest, LongEnglishShowsItsFirst127Bytes) {
  std::string english;
  for (int i = 0; english.size() < 200; ++i) english += "word" + std::to_string(i) + " ";
  english.resize(200);
  EXPECT_EQ(RunMessage("内存不够。", english.c_str(), kButtonsOk,
                       [&](HWND dialog, int tick) {
                         if (tick < 1) return false;
                         EXPECT_EQ(ControlText(dialog, 1028), english.substr(0, 127));
                         ExpectLayout(dialog, "内存不够。", english.substr(0, 127).c_str(),
                                      kButtonsOk);
                         Click(dialog, IDOK);
                         return true;
                       }),
            IDOK);
}

TEST_F(MessageDialogTest, FormattedFolderMessageIsSizedAndDrawnInFull) {
  char chinese[600];
  snprintf(chinese, sizeof chinese, kMsgCannotCreateGroup.chinese,
           "C:\\Documents and Settings\\All Users\\Start Menu\\Programs\\Quorvane Editor Tools");
  ASSERT_GT(strlen(chinese), 80u);
  const int result =
      RunMessage(chinese, kMsgCannotCreateGroup.english, kButtonsOk, [&](HWND dialog, int tick) {
        if (tick < 2) return false;
        ExpectLayout(dialog, chinese, kMsgCannotCreateGroup.english, kButtonsOk);
        EXPECT_EQ(ControlText(dialog, 1013), chinese);
        CaptureWindow(dialog, "message_long_path");

        // The Chinese line on screen against the whole text drawn directly in the line's font.
        HWND line = GetDlgItem(dialog, 1013);
        RECT r;
        GetWindowRect(line, &r);
        const int w = r.right - r.left, h = r.bottom - r.top;
        std::unique_ptr<Canvas> onScreen = Canvas::FromScreen(r.left, r.top, w, h);
        auto reference = [&](const char* text) {
          auto c = std::make_unique<Canvas>(w, h, 0);
          DrawExpectedCaption(c.get(), text,
                              reinterpret_cast<HFONT>(SendMessageA(line, WM_GETFONT, 0, 0)), true);
          return c;
        };
        std::unique_ptr<Canvas> whole = reference(chinese);
        std::unique_ptr<Canvas> cut = reference(std::string(chinese, 79).c_str());
        EXPECT_EQ(CountDifferences(*onScreen, *whole, {0, 0, w, h}), 0);
        EXPECT_GT(CountDifferences(*onScreen, *cut, {0, 0, w, h}), 0);
        Click(dialog, IDOK);
        return true;
      });
  EXPECT_EQ(result, IDOK);
}

}  // namespace
