#include "ui/tray.h"

#include "core/program_core.h"
#include "ui/qt_text.h"

#include <QMenu>
#include <QPainter>
#include <QSystemTrayIcon>
#include <QWidget>

namespace vonalor {

namespace {

QIcon drawTrayPicture(const QColor& body, const QColor& sent, const QColor& received) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(body);
    painter.drawRoundedRect(QRectF(4, 8, 24, 16), 4, 4);
    painter.setBrush(sent);
    painter.drawEllipse(QRectF(7, 12, 8, 8));
    painter.setBrush(received);
    painter.drawEllipse(QRectF(17, 12, 8, 8));
    return QIcon(pixmap);
}

} // namespace

std::vector<QIcon> trayPictures() {
    const QColor body(40, 90, 160), quiet(200, 200, 200), lit(120, 230, 90), off(110, 110, 110);
    return {drawTrayPicture(body, quiet, quiet), drawTrayPicture(body, lit, quiet),
            drawTrayPicture(body, quiet, lit), drawTrayPicture(body, lit, lit),
            drawTrayPicture(off, off, off)};
}

Tray::Tray(ProgramCore& core, QWidget* window) : QObject(window), m_core(core), m_pictures(trayPictures()) {
    m_icon = new QSystemTrayIcon(m_pictures[static_cast<std::size_t>(TrayPicture::NoConnection)], window);
    m_icon->setObjectName(QStringLiteral("TrayIcon1"));
    m_icon->setToolTip(QStringLiteral("Nincs aktív kapcsolat"));
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
            m_core.trayLeftClick();
    });

    m_menu = new QMenu(window);
    m_menu->setObjectName(QStringLiteral("PopupMenu1"));
    m_menu->setLayoutDirection(Qt::RightToLeft);
    auto* status = m_menu->addAction(QStringLiteral("Állapot"));
    m_menu->addSeparator();
    m_hangUp = m_menu->addAction(QStringLiteral("Kapcsolat bontása"));
    // The firewall applet belongs to one old system only; here it and its separator stay hidden.
    QAction* firewallSeparator = m_menu->addSeparator();
    QAction* firewall = m_menu->addAction(QStringLiteral("Windows tűzfal beállításainak módosítása"));
    firewallSeparator->setVisible(false);
    firewall->setVisible(false);
    m_menu->addSeparator();
    auto* network = m_menu->addAction(QStringLiteral("Hálózati kapcsolatok megnyitása"));
    m_menu->addSeparator();
    auto* internet = m_menu->addAction(QStringLiteral("Internet tulajdonságai"));
    m_menu->addSeparator();
    auto* close = m_menu->addAction(QStringLiteral("Bezárás"));
    connect(status, &QAction::triggered, this, [this] { m_core.trayMenuAllapot(); });
    connect(m_hangUp, &QAction::triggered, this,
            [this] { m_core.runEvent([this] { m_core.btnKapcsBontClick(); }); });
    connect(network, &QAction::triggered, this, [this] { m_core.OpenControlPanelApplet("ncpa.cpl"); });
    connect(internet, &QAction::triggered, this, [this] { m_core.OpenControlPanelApplet("inetcpl.cpl"); });
    connect(firewall, &QAction::triggered, this, [this] { m_core.OpenControlPanelApplet("firewall.cpl"); });
    connect(close, &QAction::triggered, window, &QWidget::close);
    connect(m_menu, &QMenu::aboutToShow, this, [this, firewall, firewallSeparator] {
        // Behind the restore password the menu is empty: nothing may bypass the prompt.
        const bool offered = m_core.trayMenuOffered();
        for (QAction* action : m_menu->actions())
            action->setVisible(offered && action != firewall && action != firewallSeparator);
        m_hangUp->setEnabled(m_core.state().session.btnKapcsBontEnabled);
    });
    m_icon->setContextMenu(m_menu);
}

void Tray::render(const TrayState& state) {
    // The hint's lines are separated by a carriage return alone; the tray shows them as lines.
    const QString hint = qs(state.hint).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (m_icon->toolTip() != hint)
        m_icon->setToolTip(hint);
    if (state.picture != m_shownPicture) {
        m_shownPicture = state.picture;
        m_icon->setIcon(m_pictures[static_cast<std::size_t>(state.picture)]);
    }
    m_icon->setVisible(state.visible);
}

void Tray::showBalloon(const QString& title, const QString& text, int seconds) {
    m_icon->showMessage(title, text, QSystemTrayIcon::Information, seconds * 1000);
}

} // namespace vonalor
