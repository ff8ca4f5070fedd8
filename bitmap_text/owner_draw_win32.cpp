// The painters of owner-drawn buttons, list items and check boxes, with bitmap text.
#include <windows.h>

#include "common/installer_state.h"
#include "common/scoped_handles.h"
#include "bitmap_text/bitmap_text.h"
#include "bitmap_text/button_captions.h"
#include "bitmap_text/owner_draw.h"
#include "bitmap_text/owner_draw_geometry.h"
#include "resources/resource_ids.h"

WNDPROC SavedCheckBoxProc;

namespace {

PixelRect ToPixelRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
RECT ToRect(const PixelRect& r) { return {r.left, r.top, r.right, r.bottom}; }


// The whole window text of a control, in a buffer sized for it and freed at the end of the
// scope. Empty when the buffer cannot be had.
class WholeWindowText {
 public:
  explicit WholeWindowText(HWND window) {
    if (window == nullptr) return;
    int length = GetWindowTextLengthA(window);
    if (length <= 0) return;
    text_ = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, length + 1));
    if (text_ != nullptr) GetWindowTextA(window, text_, length + 1);
  }
  ~WholeWindowText() {
    if (text_ != nullptr) HeapFree(GetProcessHeap(), 0, text_);
  }
  WholeWindowText(const WholeWindowText&) = delete;
  WholeWindowText& operator=(const WholeWindowText&) = delete;
  const char* get() const { return text_ != nullptr ? text_ : ""; }

 private:
  char* text_ = nullptr;
};

void DrawStroke(HDC dc, const BevelStroke& stroke) {
  MoveToEx(dc, stroke.points[0].x, stroke.points[0].y, nullptr);
  for (int k = 1; k < stroke.pointCount; ++k) LineTo(dc, stroke.points[k].x, stroke.points[k].y);
}

// Light top-left and dark bottom-right edges two pixels deep (swapped when pressed), and the
// default outline or the single dark outer edge.
void DrawBevel(HDC dc, const RECT& item, bool pressed, bool isDefault) {
  const COLORREF hi = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF sh = GetSysColor(COLOR_BTNSHADOW);
  GdiObject penA(CreatePen(PS_SOLID, 1, pressed ? sh : hi));
  GdiObject penB(CreatePen(PS_SOLID, 1, pressed ? hi : sh));
  const HGDIOBJ pens[] = {penA.get(), penB.get(), GetStockObject(BLACK_PEN)};
  GdiSelection keepPen(dc, penA.get());
  const BevelPlan plan = PlanBevel(ToPixelRect(item), isDefault);
  for (int s = 0; s < plan.strokeCount; ++s) {
    SelectObject(dc, pens[static_cast<int>(plan.strokes[s].pen)]);
    DrawStroke(dc, plan.strokes[s]);
  }
}

}  // namespace

void PaintOwnerDrawButton(const DRAWITEMSTRUCT* item) {
  if (item->CtlType != ODT_BUTTON) return;
  HDC dc = item->hDC;
  if (item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) {
    const int id = static_cast<int>(item->CtlID);
    const ButtonCaption row = ButtonCaptionFor(id, WizardState);
    char text[kButtonTextCapacity] = "";
    WholeWindowText whole(row.source == CaptionSource::kWholeWindowText ? item->hwndItem : nullptr);
    const char* caption = row.caption;
    if (row.source == CaptionSource::kWholeWindowText) {
      caption = whole.get();
    } else if (row.source == CaptionSource::kWindowText) {
      GetWindowTextA(item->hwndItem, text, sizeof text);
      caption = text;
    }

    FillRect(dc, &item->rcItem, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    const bool pressed = (item->itemState & ODS_SELECTED) != 0;
    if (row.look == ButtonLook::kBevelled) {
      DrawBevel(dc, item->rcItem, pressed, id == DefaultCommandId);
    }
    const SIZE size = MeasureBitmapText(dc, caption);
    const PixelPoint at = CaptionOrigin(ToPixelRect(item->rcItem), size.cx,
                                        row.align == CaptionAlign::kCentred, pressed);
    DrawBitmapText(dc, at.x, at.y, caption, 0);
  }
  if (item->itemState & ODS_FOCUS) {
    const RECT focus = ToRect(ButtonFocusRect(ToPixelRect(item->rcItem)));
    DrawFocusRect(dc, &focus);
  }
}

void PaintListItem(HWND dialog, int controlId, const DRAWITEMSTRUCT* item) {
  HDC dc = item->hDC;
  SaveDC(dc);
  const bool combo = controlId == IDC_LANGUAGE_LIST;
  // The licence list allows no selection: its items are always drawn plainly.
  const bool selected = combo && (item->itemState & ODS_SELECTED) != 0;
  RECT rect = item->rcItem;
  if (combo) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const COLORREF back = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    SetBkColor(dc, back);
    GdiObject brush(CreateSolidBrush(back));
    FillRect(dc, &rect, static_cast<HBRUSH>(brush.get()));
  } else {
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    FillRect(dc, &rect, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  }

  const UINT getCount = combo ? CB_GETCOUNT : LB_GETCOUNT;
  const UINT getLength = combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
  const UINT getText = combo ? CB_GETLBTEXT : LB_GETTEXT;
  const LRESULT count = SendDlgItemMessageA(dialog, controlId, getCount, 0, 0);
  if (count > 0 && item->itemID < static_cast<UINT>(count)) {
    // An item too long for the buffer is left out rather than overrun it.
    const LRESULT length = SendDlgItemMessageA(dialog, controlId, getLength, item->itemID, 0);
    char text[kListItemTextCapacity];
    if (length >= 0 && length < kListItemTextCapacity &&
        SendDlgItemMessageA(dialog, controlId, getText, item->itemID,
                            reinterpret_cast<LPARAM>(text)) >= 0) {
      // The text starts 2 pixels inside the item's rectangle.
      DrawBitmapText(dc, rect.left + 2, rect.top + 2, text, selected ? 1 : 0);
    }
  }
  RestoreDC(dc, -1);
}

LRESULT CALLBACK CheckBoxSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    PaintCheckBox(window, dc);
    EndPaint(window, &paint);
    return 0;
  }
  if (message == WM_LBUTTONDOWN) InvalidateRect(window, nullptr, TRUE);
  return CallWindowProcA(SavedCheckBoxProc, window, message, wParam, lParam);
}

void PaintCheckBox(HWND box, HDC dc) {
  const bool checked = SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
  RECT client;
  GetClientRect(box, &client);
  const int style = static_cast<int>(GetWindowLongA(box, GWL_STYLE) & 0xFF);
  const CheckBoxGeometry g = PlanCheckBox(ToPixelRect(client), style);
  const RECT fill = ToRect(g.fill);
  FillRect(dc, &fill, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));

  RECT mark = ToRect(g.box);
  UINT state = g.radio ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
  if (checked) state |= DFCS_CHECKED;
  if (GetWindowLongA(box, GWL_STYLE) & WS_DISABLED) state |= DFCS_INACTIVE;
  DrawFrameControl(dc, &mark, DFC_BUTTON, state);

  char text[kCheckBoxTextCapacity] = "";
  const char* caption = CheckBoxCaptionFor(GetWindowLongA(box, GWL_ID));
  if (caption == nullptr) {
    GetWindowTextA(box, text, sizeof text);
    caption = text;
  }
  const SIZE size = MeasureBitmapText(dc, caption);
  DrawBitmapText(dc, g.text.x, g.text.y, caption, 0);
  if (GetFocus() == box) {
    const RECT focus = ToRect(CheckBoxFocusRect(g.text, size.cx));
    DrawFocusRect(dc, &focus);
  }
}
