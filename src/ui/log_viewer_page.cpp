#include "ui/log_viewer_page.h"

#include "platform/atomic_file.h"
#include "platform/dialogs.h"
#include "stats/billing_period.h"
#include "stats/books_file.h"
#include "stats/session_log.h"
#include "text/cp1250.h"
#include "ui/qt_text.h"

#include <QDialog>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

namespace vonalor {

namespace {

std::string cannotOpen(const std::filesystem::path& file) {
    return "Cannot open file \"" + file.string() + "\".";
}

} // namespace

LogViewerPage::LogViewerPage(std::filesystem::path home, Dialogs& dialogs, Sound& /*sound*/, QWidget* parent)
    : QWidget(parent), m_home(std::move(home)), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("TabSheetNaplo"));
    m_chooseFile = [](QWidget* owner, const QString& caption, const QString& folder, const QString& filter) {
        return QFileDialog::getOpenFileName(owner, caption, folder, filter);
    };

    auto* layout = new QVBoxLayout(this);
    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("Memo1"));
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(m_memo, 1);

    auto* buttons = new QHBoxLayout;
    m_openButton = new QPushButton(QStringLiteral("Korábbi napló megnyitása"), this);
    m_openButton->setObjectName(QStringLiteral("BitBtn7"));
    m_findButton = new QPushButton(QStringLiteral("Keresés a naplóban"), this);
    m_findButton->setObjectName(QStringLiteral("BitBtn21"));
    buttons->addWidget(m_openButton);
    buttons->addWidget(m_findButton);
    layout->addLayout(buttons);

    connect(m_openButton, &QPushButton::clicked, this, [this] { BitBtn7Click(); });
    connect(m_findButton, &QPushButton::clicked, this, [this] { BitBtn21Click(); });
    buildFindDialog();
}

LogViewerPage::~LogViewerPage() = default;

void LogViewerPage::buildFindDialog() {
    // The platform's find dialog: modeless, English like every platform dialog.
    m_findDialog = new QDialog(this);
    m_findDialog->setObjectName(QStringLiteral("FindDialog1"));
    m_findDialog->setWindowTitle(QStringLiteral("Find"));
    m_findDialog->setModal(false);
    auto* layout = new QHBoxLayout(m_findDialog);
    auto* label = new QLabel(QStringLiteral("Fi&nd what:"), m_findDialog);
    m_findText = new QLineEdit(m_findDialog);
    m_findText->setObjectName(QStringLiteral("FindText"));
    label->setBuddy(m_findText);
    auto* next = new QPushButton(QStringLiteral("&Find Next"), m_findDialog);
    next->setObjectName(QStringLiteral("FindNext"));
    next->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), m_findDialog);
    cancel->setObjectName(QStringLiteral("Cancel"));
    layout->addWidget(label);
    layout->addWidget(m_findText, 1);
    layout->addWidget(next);
    layout->addWidget(cancel);
    connect(next, &QPushButton::clicked, this, [this] { FindDialog1Find(m_findText->text()); });
    connect(cancel, &QPushButton::clicked, m_findDialog, &QDialog::close);
}

void LogViewerPage::showFileText(const std::string& bytes) {
    QString text = qs(decodeFileText(bytes));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    m_memo->setPlainText(text);
}

void LogViewerPage::refresh() {
    const std::filesystem::path file = sessionLogFile(m_home);
    std::string bytes;
    switch (readBooksBytes(file, bytes)) {
    case BooksFileRead::Read:
        showFileText(bytes);
        break;
    case BooksFileRead::Missing:
        // Created empty, not with what the box shows: that may be an archived period or the
        // user's edits, which do not belong in the current period's log.
        writeFileAtomically(file, "");
        m_memo->clear();
        break;
    case BooksFileRead::Unreadable:
        m_dialogs.failureNotice(cannotOpen(file));
        break;
    }
}

void LogViewerPage::BitBtn7Click() {
    if (m_helpHint && m_helpHint("Megnyithatja a  korábbi hónapok internetezéseit!"))
        return;
    const QString chosen =
        m_chooseFile(this, QStringLiteral("Napló megnyitása"), qs(archiveFolder(m_home).string()),
                     QStringLiteral("Internetezési Napló (*.txt)"));
    if (chosen.isEmpty())
        return;
    const std::filesystem::path file = utf8(chosen);
    std::string bytes;
    if (readBooksBytes(file, bytes) != BooksFileRead::Read) {
        m_dialogs.failureNotice(cannotOpen(file));
        return;
    }
    showFileText(bytes);
}

void LogViewerPage::BitBtn21Click() {
    m_searchState = 0;
    m_findDialog->show();
    m_findDialog->raise();
    m_findDialog->activateWindow();
}

void LogViewerPage::FindDialog1Find(const QString& word) {
    const bool fromStart = m_searchState == 0;
    const QString text = m_memo->toPlainText();
    const qsizetype from = fromStart ? 0 : m_searchState - 1 + word.size();
    // An empty word is found nowhere, as a plain substring search of nothing is taken.
    const qsizetype found =
        word.isEmpty() || from > text.size() ? -1 : text.indexOf(word, from, Qt::CaseSensitive);
    if (found < 0) {
        m_searchState = 0;
        const std::string quoted = "A(z) \"" + utf8(word) + "\" szó nem szerepel ";
        m_dialogs.plainError(quoted + (fromStart ? "a naplóban!" : "többször a naplóban!"));
        return;
    }
    m_searchState = static_cast<int>(found) + 1;
    QTextCursor cursor = m_memo->textCursor();
    cursor.setPosition(static_cast<int>(found));
    cursor.setPosition(static_cast<int>(found + word.size()), QTextCursor::KeepAnchor);
    m_memo->setTextCursor(cursor);
    m_memo->setFocus();
}

} // namespace vonalor
