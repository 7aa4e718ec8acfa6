#include "core/message_dialogs.h"

#include "platform/dialogs.h"
#include "platform/sound.h"

#include <array>

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

struct ButtonInfo {
    unsigned bit;
    const char* label;
    int result; // 0: the button does not close the dialog (help)
};

constexpr std::array<ButtonInfo, 11> buttonTable{{
    {buttons::Yes, "&Igen", results::Yes},
    {buttons::No, "&Nem", results::No},
    {buttons::Ok, "&Rendben", results::Ok},
    {buttons::Cancel, "&Mégsem", results::Cancel},
    {buttons::Abort, "&Kilépés", results::Abort},
    {buttons::Retry, "&Újra", results::Retry},
    {buttons::Ignore, "Rá&hagy", results::Ignore},
    {buttons::All, "Min&d", results::All},
    {buttons::NoToAll, "&Egyet sem", results::NoToAll},
    {buttons::YesToAll, "Minde&gyiket", results::YesToAll},
    {buttons::Help, "&Súgó", 0},
}};

unsigned beepStyleFor(MessageKind kind, bool& plays) {
    plays = true;
    switch (kind) {
    case MessageKind::Warning:
        return 0x30;
    case MessageKind::Error:
        return 0x40; // the asterisk sound, not the stop sound
    case MessageKind::Confirmation:
        return 0x20;
    case MessageKind::Custom:
        return 0x00;
    case MessageKind::Information:
        break;
    }
    plays = false;
    return 0;
}

int showWithSound(Dialogs& dialogs, Sound& sound, const MessageDialog& dialog) {
    bool plays = false;
    const unsigned style = beepStyleFor(dialog.kind, plays);
    if (plays)
        sound.messageBeep(style);
    return dialogs.messageDialog(dialog);
}

} // namespace

std::string captionFor(CaptionSet set, MessageKind kind) {
    switch (kind) {
    case MessageKind::Warning:
        return set == CaptionSet::Standard ? "Figyelem!" : "Figyelem...";
    case MessageKind::Error:
        return set == CaptionSet::Password ? "Érvénytelen jelszó!" : "Hiba...";
    case MessageKind::Information:
        return set == CaptionSet::Password ? "Információ!" : "Info...";
    case MessageKind::Confirmation:
        return "Kérdés...";
    case MessageKind::Custom:
        break;
    }
    return "Üzenet...";
}

MessageDialog buildMessageDialog(CaptionSet set, const std::string& text, MessageKind kind,
                                 unsigned buttonSet) {
    MessageDialog dialog;
    dialog.caption = captionFor(set, kind);
    dialog.text = text;
    dialog.kind = kind;
    for (const ButtonInfo& info : buttonTable) {
        if (buttonSet & info.bit)
            dialog.buttons.push_back({info.label, info.result});
    }
    if (set == CaptionSet::Companion) {
        dialog.companionLayout = true;
        for (DialogButton& button : dialog.buttons) {
            if (button.result == results::Yes)
                button.label = "&Nem zárom be,adat látszódjon!";
            else if (button.result == results::No)
                button.label = "&Bezárom, sose jelenjen meg!";
            else if (button.result == results::Cancel)
                button.label = "B&ezárom,aktív kapcsolatnál látszódjon!";
        }
    }
    auto has = [&](unsigned bit) { return (buttonSet & bit) != 0; };
    dialog.defaultResult = has(buttons::Ok)      ? results::Ok
                           : has(buttons::Yes)   ? results::Yes
                           : has(buttons::Retry) ? results::Retry
                                                 : 0;
    dialog.cancelResult = has(buttons::Cancel) ? results::Cancel
                          : has(buttons::No)   ? results::No
                          : has(buttons::Ok)   ? results::Ok
                                               : 0;
    return dialog;
}

int LocalizedMessageDlg(Dialogs& dialogs, Sound& sound, CaptionSet set, const std::string& text,
                        MessageKind kind, unsigned buttonSet) {
    return showWithSound(dialogs, sound, buildMessageDialog(set, text, kind, buttonSet));
}

int CompanionChoiceDlg(Dialogs& dialogs, Sound& sound, const std::string& text, MessageKind kind,
                       unsigned buttonSet) {
    return showWithSound(dialogs, sound, buildMessageDialog(CaptionSet::Companion, text, kind, buttonSet));
}

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
