// The message dialog's layout: window size and place, buttons and the two text lines, from the
// measured texts, the button size and the system metrics.
#pragma once

// The measurements that the dialog gathers when it opens.
struct MessageLayoutInput {
  int chineseWidth;   // the Chinese text measured with bitmap text
  int chineseHeight;  // one glyph high: 16
  int englishWidth;   // the English text's extent; 0 when empty or not measurable
  int englishHeight;
  int buttonWidth;  // client size of the first button (kMessageButtonFallback* when missing)
  int buttonHeight;
  int chineseBytes;   // length of the Chinese text in bytes
  int buttons;        // button set: kButtonsOk or kButtonsYesNo
  int frameWidth;     // SM_CXDLGFRAME
  int screenWidth;    // SM_CXSCREEN
  int screenHeight;   // SM_CYSCREEN
  int captionHeight;  // SM_CYCAPTION
};

struct LayoutBox {
  int x;
  int y;
  int width;
  int height;
};

// One of the two buttons that a button set names (1 and 2, or 6 and 7).
struct MessageButtonPlace {
  int id;
  bool shown;
  LayoutBox box;  // client coordinates of the dialog
};

struct MessageLayout {
  int contentWidth;   // W: the texts plus frames (and margins for a short Chinese text)
  int contentHeight;  // H: the client height the texts and buttons need
  LayoutBox window;   // screen coordinates, centred on W x H
  MessageButtonPlace buttons[2];
};

// The two text lines, placed once the client width of the sized window is known.
struct MessageLines {
  LayoutBox chinese;
  bool englishShown;
  LayoutBox english;
};

// Button size used when the first button of the set does not exist.
constexpr int kMessageButtonFallbackWidth = 82;
constexpr int kMessageButtonFallbackHeight = 12;
// A Chinese text up to this many bytes gets a margin of one button height on either side.
constexpr int kShortChineseBytes = 80;

MessageLayout LayoutMessageDialog(const MessageLayoutInput& in);

MessageLines LayoutMessageLines(int chineseHeight, int englishHeight, bool hasEnglish,
                                int clientWidth);
