#include "core/message_dialogs.h"

#include "platform/dialogs.h"

namespace vonalor {

namespace {

unsigned iconStyle(int kind) {
    switch (kind) {
    case 1:
    case 5:
        return mb::IconExclamation;
    case 2:
        return mb::IconInformation;
    case 3:
        return mb::IconStop;
    case 4:
        return mb::IconQuestion;
    default:
        return 0;
    }
}

unsigned buttonStyle(int kind) {
    switch (kind) {
    case 1:
        return mb::AbortRetryIgnore;
    case 2:
        return mb::OkCancel;
    case 3:
        return mb::RetryCancel;
    case 4:
        return mb::YesNo;
    case 5:
        return mb::YesNoCancel;
    default:
        return mb::Ok;
    }
}

// Cuts at a limit counted in characters, never inside a UTF-8 sequence.
std::string cutCharacters(const std::string& text, std::size_t limit) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && count++ == limit)
            return text.substr(0, i);
    }
    return text;
}

} // namespace

int CaptionedMessageBox(Dialogs& dialogs, const std::string& caption, const std::string& text, int iconKind,
                        int buttonKind) {
    std::string body;
    body.reserve(text.size());
    for (char c : text) {
        if (c == '|')
            body += "\r\n";
        else
            body += c;
    }
    return dialogs.messageBox(cutCharacters(caption, 99), cutCharacters(body, 499),
                              buttonStyle(buttonKind) + iconStyle(iconKind));
}

} // namespace vonalor
