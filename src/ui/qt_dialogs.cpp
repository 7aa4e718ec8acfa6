#include "ui/qt_dialogs.h"

#include "ui/qt_text.h"

#include <QDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QString>
#include <QStyle>
#include <QVBoxLayout>

namespace vonalor {

namespace {

QMessageBox::Icon iconOf(unsigned style) {
    switch (style & mb::IconMask) {
    case mb::IconStop:
        return QMessageBox::Critical;
    case mb::IconQuestion:
        return QMessageBox::Question;
    case mb::IconExclamation:
        return QMessageBox::Warning;
    case mb::IconInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

struct ButtonSpec {
    QMessageBox::StandardButton button;
    int answer;
};

std::vector<ButtonSpec> buttonsOf(unsigned style) {
    switch (style & mb::ButtonMask) {
    case mb::OkCancel:
        return {{QMessageBox::Ok, mb::IdOk}, {QMessageBox::Cancel, mb::IdCancel}};
    case mb::AbortRetryIgnore:
        return {{QMessageBox::Abort, mb::IdAbort},
                {QMessageBox::Retry, mb::IdRetry},
                {QMessageBox::Ignore, mb::IdIgnore}};
    case mb::YesNoCancel:
        return {
            {QMessageBox::Yes, mb::IdYes}, {QMessageBox::No, mb::IdNo}, {QMessageBox::Cancel, mb::IdCancel}};
    case mb::YesNo:
        return {{QMessageBox::Yes, mb::IdYes}, {QMessageBox::No, mb::IdNo}};
    case mb::RetryCancel:
        return {{QMessageBox::Retry, mb::IdRetry}, {QMessageBox::Cancel, mb::IdCancel}};
    default:
        return {{QMessageBox::Ok, mb::IdOk}};
    }
}

int showBox(QWidget* owner, const std::string& caption, const std::string& text, unsigned style) {
    QString body = qs(text);
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    body.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(iconOf(style), qs(caption), body, QMessageBox::NoButton, owner);
    box.setObjectName(QStringLiteral("SystemMessageBox"));
    const auto buttons = buttonsOf(style);
    std::vector<QPushButton*> added;
    for (const ButtonSpec& spec : buttons)
        added.push_back(box.addButton(spec.button));
    box.setDefaultButton(added.front());
    // Esc gives Cancel where there is one, else the only button; a Yes/No box has no Esc answer.
    for (const ButtonSpec& spec : buttons) {
        if (spec.answer == mb::IdCancel || buttons.size() == 1)
            box.setEscapeButton(box.button(spec.button));
    }
    box.exec();
    for (const ButtonSpec& spec : buttons) {
        if (box.clickedButton() == box.button(spec.button))
            return spec.answer;
    }
    return buttons.size() == 1 ? buttons.front().answer : mb::IdCancel;
}

const char* buttonObjectName(int result) {
    switch (result) {
    case 1:
        return "OK";
    case 2:
        return "Cancel";
    case 3:
        return "Abort";
    case 4:
        return "Retry";
    case 5:
        return "Ignore";
    case 6:
        return "Yes";
    case 7:
        return "No";
    case 8:
        return "All";
    case 9:
        return "NoToAll";
    case 10:
        return "YesToAll";
    default:
        return "Help";
    }
}

QStyle::StandardPixmap pixmapOf(MessageKind kind) {
    switch (kind) {
    case MessageKind::Warning:
        return QStyle::SP_MessageBoxWarning;
    case MessageKind::Error:
        return QStyle::SP_MessageBoxCritical;
    case MessageKind::Information:
        return QStyle::SP_MessageBoxInformation;
    default:
        return QStyle::SP_MessageBoxQuestion;
    }
}

// The program's message dialog: no close box; Enter and Esc answer as the core decided.
class LocalizedDialog final : public QDialog {
public:
    LocalizedDialog(const MessageDialog& spec, QWidget* owner) : QDialog(owner), m_spec(spec) {
        setObjectName(QStringLiteral("LocalizedMessageDlg"));
        setWindowTitle(qs(spec.caption));
        setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        setModal(true);

        auto* layout = new QVBoxLayout(this);
        auto* top = new QHBoxLayout;
        if (spec.kind != MessageKind::Custom) {
            auto* icon = new QLabel(this);
            icon->setObjectName(QStringLiteral("Image"));
            icon->setPixmap(style()->standardIcon(pixmapOf(spec.kind)).pixmap(32, 32));
            top->addWidget(icon, 0, Qt::AlignTop);
        }
        QString text = qs(spec.text);
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        auto* message = new QLabel(text, this);
        message->setObjectName(QStringLiteral("Message"));
        message->setWordWrap(true);
        const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
        if (screen)
            message->setMaximumWidth(screen->availableGeometry().width() / 2);
        top->addWidget(message, 1);
        layout->addLayout(top);

        std::vector<QPushButton*> made;
        int widest = 0;
        for (const DialogButton& button : spec.buttons) {
            auto* push = new QPushButton(qs(button.label), this);
            push->setObjectName(QString::fromLatin1(buttonObjectName(button.result)));
            push->setAutoDefault(false);
            if (button.result != 0 && button.result == spec.defaultResult)
                push->setDefault(true);
            connect(push, &QPushButton::clicked, this, [this, result = button.result] {
                if (result != 0)
                    done(result);
            });
            widest = std::max(widest, push->sizeHint().width());
            made.push_back(push);
        }
        if (spec.companionLayout) {
            // Three sentence-long buttons standing edge to edge from the left edge.
            auto* row = new QWidget(this);
            row->setObjectName(QStringLiteral("ButtonRow"));
            int height = 0;
            for (std::size_t i = 0; i < made.size(); ++i) {
                made[i]->setParent(row);
                made[i]->setGeometry(186 * static_cast<int>(i) - 1, 0, 186, made[i]->sizeHint().height());
                height = std::max(height, made[i]->sizeHint().height());
            }
            row->setMinimumSize(186 * static_cast<int>(made.size()) - 1, height);
            layout->addWidget(row);
            layout->setContentsMargins(0, layout->contentsMargins().top(), 0, 0);
        } else {
            auto* row = new QHBoxLayout;
            row->addStretch(1);
            for (QPushButton* push : made) {
                push->setFixedWidth(widest);
                row->addWidget(push);
            }
            row->addStretch(1);
            layout->addLayout(row);
        }
        setFixedSize(sizeHint());
        if (screen)
            move(screen->availableGeometry().center() - rect().center());
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape) {
            if (m_spec.cancelResult != 0)
                done(m_spec.cancelResult);
            return;
        }
        QDialog::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override { event->ignore(); }

private:
    MessageDialog m_spec;
};

} // namespace

int QtDialogs::messageDialog(const MessageDialog& dialog) {
    LocalizedDialog shown(dialog, m_owner);
    return shown.exec();
}

void QtDialogs::plainError(const std::string& text) {
    showBox(m_owner, "Error", text, mb::IconStop | mb::Ok);
}

void QtDialogs::plainNotice(const std::string& text) {
    showBox(m_owner, "Vonalor", text, mb::Ok);
}

void QtDialogs::failureNotice(const std::string& text) {
    showBox(m_owner, "Vonalor", text, mb::IconStop | mb::Ok);
}

int QtDialogs::messageBox(const std::string& caption, const std::string& text, unsigned style) {
    return showBox(m_owner, caption, text, style);
}

} // namespace vonalor
