// How the layers below app/ tell the user something or ask: every notice and question goes to
// the sink that app/ installs at start-up (the message dialog in the wizard, the log line in the
// silent mode), so that no lower layer calls up into app/.
#pragma once

#include <windows.h>

#include "common/message_catalogue.h"

// Shows or records a notice: its Chinese (GBK, required) and English (may be null or empty), its
// button set, owned by `owner` (may be null). Returns the id of the answer: 1 OK, 6 Yes, 7 No, 2
// for Escape or the close box; -1 when it could not be shown. The sink takes the three fields of
// the BilingualText rather than the text whole: a text passed whole by value would be copied
// into the Installer's file beside its strings, once for every catalogue entry.
using NoticeSink = int (*)(const char* chinese, const char* english, int buttons, HWND owner);

void SetNoticeSink(NoticeSink sink);

// Hands the notice to the sink; -1 before a sink is installed.
int NotifySink(const char* chinese, const char* english, int buttons, HWND owner);

// A catalogue entry, or one whose texts the caller formatted, to the sink. Always inlined, so that
// an entry's fields reach the sink as constants and the entry itself is not kept in the file.
[[gnu::always_inline]] inline int Notify(const BilingualText& text, HWND owner) {
  return NotifySink(text.chinese, text.english, text.buttons, owner);
}
