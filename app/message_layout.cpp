// The message dialog's layout arithmetic; all values are pixels and all divisions truncate.
#include "app/message_layout.h"

#include "common/message_catalogue.h"

namespace {

int Max(int a, int b) { return a > b ? a : b; }

}  // namespace

MessageLayout LayoutMessageDialog(const MessageLayoutInput& in) {
  MessageLayout out{};
  const bool yesNo = in.buttons == kButtonsYesNo;
  const int bw = in.buttonWidth, bh = in.buttonHeight;

  const int minWidth = in.buttons != kButtonsOk ? 3 * bw : 2 * bw;
  int w = Max(in.chineseWidth, in.englishWidth) + 2 * in.frameWidth;
  if (in.chineseBytes <= kShortChineseBytes) w += 2 * bh;
  const int h = 3 * (bh + in.chineseHeight) + 2 * in.englishHeight;
  out.contentWidth = w;
  out.contentHeight = h;
  out.window = {(in.screenWidth - w) / 2, (in.screenHeight - h) / 2, Max(w, minWidth),
                h + in.captionHeight};

  // The buttons are centred on W even when the window is wider (minWidth).
  const int row = h - 2 * bh;
  out.buttons[0] = {yesNo ? 6 : 1, false, {0, row, bw, bh}};
  out.buttons[1] = {yesNo ? 7 : 2, false, {0, row, bw, bh}};
  if (in.buttons == kButtonsOk) {
    out.buttons[0].shown = true;
    out.buttons[0].box.x = (w - bw) / 2;
  } else if (yesNo) {
    const int x1 = (w - 7 * bw / 3) / 2;
    out.buttons[0].shown = true;
    out.buttons[0].box.x = x1;
    out.buttons[1].shown = true;
    out.buttons[1].box.x = x1 + 4 * bw / 3;
  }
  return out;
}

MessageLines LayoutMessageLines(int chineseHeight, int englishHeight, bool hasEnglish,
                                int clientWidth) {
  MessageLines lines{};
  const int top = 2 * chineseHeight / 3;
  lines.chinese = {0, top, clientWidth, 3 * chineseHeight};
  lines.englishShown = hasEnglish;
  if (hasEnglish) lines.english = {0, top + 3 * chineseHeight + 5, clientWidth, 2 * englishHeight};
  return lines;
}
