#include "ui/main_window.h"

#include "core/program_core.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

namespace vonalor {

TfrmVonalor::TfrmVonalor(ProgramCore& core, QWidget* parent) : QWidget(parent), m_core(core) {
    setObjectName(QStringLiteral("TfrmVonalor"));
    setWindowTitle(QStringLiteral("Vonalor"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint);
    setFixedSize(451, 510);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    m_core.FormCreate();
}

void TfrmVonalor::closeAnsweringYes() {
    close();
}

void TfrmVonalor::closeEvent(QCloseEvent* event) {
    m_core.FormClose();
    event->accept();
}

} // namespace vonalor
