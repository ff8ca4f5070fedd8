// The caption tables of the owner-drawn buttons and check boxes.
#include "bitmap_text/button_captions.h"

#include <iterator>

#include "resources/resource_ids.h"

namespace {

constexpr CaptionSource kFixed = CaptionSource::kFixed;
constexpr CaptionSource kWhole = CaptionSource::kWholeWindowText;  // the message's Chinese line
constexpr ButtonLook kBevelled = ButtonLook::kBevelled;
constexpr ButtonLook kFlat = ButtonLook::kFlat;
constexpr CaptionAlign kCentred = CaptionAlign::kCentred;
constexpr CaptionAlign kLeft = CaptionAlign::kLeft;

constexpr const char* kInstallCaption = "同意/安装 Agree/Install";

// Columns: control id, caption, caption source, look, alignment; where the control is.
constexpr ButtonCaption kButtonCaptions[] = {
    {IDOK, "确认 OK", kFixed, kBevelled, kCentred},                          // message dialog
    {IDCANCEL, "取消 Cancel", kFixed, kBevelled, kCentred},                  // wizard, chooser
    {IDC_BACK, "退一步 Back", kFixed, kBevelled, kCentred},                  // wizard
    {IDYES, "是 Yes", kFixed, kBevelled, kCentred},                          // message dialog
    {IDNO, "否 No", kFixed, kBevelled, kCentred},                            // message dialog
    {IDC_NEXT, "下一步 Next", kFixed, kBevelled, kCentred},                  // wizard
    {IDC_BROWSE, "改变 Browse ....", kFixed, kBevelled, kCentred},           // wizard
    {IDC_PATH_LABEL, "安装路径： (Install Path)", kFixed, kFlat, kLeft},     // wizard
    {IDC_CHOOSER_DIRECTORIES, "路径 (Directories):", kFixed, kFlat, kLeft},  // chooser
    {IDC_SIDE_LABEL1, "《Torvu》 Torvu", kFixed, kFlat, kCentred},           // wizard side panel
    {IDC_CHOOSER_DRIVES, "磁盘 (Drives):", kFixed, kFlat, kLeft},            // chooser
    {IDC_SIDE_LABEL2, "文本编辑 Quorvane", kFixed, kFlat, kCentred},         // wizard side panel
    {IDC_SIDE_LABEL3, "安装程序", kFixed, kFlat, kCentred},                  // wizard side panel
    {IDC_MESSAGE_CHINESE, nullptr, kWhole, kFlat, kCentred},                 // message dialog
    {IDC_LANGUAGE_LABEL, "User Interface Language 用户界面语言", kFixed, kFlat, kCentred},
};
static_assert(std::size(kButtonCaptions) == 15, "one row per control with a caption of its own");

}  // namespace

ButtonCaption ButtonCaptionFor(int controlId, int wizardState) {
  for (const ButtonCaption& row : kButtonCaptions) {
    if (row.controlId != controlId) continue;
    ButtonCaption caption = row;
    if (controlId == IDC_NEXT && wizardState >= kInstallCaptionState) {
      caption.caption = kInstallCaption;
    }
    return caption;
  }
  return {controlId, nullptr, CaptionSource::kWindowText, kBevelled, kCentred};
}

const char* CheckBoxCaptionFor(int controlId) {
  return controlId == IDC_DESKTOP_ICON ? "建立桌面图标？  (Place an icon on Desktop)" : nullptr;
}
