#pragma once

#include <QDialog>

class QLineEdit;

namespace vonalor {

class Dialogs;
class SettingsStore;

// The password prompt: at start (`TfrmPassword1`) and when the program comes back from the
// tray (`TfrmPassword`). It can only be left through its buttons: "&Rendben" with the right
// password accepts, "Mégse" (or Esc) rejects.
class PasswordPrompt final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PasswordPrompt)

public:
    enum class Kind { Start, Restore };

    PasswordPrompt(Kind kind, const SettingsStore& store, Dialogs& dialogs, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void confirm();

    const SettingsStore& m_store;
    Dialogs& m_dialogs;
    QLineEdit* m_edit = nullptr;
    bool m_leaving = false;
};

} // namespace vonalor
