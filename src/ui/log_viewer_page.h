#pragma once

#include "ui/page.h"

#include <QString>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <string>

class QDialog;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vonalor {

class Dialogs;
class Sound;

// The "Napló" page: the session log of the current billing period, an archived log of an
// earlier one, and a plain forward search in the shown text.
class LogViewerPage final : public QWidget, public Page {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LogViewerPage)

public:
    // Returns the chosen file, or an empty text when the user cancelled.
    using FileChooser = std::function<QString(QWidget* parent, const QString& caption, const QString& folder,
                                              const QString& filter)>;
    // Called with the button's hint first: true when help mode was on and the hint was shown
    // instead; otherwise it closes an open hint window and the button acts.
    using HelpHint = std::function<bool(const std::string& hint)>;

    // The page's notices are the platform's plain ones, which make no sound of their own; `sound`
    // is taken for the Hungarian dialogs the page shares with the main window.
    LogViewerPage(std::filesystem::path home, Dialogs& dialogs, Sound& sound, QWidget* parent = nullptr);
    ~LogViewerPage() override;

    // Shows naplo.txt (the page was selected, a session was booked, a period was closed); a
    // missing log is created empty.
    void refresh();

    // Reads the log again when a session was booked or a period was closed.
    Aspects watches() const override { return static_cast<Aspects>(Aspect::Books); }
    void render(const MainWindowState& /*state*/, Aspects /*aspects*/) override { refresh(); }

    // "Korábbi napló megnyitása": an archived log from the Naplo folder in place of the log.
    void BitBtn7Click();
    // "Keresés a naplóban": the search starts from the beginning again, in the find dialog.
    void BitBtn21Click();
    // The find dialog's search: case-sensitive, forwards, on from the last match.
    void FindDialog1Find(const QString& word);

    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }
    void setHelpHint(HelpHint hint) { m_helpHint = std::move(hint); }

    QPlainTextEdit* memo() const { return m_memo; }
    QDialog* findDialog() const { return m_findDialog; }
    // Position (from 1) of the last match in the shown text; 0 when there is none.
    int searchState() const { return m_searchState; }

private:
    void showFileText(const std::string& bytes);
    void buildFindDialog();

    std::filesystem::path m_home;
    Dialogs& m_dialogs;
    QPlainTextEdit* m_memo = nullptr;
    QPushButton* m_openButton = nullptr;
    QPushButton* m_findButton = nullptr;
    QDialog* m_findDialog = nullptr;
    QLineEdit* m_findText = nullptr;
    FileChooser m_chooseFile;
    HelpHint m_helpHint;
    int m_searchState = 0;
};

} // namespace vonalor
