#include "ui/qt_dialogs.h"

#include <QMessageBox>
#include <QPushButton>
#include <QString>

namespace vonalor {

namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

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
        return {{QMessageBox::Abort, mb::IdAbort}, {QMessageBox::Retry, mb::IdRetry}, {QMessageBox::Ignore, mb::IdIgnore}};
    case mb::YesNoCancel:
        return {{QMessageBox::Yes, mb::IdYes}, {QMessageBox::No, mb::IdNo}, {QMessageBox::Cancel, mb::IdCancel}};
    case mb::YesNo:
        return {{QMessageBox::Yes, mb::IdYes}, {QMessageBox::No, mb::IdNo}};
    case mb::RetryCancel:
        return {{QMessageBox::Retry, mb::IdRetry}, {QMessageBox::Cancel, mb::IdCancel}};
    default:
        return {{QMessageBox::Ok, mb::IdOk}};
    }
}

int showBox(QWidget* owner, const std::string& caption, const std::string& text, unsigned style) {
    QString body = fromUtf8(text);
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(iconOf(style), fromUtf8(caption), body, QMessageBox::NoButton, owner);
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

} // namespace

void QtDialogs::plainError(const std::string& text) {
    showBox(m_owner, "Error", text, mb::IconStop | mb::Ok);
}

void QtDialogs::failureNotice(const std::string& text) {
    showBox(m_owner, "Vonalor", text, mb::IconStop | mb::Ok);
}

int QtDialogs::messageBox(const std::string& caption, const std::string& text, unsigned style) {
    return showBox(m_owner, caption, text, style);
}

} // namespace vonalor
