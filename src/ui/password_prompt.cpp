#include "ui/password_prompt.h"

#include "core/message_dialogs.h"
#include "core/startup.h"
#include "ui/qt_text.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace vonalor {

PasswordPrompt::PasswordPrompt(Kind kind, const SettingsStore& store, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_store(store), m_dialogs(dialogs) {
    setObjectName(kind == Kind::Start ? QStringLiteral("TfrmPassword1") : QStringLiteral("TfrmPassword"));
    setWindowTitle(QStringLiteral("Jelszó megadása"));
    // A dialog frame with a title and no title-bar buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));

    auto* label = new QLabel(kind == Kind::Start ? QStringLiteral("Kérem adja meg a felhasználói jelszót")
                                                 : QStringLiteral("Kérem adja meg a felhasználói  jelszót"),
                             this);
    label->setObjectName(QStringLiteral("Label1"));
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);

    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("Edit1"));
    m_edit->setEchoMode(QLineEdit::Password);

    auto* ok = new QPushButton(QStringLiteral("&Rendben"), this);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setDefault(true);
    ok->setAutoDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Mégse"), this);
    cancel->setObjectName(QStringLiteral("BitBtn2"));
    cancel->setAutoDefault(false);

    auto* fields = new QVBoxLayout;
    fields->addWidget(label);
    fields->addWidget(m_edit);
    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addLayout(fields, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(320, 0)));

    connect(ok, &QPushButton::clicked, this, &PasswordPrompt::confirm);
    connect(cancel, &QPushButton::clicked, this, [this] {
        m_leaving = true;
        reject();
    });
}

void PasswordPrompt::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_leaving = false;
    raise();
    activateWindow();
    m_edit->setFocus();
}

void PasswordPrompt::closeEvent(QCloseEvent* event) {
    // The window manager's close is not one of the prompt's ways out.
    if (!m_leaving)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void PasswordPrompt::confirm() {
    if (passwordMatches(m_store, utf8(m_edit->text()))) {
        m_edit->clear();
        m_leaving = true;
        accept();
        return;
    }
    CaptionedMessageBox(m_dialogs, "Rossz jelszó!", "A megadott jelszó érvénytelen!", 3, 6);
    m_edit->clear();
    m_edit->setFocus();
}

} // namespace vonalor
