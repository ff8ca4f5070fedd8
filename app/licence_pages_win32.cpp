// The licence page's texts on Win32: inflated from the payload into the list and the edit control.
#include "app/licence_pages.h"

#include <cstdlib>

#include "app/licence_text.h"
#include "common/message_catalogue.h"
#include "common/notices.h"
#include "common/payload_resource.h"
#include "resources/resource_ids.h"

bool LicenceTextsLoaded;

namespace {

constexpr uint16_t kChineseLicence = IDR_LICENCE_CHINESE;
constexpr uint16_t kEnglishLicence = IDR_LICENCE_ENGLISH;

// Inflates `resourceId` into `buffer` as a zero-terminated text. A text that fills the whole
// buffer leaves no room for its zero and counts as too long.
bool InflateText(uint16_t resourceId, char* buffer) {
  uint32_t length = 0;
  if (!DecompressPayload(resourceId, buffer, kLicenceCapacity, &length)) return false;
  if (length >= kLicenceCapacity) return false;
  buffer[length] = '\0';
  return true;
}

// Loads one text into its control; false when its buffer or its resource fails.
bool LoadText(HWND dialog, uint16_t resourceId) {
  char* buffer = static_cast<char*>(malloc(kLicenceCapacity));
  if (buffer == nullptr) {
    Notify(kMsgNoMemory, dialog);
    return false;
  }
  bool loaded = InflateText(resourceId, buffer);
  if (loaded && resourceId == kChineseLicence) {
    const char* lines[kMostLicenceLines];
    int count = SplitLicenceLines(buffer, lines);
    // Lines of an earlier visit whose load failed half-way are not added twice.
    SendDlgItemMessageA(dialog, IDC_LICENCE_CHINESE, LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < count; ++i)
      SendDlgItemMessageA(dialog, IDC_LICENCE_CHINESE, LB_ADDSTRING, 0,
                          reinterpret_cast<LPARAM>(lines[i]));
  } else if (loaded) {
    SetDlgItemTextA(dialog, IDC_LICENCE_ENGLISH, buffer);
  }
  free(buffer);
  return loaded;
}

}  // namespace

bool LoadLicenceTexts(HWND dialog) {
  if (!LoadText(dialog, kChineseLicence) || !LoadText(dialog, kEnglishLicence)) return false;
  LicenceTextsLoaded = true;
  return true;
}
