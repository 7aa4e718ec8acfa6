#pragma once

#include <string>
#include <vector>

namespace vonalor {

// Style bits and answers of the system message box.
namespace mb {
inline constexpr unsigned Ok = 0x00, OkCancel = 0x01, AbortRetryIgnore = 0x02, YesNoCancel = 0x03,
                          YesNo = 0x04, RetryCancel = 0x05;
inline constexpr unsigned IconStop = 0x10, IconQuestion = 0x20, IconExclamation = 0x30,
                          IconInformation = 0x40;
inline constexpr unsigned ButtonMask = 0x0F, IconMask = 0xF0;
inline constexpr int IdOk = 1, IdCancel = 2, IdAbort = 3, IdRetry = 4, IdIgnore = 5, IdYes = 6, IdNo = 7;
} // namespace mb

// The kinds of the program's own message dialog, with the numbers callers pass.
enum class MessageKind { Warning = 0, Error = 1, Information = 2, Confirmation = 3, Custom = 4 };

struct DialogButton {
    std::string label; // "&" marks the mnemonic letter
    int result = 0;
    bool operator==(const DialogButton&) const = default;
};

// The program's own message dialog, fully described by the core: caption, icon by kind,
// text, the buttons in their row order, and what Enter and Esc give.
struct MessageDialog {
    std::string caption;
    std::string text;
    MessageKind kind = MessageKind::Information;
    std::vector<DialogButton> buttons;
    int defaultResult = 0; // Enter
    int cancelResult = 0;  // Esc
    // The companion window's variant: buttons 186 pixels wide, edge to edge from the left.
    bool companionLayout = false;
};

// Questions and notices put to the user. The program's own Hungarian dialogs are built on
// these in the core; this port only shows them.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // The platform's plain error dialog: its own (English) caption, an error icon, one OK button.
    virtual void plainError(const std::string& text) = 0;
    // The platform's plain notice box: the program's title as caption, one OK button.
    virtual void plainNotice(const std::string& text) = 0;
    // The platform's notice for an event that failed (a stored text that is not a number).
    virtual void failureNotice(const std::string& text) = 0;
    // The system message box; `text` already has its line breaks. Returns an mb::Id* answer.
    virtual int messageBox(const std::string& caption, const std::string& text, unsigned style) = 0;
    // A modal message dialog without a close box; returns the result of the button that closed it.
    virtual int messageDialog(const MessageDialog& dialog) = 0;
};

} // namespace vonalor
