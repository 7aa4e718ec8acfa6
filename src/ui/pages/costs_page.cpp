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
    m_periodStart = namedLabel(m_group, "lbKezdDat");
    m_periodEnd = namedLabel(m_group, "lbVegDat");
    m_month = namedLabel(m_group, "lbHonap");
    period->addRow(QStringLiteral("Kezdő dátum:"), m_periodStart);
    period->addRow(QStringLiteral("Befejező dátum:"), m_periodEnd);
    period->addRow(QStringLiteral("Hónap:"), m_month);
    m_totalCost = namedLabel(m_group, "lbOsszKoltseg");
    period->addRow(QStringLiteral("Öszköltség :"), m_totalCost);
    m_totalTime = clockFields(m_group, "lbOsszOra", "lbOsszPerc", "lbOsszMPerc");
    period->addRow(QStringLiteral("Összidő :"), m_totalTime.row);
    m_totalSent = namedLabel(m_group, "lbOsszKuldBajt");
    m_totalReceived = namedLabel(m_group, "lbOsszFogadBajt");
    period->addRow(QStringLiteral("Küldött:"), m_totalSent);
    period->addRow(QStringLiteral("Fogadott:"), m_totalReceived);
    m_bill = namedLabel(m_group, "lbszamla");
    period->addRow(QStringLiteral("Számla:"), m_bill);
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
