#include "platform/sim/scripted_dialogs.h"

namespace vonalor {

namespace {
// The answer Enter gives: the first button of the set.
int defaultAnswerFor(unsigned style) {
    switch (style & mb::ButtonMask) {
    case mb::AbortRetryIgnore:
        return mb::IdAbort;
    case mb::YesNoCancel:
    case mb::YesNo:
        return mb::IdYes;
    case mb::RetryCancel:
        return mb::IdRetry;
    default:
        return mb::IdOk;
    }
}
} // namespace

void ScriptedDialogs::plainError(const std::string& text) {
    show({"plainError", "Error", text, mb::IconStop, 0, {}}, mb::IdOk);
}

void ScriptedDialogs::plainNotice(const std::string& text) {
    show({"plainNotice", "Vonalor", text, mb::Ok, 0, {}}, mb::IdOk);
}

void ScriptedDialogs::failureNotice(const std::string& text) {
    show({"failureNotice", "Vonalor", text, mb::IconStop, 0, {}}, mb::IdOk);
}

int ScriptedDialogs::messageBox(const std::string& caption, const std::string& text, unsigned style) {
    return show({"messageBox", caption, text, style, 0, {}}, defaultAnswerFor(style));
}

int ScriptedDialogs::messageDialog(const MessageDialog& dialog) {
    Shown shown{"messageDialog", dialog.caption, dialog.text, 0, 0, dialog};
    return show(std::move(shown), dialog.defaultResult);
}

int ScriptedDialogs::show(Shown dialog, int defaultAnswer) {
    dialog.answer = defaultAnswer;
    if (!m_answers.empty()) {
        dialog.answer = m_answers.front();
        m_answers.pop_front();
    }
    m_shown.push_back(dialog);
    if (m_echo)
        m_echo(dialog);
    if (m_whileOpen)
        m_whileOpen(dialog);
    return dialog.answer;
}

} // namespace vonalor
