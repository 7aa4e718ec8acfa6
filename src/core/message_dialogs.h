#pragma once

#include "platform/dialogs.h"

#include <string>

namespace vonalor {

class Sound;

// Button sets: one bit per button, in the order the buttons stand in the row.
namespace buttons {
inline constexpr unsigned Yes = 1u << 0, No = 1u << 1, Ok = 1u << 2, Cancel = 1u << 3, Abort = 1u << 4,
                          Retry = 1u << 5, Ignore = 1u << 6, All = 1u << 7, NoToAll = 1u << 8,
                          YesToAll = 1u << 9, Help = 1u << 10;
} // namespace buttons

// Results: the number of the button that closed the dialog.
namespace results {
inline constexpr int Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7, All = 8,
                     NoToAll = 9, YesToAll = 10;
} // namespace results

// Which captions a window's dialogs carry.
enum class CaptionSet { Standard, Password, Companion };

std::string captionFor(CaptionSet set, MessageKind kind);
// The dialog as it is shown: caption, Hungarian labels, Enter and Esc answers.
MessageDialog buildMessageDialog(CaptionSet set, const std::string& text, MessageKind kind,
                                 unsigned buttonSet);

// A modal Hungarian message dialog; plays the kind's sound first. Returns the result number.
int LocalizedMessageDlg(Dialogs& dialogs, Sound& sound, CaptionSet set, const std::string& text,
                        MessageKind kind, unsigned buttonSet);
// The companion window's variant: three wide buttons carrying whole sentences.
int CompanionChoiceDlg(Dialogs& dialogs, Sound& sound, const std::string& text, MessageKind kind,
                       unsigned buttonSet);

// The system message box with the caller's caption; "|" in the text is a line break.
// Icon kinds: 1 and 5 exclamation, 2 information, 3 stop, 4 question, else none.
// Button kinds: 1 Abort/Retry/Ignore, 2 OK/Cancel, 3 Retry/Cancel, 4 Yes/No, 5 Yes/No/Cancel, else OK.
int CaptionedMessageBox(Dialogs& dialogs, const std::string& caption, const std::string& text, int iconKind,
                        int buttonKind);

} // namespace vonalor
