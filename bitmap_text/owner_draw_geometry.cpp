// The arithmetic of the painters: bevel lines, caption origin, focus rectangles, check-box shape.
#include "bitmap_text/owner_draw_geometry.h"

#include "bitmap_text/glyph_cell.h"

namespace {

// Button styles in the low byte of a window style (BS_* of the system).
constexpr int kStyleCheckBox = 2;
constexpr int kStyleAutoCheckBox = 3;
constexpr int kStyleRadioButton = 4;
constexpr int kStyleAutoRadioButton = 9;

void Add(BevelPlan* plan, BevelPen pen, int count, const PixelPoint* points) {
  BevelStroke& stroke = plan->strokes[plan->strokeCount++];
  stroke.pen = pen;
  stroke.pointCount = count;
  for (int k = 0; k < count; ++k) stroke.points[k] = points[k];
}

}  // namespace

BevelPlan PlanBevel(PixelRect r, bool isDefaultButton) {
  BevelPlan plan{};
  for (int i = 1; i <= 2; ++i) {
    const PixelPoint a[] = {
        {r.left + i, r.bottom - i - 1}, {r.left + i, r.top + i}, {r.right - i - 1, r.top + i}};
    const PixelPoint b[] = {{r.right - i - 1, r.top + i},
                            {r.right - i - 1, r.bottom - i - 1},
                            {r.left + i, r.bottom - i - 1}};
    Add(&plan, BevelPen::kA, 3, a);
    Add(&plan, BevelPen::kB, 3, b);
  }
  if (isDefaultButton) {
    const PixelPoint frame[] = {{r.left, r.bottom - 1},
                                {r.left, r.top},
                                {r.right - 1, r.top},
                                {r.right - 1, r.bottom - 1},
                                {r.left, r.bottom - 1}};
    const PixelPoint inner[] = {
        {r.left + 1, r.bottom - 2}, {r.right - 2, r.bottom - 2}, {r.right - 2, r.top + 1}};
    Add(&plan, BevelPen::kBlack, 5, frame);
    Add(&plan, BevelPen::kBlack, 3, inner);
  } else {
    const PixelPoint edge[] = {
        {r.left + 1, r.bottom - 1}, {r.right - 1, r.bottom - 1}, {r.right - 1, r.top}};
    Add(&plan, BevelPen::kB, 3, edge);
  }
  return plan;
}

PixelPoint CaptionOrigin(PixelRect item, int textWidth, bool centred, bool pressed) {
  // Integer division truncates toward zero, also for a caption wider than the control.
  int x = centred ? item.left + (item.right - item.left - textWidth) / 2 : item.left;
  int y = item.top + (item.bottom - item.top - kGlyphSize) / 2;
  if (pressed) return {x + 2, y + 1};
  return {x, y};
}

PixelRect ButtonFocusRect(PixelRect item) {
  int dx = (item.right - item.left) / 10;
  int dy = (item.bottom - item.top) / 8;
  return {item.left + dx, item.top + dy, item.right - dx, item.bottom - dy};
}

CheckBoxGeometry PlanCheckBox(PixelRect client, int styleLowByte) {
  CheckBoxGeometry g{};
  g.fill = {client.left - 2, client.top - 2, client.right + 2, client.bottom + 2};
  const int h = g.fill.bottom - g.fill.top;
  PixelRect box = {g.fill.left, g.fill.top, g.fill.left + h, g.fill.bottom};
  if (styleLowByte == kStyleCheckBox || styleLowByte == kStyleAutoCheckBox) {
    const int inset = h / 4;
    box = {box.left + inset - h / 8, box.top + inset - 1, box.right - inset - h / 7,
           box.bottom - inset - 3};
  } else {
    const int inset = h / 12;
    box = {box.left + inset - 1, box.top + inset + 1, box.right - inset - h / 5,
           box.bottom - inset - 2};
    g.radio = styleLowByte == kStyleRadioButton || styleLowByte == kStyleAutoRadioButton;
  }
  g.box = box;
  g.text = {box.right + (box.right - box.left), g.fill.top + 3};
  return g;
}

PixelRect CheckBoxFocusRect(PixelPoint text, int textWidth) {
  return {text.x - 1, text.y - 1, text.x + textWidth + 3, text.y + kGlyphSize + 2};
}
