// The painters of owner-drawn labels, buttons, list items and check boxes, all with bitmap text.
#pragma once

#include <windows.h>

// WM_DRAWITEM of an owner-drawn button: a fixed bilingual caption chosen by control id,
// bevelled or flat, the default outline on DefaultCommandId, the pressed offset, focus.
void PaintOwnerDrawButton(const DRAWITEMSTRUCT* item);

// WM_DRAWITEM of the licence list (1019) or the language combo box (1031) of `dialog`.
void PaintListItem(HWND dialog, int controlId, const DRAWITEMSTRUCT* item);

// The size of every item of the two owner-drawn lists, and the height of the language combo
// box's closed field (WM_MEASUREITEM, CB_SETITEMHEIGHT).
constexpr int kListItemWidth = 1024;
constexpr int kListItemHeight = 23;

// The button procedure that CheckBoxSubclassProc forwards to; set when the subclass is
// installed (the address SetWindowLongA returned).
extern WNDPROC SavedCheckBoxProc;

// Subclass procedure of the wizard's check boxes: paints them with PaintCheckBox.
LRESULT CALLBACK CheckBoxSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Paints a check box with its bitmap-text caption into `dc` (from BeginPaint).
void PaintCheckBox(HWND box, HDC dc);
