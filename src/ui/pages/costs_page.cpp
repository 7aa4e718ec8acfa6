#include "ui/pages/costs_page.h"

#include "ui/qt_text.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace vonalor {

CostsPage::CostsPage(ProgramCore& core, QWidget* parent) : CorePage(core, "TabSheet3", parent) {
    auto* layout = new QVBoxLayout(this);
    m_chooser = new ConnectionChooser(this, "comboKapcsKolt", ConnectionChooser::Lock::WhileConnected);
    layout->addWidget(m_chooser);
    auto* current = namedGroup(QStringLiteral("Jelenlegi kapcsolat költségei"), this, "GroupBox11");
    auto* currentLayout = new QHBoxLayout(current);
    m_currentCost = namedLabel(current, "lbJelenKoltseg");
    currentLayout->addWidget(m_currentCost);
    currentLayout->addWidget(new QLabel(QStringLiteral("Ft"), current));
    currentLayout->addStretch(1);
    layout->addWidget(current);

    m_group = named(new QGroupBox(this), "GroupBox12");
    auto* period = new QFormLayout(m_group);
    m_periodStart = labelledRow(period, QStringLiteral("Kezdő dátum:"), m_group, "lbKezdDat");
    m_periodEnd = labelledRow(period, QStringLiteral("Befejező dátum:"), m_group, "lbVegDat");
    m_month = labelledRow(period, QStringLiteral("Hónap:"), m_group, "lbHonap");
    m_totalCost = labelledRow(period, QStringLiteral("Öszköltség :"), m_group, "lbOsszKoltseg");
    m_totalTime = clockFields(m_group, "lbOsszOra", "lbOsszPerc", "lbOsszMPerc");
    period->addRow(QStringLiteral("Összidő :"), m_totalTime.row);
    m_totalSent = labelledRow(period, QStringLiteral("Küldött:"), m_group, "lbOsszKuldBajt");
    m_totalReceived = labelledRow(period, QStringLiteral("Fogadott:"), m_group, "lbOsszFogadBajt");
    m_bill = labelledRow(period, QStringLiteral("Számla:"), m_group, "lbszamla");
    layout->addWidget(m_group);
    layout->addStretch(1);
}

Aspects CostsPage::watches() const {
    return Aspect::Session | Aspect::Cost | Aspect::Totals | Aspect::Phonebook;
}

void CostsPage::load(const MainWindowState& state) {
    for (QLabel* figure : {m_currentCost, m_totalCost, m_bill, m_totalSent, m_totalReceived})
        fixFigureSize(figure);
    fixClockSize(m_totalTime);
    m_chooser->load(state);
}

void CostsPage::render(const MainWindowState& state, Aspects aspects) {
    m_chooser->render(state, aspects);
    if (has(aspects, Aspect::Cost))
        m_currentCost->setText(qs(state.cost.lbJelenKoltseg));
    if (has(aspects, Aspect::Totals)) {
        const PeriodTotalsState& totals = state.totals;
        m_totalCost->setText(qs(totals.lbOsszKoltseg));
        m_totalTime.hours->setText(qs(totals.lbOsszOra));
        m_totalTime.minutes->setText(qs(totals.lbOsszPerc));
        m_totalTime.seconds->setText(qs(totals.lbOsszMPerc));
        m_totalSent->setText(qs(totals.lbOsszKuldBajt));
        m_totalReceived->setText(qs(totals.lbOsszFogadBajt));
        m_bill->setText(qs(totals.lbszamla));
        m_month->setText(qs(totals.lbHonap));
        m_group->setTitle(qs(totals.costGroupCaption));
        m_periodStart->setText(qs(totals.lbKezdDat));
        m_periodEnd->setText(qs(totals.lbVegDat));
    }
}

} // namespace vonalor
