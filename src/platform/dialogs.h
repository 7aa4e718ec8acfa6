#pragma once

#include <string>

namespace vonalor {

// Style bits and answers of the system message box.
namespace mb {
inline constexpr unsigned Ok = 0x00, OkCancel = 0x01, AbortRetryIgnore = 0x02, YesNoCancel = 0x03, YesNo = 0x04,
                          RetryCancel = 0x05;
inline constexpr unsigned IconStop = 0x10, IconQuestion = 0x20, IconExclamation = 0x30, IconInformation = 0x40;
inline constexpr unsigned ButtonMask = 0x0F, IconMask = 0xF0;
inline constexpr int IdOk = 1, IdCancel = 2, IdAbort = 3, IdRetry = 4, IdIgnore = 5, IdYes = 6, IdNo = 7;
} // namespace mb

// Questions and notices put to the user. The program's own Hungarian dialogs are built on
// these in the core; this port only shows them.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // The platform's plain error dialog: its own (English) caption, an error icon, one OK button.
    virtual void plainError(const std::string& text) = 0;
    // The platform's notice for an event that failed (a stored text that is not a number).
    virtual void failureNotice(const std::string& text) = 0;
    // The system message box; `text` already has its line breaks. Returns an mb::Id* answer.
    virtual int messageBox(const std::string& caption, const std::string& text, unsigned style) = 0;
};

} // namespace vonalor
