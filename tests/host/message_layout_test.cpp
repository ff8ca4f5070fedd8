// The message dialog's layout arithmetic, case by case.
#include "app/message_layout.h"

#include <gtest/gtest.h>

namespace {

// A 1024 x 768 screen, dialog frames of 3 pixels, an 18-pixel caption, 110 x 29 buttons.
MessageLayoutInput Input(int buttons, int cw, int ew, int eh, int chineseBytes) {
  MessageLayoutInput in{};
  in.chineseWidth = cw;
  in.chineseHeight = 16;
  in.englishWidth = ew;
  in.englishHeight = eh;
  in.buttonWidth = 110;
  in.buttonHeight = 29;
  in.chineseBytes = chineseBytes;
  in.buttons = buttons;
  in.frameWidth = 3;
  in.screenWidth = 1024;
  in.screenHeight = 768;
  in.captionHeight = 18;
  return in;
}

void ExpectBox(const LayoutBox& box, int x, int y, int w, int h) {
  EXPECT_EQ(box.x, x);
  EXPECT_EQ(box.y, y);
  EXPECT_EQ(box.width, w);
  EXPECT_EQ(box.height, h);
}

TEST(MessageLayoutTest, OkOnlyIsCentredUnderTheTexts) {
  const MessageLayout l = LayoutMessageDialog(Input(0, 192, 120, 13, 24));
  // W = 192 + 2 * 3 + 2 * 29; H = 3 * (29 + 16) + 2 * 13.
  EXPECT_EQ(l.contentWidth, 256);
  EXPECT_EQ(l.contentHeight, 161);
  ExpectBox(l.window, (1024 - 256) / 2, (768 - 161) / 2, 256, 161 + 18);
  EXPECT_EQ(l.buttons[0].id, 1);
  EXPECT_TRUE(l.buttons[0].shown);
  ExpectBox(l.buttons[0].box, (256 - 110) / 2, 161 - 58, 110, 29);
  EXPECT_EQ(l.buttons[1].id, 2);
  EXPECT_FALSE(l.buttons[1].shown);
  // Any other button set shows neither button.
  const MessageLayout other = LayoutMessageDialog(Input(1, 192, 120, 13, 24));
  EXPECT_FALSE(other.buttons[0].shown || other.buttons[1].shown);
}

TEST(MessageLayoutTest, YesNoPairIsCentredWithAThirdOfAButtonBetween) {
  const MessageLayout l = LayoutMessageDialog(Input(4, 380, 350, 13, 48));
  EXPECT_EQ(l.contentWidth, 380 + 6 + 58);
  EXPECT_EQ(l.buttons[0].id, 6);
  EXPECT_EQ(l.buttons[1].id, 7);
  EXPECT_TRUE(l.buttons[0].shown && l.buttons[1].shown);
  // x1 = (444 - 770 / 3) / 2 = (444 - 256) / 2; No at x1 + 440 / 3.
  EXPECT_EQ(l.buttons[0].box.x, 94);
  EXPECT_EQ(l.buttons[1].box.x, 94 + 146);
  EXPECT_EQ(l.buttons[1].box.x - (l.buttons[0].box.x + 110), 36) << "a third of a button";
  EXPECT_EQ(l.buttons[0].box.y, l.buttons[1].box.y);
  EXPECT_EQ(l.window.width, 444);
}

TEST(MessageLayoutTest, EmptyEnglishGivesNoHeightAndNoLine) {
  const MessageLayout l = LayoutMessageDialog(Input(0, 192, 0, 0, 24));
  EXPECT_EQ(l.contentHeight, 3 * (29 + 16));
  EXPECT_EQ(l.contentWidth, 192 + 6 + 58);
  const MessageLines lines = LayoutMessageLines(16, 0, false, 250);
  EXPECT_FALSE(lines.englishShown);
  ExpectBox(lines.chinese, 0, 10, 250, 48);
}

TEST(MessageLayoutTest, LinesSpanTheClientWidth) {
  const MessageLines lines = LayoutMessageLines(16, 13, true, 250);
  ExpectBox(lines.chinese, 0, 10, 250, 48);
  EXPECT_TRUE(lines.englishShown);
  ExpectBox(lines.english, 0, 10 + 48 + 5, 250, 26);
}

TEST(MessageLayoutTest, ChineseOverEightyBytesGetsNoButtonMargins) {
  // 80 bytes still get the margins, 81 do not: the window is the text plus the two frames.
  EXPECT_EQ(LayoutMessageDialog(Input(0, 600, 200, 13, 80)).contentWidth, 600 + 6 + 58);
  const MessageLayout l = LayoutMessageDialog(Input(0, 600, 200, 13, 81));
  EXPECT_EQ(l.contentWidth, 600 + 6);
  EXPECT_EQ(l.window.width, 606);
  // The wider of the two texts decides.
  EXPECT_EQ(LayoutMessageDialog(Input(0, 300, 640, 13, 200)).contentWidth, 646);
}

TEST(MessageLayoutTest, NarrowTextsGiveMinimumWidthButButtonsStayCentredOnW) {
  const MessageLayout ok = LayoutMessageDialog(Input(0, 64, 50, 13, 8));
  EXPECT_EQ(ok.contentWidth, 128);
  EXPECT_EQ(ok.window.width, 2 * 110);
  EXPECT_EQ(ok.window.x, (1024 - 128) / 2) << "centred on W, not on the wider window";
  EXPECT_EQ(ok.buttons[0].box.x, (128 - 110) / 2);
  EXPECT_LT(ok.buttons[0].box.x + 55, ok.window.width / 2) << "left of the window's centre";

  const MessageLayout yesNo = LayoutMessageDialog(Input(4, 64, 50, 13, 8));
  EXPECT_EQ(yesNo.window.width, 3 * 110);
  EXPECT_EQ(yesNo.buttons[0].box.x, (128 - 256) / 2);  // -64: truncation toward zero
  EXPECT_EQ(yesNo.buttons[1].box.x, -64 + 146);
}

TEST(MessageLayoutTest, WindowWiderThanTheScreenStartsLeftOfIt) {
  const MessageLayout l = LayoutMessageDialog(Input(0, 1195, 100, 13, 150));
  EXPECT_EQ(l.contentWidth, 1201);
  EXPECT_EQ(l.window.x, (1024 - 1201) / 2);
  EXPECT_EQ(l.window.x, -88);
}

}  // namespace
