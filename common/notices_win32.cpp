// The notice sink that app/ installs (common/notices.h).
#include "common/notices.h"

namespace {

NoticeSink InstalledSink;

}  // namespace

void SetNoticeSink(NoticeSink sink) { InstalledSink = sink; }

int NotifySink(const char* chinese, const char* english, int buttons, HWND owner) {
  return InstalledSink != nullptr ? InstalledSink(chinese, english, buttons, owner) : -1;
}
