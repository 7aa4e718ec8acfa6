#include "ui/pages/general_page.h"

#include "ui/qt_text.h"
#include "ui/tray.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vonalor {

GeneralPage::GeneralPage(ProgramCore& core, QWidget* parent)
    : CorePage(core, "TabSheet1", parent), m_pictures(trayPictures()) {
    auto* layout = new QVBoxLayout(this);
    auto* group = namedGroup(QStringLiteral("Kapcsolat"), this, "GroupBox1");
    auto* form = new QFormLayout(group);
    m_status = labelledRow(form, QStringLiteral("Állapot:"), group, "lbKapcsAllap");
    m_connectionName = labelledRow(form, QStringLiteral("Kapcsolat neve:"), group, "lbKapcsNeve");
    m_speed = labelledRow(form, QStringLiteral("Sebesség:"), group, "lbKapcsSebes");
    m_duration = clockFields(group, "lbOra", "lbPerc", "lbMPerc");
    form->addRow(QStringLiteral("Időtartam:"), m_duration.row);
    layout->addWidget(group);

    auto* traffic = namedGroup(QStringLiteral("Forgalom"), this, "GroupBox4");
    auto* trafficRow = new QHBoxLayout(traffic);
    auto* trafficForm = new QFormLayout;
    m_sent = labelledRow(trafficForm, QStringLiteral("Küldött bájtok:"), traffic, "lbBajtKuld");
    m_received = labelledRow(trafficForm, QStringLiteral("Fogadott bájtok:"), traffic, "lbBajtFogad");
    trafficRow->addLayout(trafficForm, 1);
    m_trafficPicture = namedLabel(traffic, "ImageForgalom");
    m_trafficPicture->setFixedSize(32, 32);
    trafficRow->addWidget(m_trafficPicture);
    layout->addWidget(traffic);

    auto* addresses = namedGroup(QStringLiteral("IP cím"), this, "GroupBox5");
    auto* addressLayout = new QVBoxLayout(addresses);
    m_addresses = namedLabel(addresses, "LabelIP");
    m_addresses->setTextInteractionFlags(Qt::TextSelectableByMouse);
    addressLayout->addWidget(m_addresses);
    layout->addWidget(addresses);
    layout->addStretch(1);

    m_hangUp = named(new QPushButton(QStringLiteral("Kapcsolat bontása"), this), "btnKapcsBont");
    auto* toTray = named(new QPushButton(QStringLiteral("Tálcára vele"), this), "BitBtn2");
    connect(toTray, &QPushButton::clicked, this, [this] { m_core.HideToTray(); });
    connect(m_hangUp, &QPushButton::clicked, this,
            [this] { m_core.runEvent([this] { m_core.btnKapcsBontClick(); }); });
    auto* row = new QHBoxLayout;
    row->addWidget(m_hangUp);
    row->addStretch(1);
    row->addWidget(toTray);
    layout->addLayout(row);
}

Aspects GeneralPage::watches() const {
    return Aspect::Session | Aspect::Traffic | Aspect::Duration | Aspect::Tray;
}

void GeneralPage::load(const MainWindowState&) {
    for (QLabel* figure : {m_speed, m_sent, m_received, m_connectionName, m_status})
        fixFigureSize(figure);
    fixClockSize(m_duration);
}

void GeneralPage::render(const MainWindowState& state, Aspects aspects) {
    if (has(aspects, Aspect::Session)) {
        m_status->setText(qs(state.session.lbKapcsAllap));
        m_connectionName->setText(qs(state.session.lbKapcsNeve));
        m_addresses->setText(qs(state.session.LabelIP));
        m_hangUp->setEnabled(state.session.btnKapcsBontEnabled);
    }
    if (has(aspects, Aspect::Traffic)) {
        m_speed->setText(qs(state.session.lbKapcsSebes));
        m_sent->setText(qs(state.session.lbBajtKuld));
        m_received->setText(qs(state.session.lbBajtFogad));
    }
    if (has(aspects, Aspect::Duration)) {
        m_duration.hours->setText(qs(state.duration.lbOra));
        m_duration.minutes->setText(qs(state.duration.lbPerc));
        m_duration.seconds->setText(qs(state.duration.lbMPerc));
    }
    if (has(aspects, Aspect::Tray) && state.tray.picture != m_shownPicture) {
        m_shownPicture = state.tray.picture;
        // The same picture as the tray's while something moves; nothing while quiet.
        const auto picture = static_cast<std::size_t>(state.tray.picture);
        if (showsTraffic(state.tray.picture))
            m_trafficPicture->setPixmap(m_pictures[picture].pixmap(32, 32));
        else
            m_trafficPicture->setPixmap(QPixmap());
    }
}

} // namespace vonalor
