// The caption tables of the owner-drawn buttons and check boxes.
#include "bitmap_text/button_captions.h"

#include <iterator>

namespace {

constexpr CaptionSource kFixed = CaptionSource::kFixed;
constexpr ButtonLook kBevelled = ButtonLook::kBevelled;
constexpr ButtonLook kFlat = ButtonLook::kFlat;
constexpr CaptionAlign kCentred = CaptionAlign::kCentred;
constexpr CaptionAlign kLeft = CaptionAlign::kLeft;

constexpr int kNextButtonId = 1001;
constexpr const char* kInstallCaption = "同意/安装 Agree/Install";

// Columns: control id, caption, caption source, look, alignment.
constexpr ButtonCaption kButtonCaptions[] = {
    {1, "确认 OK", kFixed, kBevelled, kCentred},                        // message dialog
    {2, "取消 Cancel", kFixed, kBevelled, kCentred},                    // wizard, directory chooser
    {3, "退一步 Back", kFixed, kBevelled, kCentred},                    // wizard
    {6, "是 Yes", kFixed, kBevelled, kCentred},                         // message dialog
    {7, "否 No", kFixed, kBevelled, kCentred},                          // message dialog
    {kNextButtonId, "下一步 Next", kFixed, kBevelled, kCentred},        // wizard, before page 3
    {1003, "改变 Browse ....", kFixed, kBevelled, kCentred},            // wizard
    {1006, "安装路径： (Install Path)", kFixed, kFlat, kLeft},          // wizard
    {1008, "路径 (Directories):", kFixed, kFlat, kLeft},                // directory chooser
    {1009, "《Torvu》 Torvu", kFixed, kFlat, kCentred},                 // wizard side panel
    {1010, "磁盘 (Drives):", kFixed, kFlat, kLeft},                     // directory chooser
    {1011, "文本编辑 Quorvane", kFixed, kFlat, kCentred},               // wizard side panel
    {1012, "安装程序", kFixed, kFlat, kCentred},                        // wizard side panel
    {1013, nullptr, CaptionSource::kWholeWindowText, kFlat, kCentred},  // message's Chinese line
    {1030, "User Interface Language 用户界面语言", kFixed, kFlat, kCentred},  // wizard
};
static_assert(std::size(kButtonCaptions) == 15, "one row per control with a caption of its own");

constexpr int kDesktopIconBoxId = 1004;

}  // namespace

ButtonCaption ButtonCaptionFor(int controlId, int wizardState) {
  for (const ButtonCaption& row : kButtonCaptions) {
    if (row.controlId != controlId) continue;
    ButtonCaption caption = row;
    if (controlId == kNextButtonId && wizardState >= kInstallCaptionState) {
      caption.caption = kInstallCaption;
    }
    return caption;
  }
  return {controlId, nullptr, CaptionSource::kWindowText, kBevelled, kCentred};
}

const char* CheckBoxCaptionFor(int controlId) {
  return controlId == kDesktopIconBoxId ? "建立桌面图标？  (Place an icon on Desktop)" : nullptr;
}
