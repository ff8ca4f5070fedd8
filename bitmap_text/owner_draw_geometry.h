// The arithmetic of the painters: bevel lines, caption origin, focus rectangles, check-box shape.
#pragma once

struct PixelPoint {
  int x;
  int y;
};

// A rectangle as Windows keeps one: right and bottom lie just outside it.
struct PixelRect {
  int left;
  int top;
  int right;
  int bottom;
};

// The pens of a bevel. A draws the top-left edges and B the bottom-right ones: A is the button
// highlight colour and B the shadow colour on a raised button, swapped on a pressed one.
enum class BevelPen { kA, kB, kBlack };

// One polyline: move to points[0], then LineTo each further point (which leaves out the end
// pixel of each segment).
struct BevelStroke {
  BevelPen pen;
  int pointCount;
  PixelPoint points[5];
};

constexpr int kMaxBevelStrokes = 6;

struct BevelPlan {
  int strokeCount;
  BevelStroke strokes[kMaxBevelStrokes];
};

// The lines of a bevelled button on `item`: two rings of A over B, then the default button's
// black frame with its doubled bottom-right edge, or a single B line on the outer bottom-right
// edge of any other button.
BevelPlan PlanBevel(PixelRect item, bool isDefaultButton);

// Where a caption `textWidth` wide and one glyph high starts on `item`, left-aligned or centred
// (a caption wider than the control starts left of it), moved by (2, 1) when pressed.
PixelPoint CaptionOrigin(PixelRect item, int textWidth, bool centred, bool pressed);

// The focus rectangle of an owner-drawn button: a tenth of the width in from the left and the
// right, an eighth of the height in from the top and the bottom.
PixelRect ButtonFocusRect(PixelRect item);

// The shape of a check box painted with bitmap text, from its client rectangle and the low
// byte of its window style.
struct CheckBoxGeometry {
  PixelRect fill;   // the client rectangle grown by 2 pixels on every side
  PixelRect box;    // where the check mark or radio circle is drawn
  bool radio;       // BS_RADIOBUTTON and BS_AUTORADIOBUTTON
  PixelPoint text;  // top-left of the caption: one box width right of the box
};
CheckBoxGeometry PlanCheckBox(PixelRect client, int styleLowByte);

// The focus rectangle around a check box's caption `textWidth` wide starting at `text`.
PixelRect CheckBoxFocusRect(PixelPoint text, int textWidth);
