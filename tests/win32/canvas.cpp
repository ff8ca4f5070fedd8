// Helpers of the drawing tests: DIB-section canvases, comparisons, BMP files, screen captures,
// and the glyph-sheet pixels to compare with.
#include "canvas.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "bitmap_text/bitmap_text.h"
#include "bitmap_text/glyph_cell.h"
#include "test_files.h"

Canvas::Canvas(int width, int height, COLORREF fill) : width_(width), height_(height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  dc_ = CreateCompatibleDC(screen);
  bitmap_ = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ReleaseDC(nullptr, screen);
  bits_ = static_cast<uint32_t*>(bits);
  earlier_ = SelectObject(dc_, bitmap_);
  Fill(fill);
}

Canvas::~Canvas() {
  SelectObject(dc_, earlier_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

COLORREF Canvas::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  GdiFlush();
  const uint32_t p = bits_[y * width_ + x];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void Canvas::Set(int x, int y, COLORREF colour) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  GdiFlush();
  bits_[y * width_ + x] = GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
}

void Canvas::Fill(COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  RECT all = {0, 0, width_, height_};
  FillRect(dc_, &all, brush);
  DeleteObject(brush);
}

std::unique_ptr<Canvas> Canvas::FromScreen(int x, int y, int width, int height) {
  auto canvas = std::make_unique<Canvas>(width, height, RGB(0, 0, 0));
  HDC screen = GetDC(nullptr);
  BitBlt(canvas->dc_, 0, 0, width, height, screen, x, y, SRCCOPY);
  ReleaseDC(nullptr, screen);
  return canvas;
}

bool Canvas::SaveBmp(const std::string& path) const {
  const int rowBytes = (width_ * 3 + 3) & ~3;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width_;
  header.biHeight = height_;  // bottom-up
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = rowBytes * height_;
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + header.biSizeImage;
  FILE* f = fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  fwrite(&file, sizeof file, 1, f);
  fwrite(&header, sizeof header, 1, f);
  std::vector<unsigned char> row(rowBytes);
  for (int y = height_ - 1; y >= 0; --y) {
    for (int x = 0; x < width_; ++x) {
      const COLORREF c = At(x, y);
      row[3 * x] = GetBValue(c);
      row[3 * x + 1] = GetGValue(c);
      row[3 * x + 2] = GetRValue(c);
    }
    fwrite(row.data(), 1, row.size(), f);
  }
  return fclose(f) == 0;
}

int CountDifferences(const Canvas& a, const Canvas& b, RECT area, int dx, int dy) {
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) count += a.At(x, y) != b.At(x + dx, y + dy);
  }
  return count;
}

int CountColour(const Canvas& canvas, RECT area, COLORREF colour) {
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) count += canvas.At(x, y) == colour;
  }
  return count;
}

const std::string& GlyphSheetBytes() {
  static const std::string bytes = ReadBytes(std::string(K7_SAMPLE_PAYLOAD_DIR) + "\\ChnBmp.bin");
  return bytes;
}

bool GlyphInk(uint16_t code, int px, int py) {
  const GlyphCell c = GlyphCellOf(code);
  const size_t offset = static_cast<size_t>(c.sheet) * kSheetBytes +
                        static_cast<size_t>(c.y + py) * (kSheetWidth / 8) + (c.x + px) / 8;
  if (offset >= GlyphSheetBytes().size()) return false;
  const unsigned char byte = static_cast<unsigned char>(GlyphSheetBytes()[offset]);
  return (byte & (0x80 >> ((c.x + px) % 8))) == 0;
}

uint16_t GbkCodeAt(const char* text) {
  return static_cast<uint16_t>(static_cast<unsigned char>(text[0]) << 8 |
                               static_cast<unsigned char>(text[1]));
}

GlyphCellMatch MatchGlyphCell(const Canvas& canvas, int x, int y, uint16_t code, COLORREF inkColour,
                              COLORREF paper) {
  GlyphCellMatch match = {0, 0};
  for (int py = 0; py < kGlyphSize; ++py) {
    for (int px = 0; px < kGlyphSize; ++px) {
      const bool ink = GlyphInk(code, px, py);
      const COLORREF shown = canvas.At(x + px, y + py);
      match.ink += ink;
      match.wrong += ink                    ? shown != inkColour
                     : paper != CLR_INVALID ? shown != paper
                                            : shown == inkColour;
    }
  }
  return match;
}

void DrawExpectedCaption(Canvas* canvas, const char* text, HFONT font, bool centred, int dx,
                         int dy) {
  canvas->Fill(GetSysColor(COLOR_BTNFACE));
  HGDIOBJ earlier = font != nullptr ? SelectObject(canvas->dc(), font) : nullptr;
  const SIZE size = MeasureBitmapText(canvas->dc(), text);
  DrawBitmapText(canvas->dc(), (centred ? (canvas->width() - size.cx) / 2 : 0) + dx,
                 (canvas->height() - kGlyphSize) / 2 + dy, text, 0);
  if (earlier != nullptr) SelectObject(canvas->dc(), earlier);
}

std::unique_ptr<Canvas> CaptureWindow(HWND window, const char* name) {
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  GdiFlush();
  Sleep(300);
  RECT r;
  GetWindowRect(window, &r);
  std::unique_ptr<Canvas> shot =
      Canvas::FromScreen(r.left, r.top, r.right - r.left, r.bottom - r.top);
  if (name != nullptr) {
    EXPECT_TRUE(shot->SaveBmp(std::string(K7_SCREENSHOT_DIR) + "\\" + name + ".bmp")) << name;
  }
  return shot;
}
