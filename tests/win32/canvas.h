// Helpers of the drawing tests: 32-bit DIB sections to paint into, read pixel by pixel, compare
// and save, captures of the screen, and the glyph-sheet pixels to compare with.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

// A top-down 32-bit DIB section selected into its own memory context.
class Canvas {
 public:
  Canvas(int width, int height, COLORREF fill);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC dc() const { return dc_; }
  int width() const { return width_; }
  int height() const { return height_; }
  bool ok() const { return dc_ != nullptr && bitmap_ != nullptr; }
  COLORREF At(int x, int y) const;  // CLR_INVALID outside
  void Set(int x, int y, COLORREF colour);
  void Fill(COLORREF colour);

  // Copies `width` x `height` pixels of the screen from (x, y) into a new canvas.
  static std::unique_ptr<Canvas> FromScreen(int x, int y, int width, int height);

  // Writes the canvas as a 24-bit BMP file; false when it cannot be written.
  bool SaveBmp(const std::string& path) const;

 private:
  int width_;
  int height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ earlier_;
  uint32_t* bits_;
};

// Paints `window` with its children now and takes what the screen shows of it; saved as
// K7_SCREENSHOT_DIR\<name>.bmp when a name is given.
std::unique_ptr<Canvas> CaptureWindow(HWND window, const char* name = nullptr);

// The number of pixels of `a` inside the rectangle that differ from `b` at the same place
// shifted by (dx, dy): b is read at (x + dx, y + dy).
int CountDifferences(const Canvas& a, const Canvas& b, RECT area, int dx = 0, int dy = 0);

// The number of pixels inside `area` that have colour `colour`.
int CountColour(const Canvas& canvas, RECT area, COLORREF colour);

// Whether pixel (px, py) of the 16x16 glyph of GBK code `code` is ink on the glyph sheets as the
// sample payload holds them (ChnBmp.bin, the bytes of resource 110).
bool GlyphInk(uint16_t code, int px, int py);

// The GBK code of the double-byte character that `text` starts with.
uint16_t GbkCodeAt(const char* text);

// The 16x16 cell at (x, y) of `canvas` against the glyph of GBK code `code`: `ink`, how many
// pixels of the glyph are ink on the sheets; `wrong`, how many pixels of the cell are not what
// the sheets say: an ink pixel not `inkColour`, or another pixel not `paper` (with paper
// CLR_INVALID: another pixel of the ink's colour, whatever the paper).
struct GlyphCellMatch {
  int ink;
  int wrong;
};
GlyphCellMatch MatchGlyphCell(const Canvas& canvas, int x, int y, uint16_t code, COLORREF inkColour,
                              COLORREF paper = CLR_INVALID);

// Fills `canvas` with the button face and draws `text` on it as a bitmap-text control or button
// of that size shows it: with DrawBitmapText, in `font` (null: the canvas's own), vertically
// centred, centred or at the left, shifted by (dx, dy).
void DrawExpectedCaption(Canvas* canvas, const char* text, HFONT font, bool centred, int dx = 0,
                         int dy = 0);

// The glyph-sheet bytes behind GlyphInk.
const std::string& GlyphSheetBytes();
