// The painters' portable parts: caption table, bevel lines, caption origin, focus and check-box
// shape.
#include "bitmap_text/owner_draw_geometry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bitmap_text/button_captions.h"
#include "resources/resource_ids.h"

namespace {

// Draws a bevel plan onto a character grid as LineTo would: each segment leaves out its end
// pixel. 'A' and 'B' are the two bevel pens, 'K' the black pen, '.' the untouched face.
std::vector<std::string> Rasterise(const BevelPlan& plan, int width, int height) {
  std::vector<std::string> grid(height, std::string(width, '.'));
  for (int s = 0; s < plan.strokeCount; ++s) {
    const BevelStroke& stroke = plan.strokes[s];
    const char ink = stroke.pen == BevelPen::kA ? 'A' : stroke.pen == BevelPen::kB ? 'B' : 'K';
    for (int k = 1; k < stroke.pointCount; ++k) {
      PixelPoint p = stroke.points[k - 1];
      const PixelPoint q = stroke.points[k];
      EXPECT_TRUE(p.x == q.x || p.y == q.y) << "bevel lines are horizontal or vertical";
      const int dx = (q.x > p.x) - (q.x < p.x), dy = (q.y > p.y) - (q.y < p.y);
      for (; p.x != q.x || p.y != q.y; p.x += dx, p.y += dy) {
        EXPECT_TRUE(p.x >= 0 && p.x < width && p.y >= 0 && p.y < height) << "inside the item";
        if (p.x >= 0 && p.x < width && p.y >= 0 && p.y < height) grid[p.y][p.x] = ink;
      }
    }
  }
  return grid;
}

TEST(BevelTest, RaisedButtonHasTwoRingsAndOneOuterDarkEdge) {
  const std::vector<std::string> expected = {
      "........",  //
      ".AAAAABB",  //
      ".AAAABBB",  //
      ".AA..BBB",  //
      ".AABBBBB",  //
      ".ABBBBBB",  //
      ".BBBBBBB",  //
  };
  EXPECT_EQ(Rasterise(PlanBevel({0, 0, 8, 7}, false), 8, 7), expected);
}

TEST(BevelTest, DefaultButtonHasBlackFrameAndDoubledBottomRightEdge) {
  const std::vector<std::string> expected = {
      "KKKKKKKK",  //
      "KAAAAABK",  //
      "KAAAABKK",  //
      "KAA..BKK",  //
      "KAABBBKK",  //
      "KKKKKKKK",  //
      "KKKKKKKK",  //
  };
  EXPECT_EQ(Rasterise(PlanBevel({0, 0, 8, 7}, true), 8, 7), expected);
}

TEST(CaptionOriginTest, CentresLeftAlignsAndTruncatesTowardZero) {
  const PixelRect item = {10, 20, 110, 43};  // 100 x 23
  EXPECT_EQ(CaptionOrigin(item, 60, true, false).x, 30);
  EXPECT_EQ(CaptionOrigin(item, 61, true, false).x, 29);
  EXPECT_EQ(CaptionOrigin(item, 60, true, false).y, 23);
  EXPECT_EQ(CaptionOrigin(item, 60, false, false).x, 10);
  // Wider than the control: starts left of it, (100 - 121) / 2 = -10, not -11.
  EXPECT_EQ(CaptionOrigin(item, 121, true, false).x, 0);
  // A control lower than a glyph: (10 - 16) / 2 = -3.
  EXPECT_EQ(CaptionOrigin({0, 0, 50, 10}, 10, true, false).y, -3);
  // Pressed: two pixels right and one down.
  EXPECT_EQ(CaptionOrigin(item, 60, true, true).x, 32);
  EXPECT_EQ(CaptionOrigin(item, 60, true, true).y, 24);
}

TEST(FocusRectTest, ButtonsInsetByATenthAndAnEighthCheckBoxesFrameTheirText) {
  // A 110 x 16 button: 11 pixels in from each side, 2 from the top and the bottom.
  const PixelRect button = ButtonFocusRect({5, 7, 115, 23});
  EXPECT_EQ(button.left, 16);
  EXPECT_EQ(button.top, 9);
  EXPECT_EQ(button.right, 104);
  EXPECT_EQ(button.bottom, 21);
  // A check box's text of 100 pixels at (32, 1): one pixel round it, three right, two below.
  const PixelRect box = CheckBoxFocusRect({32, 1}, 100);
  EXPECT_EQ(box.left, 31);
  EXPECT_EQ(box.top, 0);
  EXPECT_EQ(box.right, 135);
  EXPECT_EQ(box.bottom, 19);
}

TEST(CheckBoxGeometryTest, CheckBoxStylesGetTheSmallSquare) {
  for (int style : {2, 3}) {
    // Client 220 x 26: grown to 30 high, so H / 4 = 7, H / 8 = 3, H / 7 = 4.
    const CheckBoxGeometry g = PlanCheckBox({0, 0, 220, 26}, style);
    EXPECT_EQ(g.fill.left, -2);
    EXPECT_EQ(g.fill.top, -2);
    EXPECT_EQ(g.fill.right, 222);
    EXPECT_EQ(g.fill.bottom, 28);
    EXPECT_EQ(g.box.left, 2);
    EXPECT_EQ(g.box.top, 4);
    EXPECT_EQ(g.box.right, 17);
    EXPECT_EQ(g.box.bottom, 18);
    EXPECT_FALSE(g.radio);
    EXPECT_EQ(g.text.x, 32);  // one box width (15) right of the box
    EXPECT_EQ(g.text.y, 1);
  }
  // Client 220 x 68: H = 72, H / 4 = 18, H / 8 = 9, H / 7 = 10.
  const CheckBoxGeometry tall = PlanCheckBox({0, 0, 220, 68}, 3);
  EXPECT_EQ(tall.box.left, 7);
  EXPECT_EQ(tall.box.right, 42);
}

TEST(CheckBoxGeometryTest, OtherStylesGetTheLargeShapeAndRadioStylesARadioButton) {
  // Client 100 x 20: H = 24, H / 12 = 2, H / 5 = 4.
  const CheckBoxGeometry radio = PlanCheckBox({0, 0, 100, 20}, 9);
  EXPECT_TRUE(radio.radio);
  EXPECT_EQ(radio.box.left, -1);
  EXPECT_EQ(radio.box.top, 1);
  EXPECT_EQ(radio.box.right, 16);
  EXPECT_EQ(radio.box.bottom, 18);
  EXPECT_EQ(radio.text.x, 33);
  EXPECT_TRUE(PlanCheckBox({0, 0, 100, 20}, 4).radio);
  // Client 100 x 26: H = 30, H / 12 = 2, H / 5 = 6.
  EXPECT_EQ(PlanCheckBox({0, 0, 100, 26}, 9).box.right, 20);
  // A left-text auto check box (0x23) is not one of the check-box styles by its low byte.
  const CheckBoxGeometry other = PlanCheckBox({0, 0, 100, 20}, 0x23);
  EXPECT_FALSE(other.radio);
  EXPECT_EQ(other.box.left, radio.box.left);
  EXPECT_EQ(other.box.right, radio.box.right);
}

TEST(ButtonCaptionTest, NextButtonFollowsTheWizardState) {
  for (int state : {-1, 0, 2})
    EXPECT_STREQ(ButtonCaptionFor(IDC_NEXT, state).caption, "下一步 Next");
  for (int state : {3, 99}) {
    EXPECT_STREQ(ButtonCaptionFor(IDC_NEXT, state).caption, "同意/安装 Agree/Install");
  }
}

TEST(ButtonCaptionTest, MessageLineIsDrawnWholeOtherControlsFromTheirWindowText) {
  const ButtonCaption line = ButtonCaptionFor(IDC_MESSAGE_CHINESE, 0);
  EXPECT_EQ(line.source, CaptionSource::kWholeWindowText);
  EXPECT_EQ(line.look, ButtonLook::kFlat);
  const ButtonCaption other = ButtonCaptionFor(4242, 0);
  EXPECT_EQ(other.source, CaptionSource::kWindowText);
  EXPECT_EQ(other.look, ButtonLook::kBevelled);
  EXPECT_EQ(other.align, CaptionAlign::kCentred);
  EXPECT_EQ(ButtonCaptionFor(IDC_PATH_LABEL, 0).align, CaptionAlign::kLeft);
  EXPECT_EQ(ButtonCaptionFor(IDC_SIDE_LABEL3, 0).look, ButtonLook::kFlat);
  // The desktop box asks its bilingual question; the word-base question's answers, whose text
  // is set as the question is asked, show their own.
  EXPECT_NE(CheckBoxCaptionFor(IDC_DESKTOP_ICON), nullptr);
  EXPECT_EQ(CheckBoxCaptionFor(IDC_TEST_ANSWER1), nullptr);
}

}  // namespace
