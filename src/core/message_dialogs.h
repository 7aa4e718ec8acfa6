#pragma once

#include <string>

namespace vonalor {

class Dialogs;

// The system message box with the caller's caption; "|" in the text is a line break.
// Icon kinds: 1 and 5 exclamation, 2 information, 3 stop, 4 question, else none.
// Button kinds: 1 Abort/Retry/Ignore, 2 OK/Cancel, 3 Retry/Cancel, 4 Yes/No, 5 Yes/No/Cancel, else OK.
int CaptionedMessageBox(Dialogs& dialogs, const std::string& caption, const std::string& text, int iconKind,
                        int buttonKind);

} // namespace vonalor
