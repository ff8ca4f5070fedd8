// The fixed bilingual captions of the owner-drawn buttons, labels and check boxes, by control id.
#pragma once

// Where a button's caption comes from.
enum class CaptionSource {
  kFixed,            // the caption of the table
  kWindowText,       // the control's own window text, at most kButtonTextCapacity - 1 bytes
  kWholeWindowText,  // the control's own window text in full (the message dialog's Chinese line)
};

// Bevelled: a raised push button. Flat: face colour and caption only, a label.
enum class ButtonLook { kBevelled, kFlat };
enum class CaptionAlign { kCentred, kLeft };

struct ButtonCaption {
  int controlId;
  const char* caption;  // null unless source is kFixed
  CaptionSource source;
  ButtonLook look;
  CaptionAlign align;
};

// Window-text buffers of the painters, terminating zero included.
constexpr int kButtonTextCapacity = 80;
constexpr int kCheckBoxTextCapacity = 127;
constexpr int kListItemTextCapacity = 260;

// WizardState from which the Next button reads "Agree/Install" (the language page).
constexpr int kInstallCaptionState = 3;

// The caption row of an owner-drawn button. Control 1001 reads "下一步 Next" while `wizardState`
// is below kInstallCaptionState and "同意/安装 Agree/Install" from then on; a control not in the
// table shows its window text, bevelled and centred.
ButtonCaption ButtonCaptionFor(int controlId, int wizardState);

// The caption of a check box painted with bitmap text, or null when it shows its window text.
const char* CheckBoxCaptionFor(int controlId);
