#pragma once

#include "platform/dialogs.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace vonalor {

// Dialogs for tests and headless runs: records every dialog and answers from a script
// (else with the default answer). A hook may run while a dialog is "open", so a test can
// let virtual time pass underneath it as a real modal dialog would.
class ScriptedDialogs final : public Dialogs {
public:
    struct Shown {
        std::string kind; // "plainError", "plainNotice", "failureNotice", "messageBox", "messageDialog"
        std::string caption;
        std::string text;
        unsigned style = 0;
        int answer = 0;
        MessageDialog dialog; // for "messageDialog"
    };

    void plainError(const std::string& text) override;
    void plainNotice(const std::string& text) override;
    void failureNotice(const std::string& text) override;
    int messageBox(const std::string& caption, const std::string& text, unsigned style) override;
    int messageDialog(const MessageDialog& dialog) override;

    void queueAnswer(int answer) { m_answers.push_back(answer); }
    void setWhileOpen(std::function<void(const Shown&)> hook) { m_whileOpen = std::move(hook); }
    void setEcho(std::function<void(const Shown&)> echo) { m_echo = std::move(echo); }

    const std::vector<Shown>& shown() const { return m_shown; }
    void clear() { m_shown.clear(); }

private:
    int show(Shown dialog, int defaultAnswer);

    std::deque<int> m_answers;
    std::vector<Shown> m_shown;
    std::function<void(const Shown&)> m_whileOpen;
    std::function<void(const Shown&)> m_echo;
};

} // namespace vonalor
