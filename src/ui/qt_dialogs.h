#pragma once

#include "platform/dialogs.h"

class QWidget;

namespace vonalor {

// Real dialogs on the screen. The system message box and the platform's plain dialogs keep
// their English captions and buttons; the program's Hungarian dialogs are built on top.
class QtDialogs final : public Dialogs {
public:
    void setOwner(QWidget* owner) { m_owner = owner; }

    void plainError(const std::string& text) override;
    void plainNotice(const std::string& text) override;
    void failureNotice(const std::string& text) override;
    int messageBox(const std::string& caption, const std::string& text, unsigned style) override;
    int messageDialog(const MessageDialog& dialog) override;

private:
    QWidget* m_owner = nullptr;
};

} // namespace vonalor
