#include "ui/settings/maintenance_page.h"

#include "ui/widget_builders.h"

#include <QComboBox>

namespace vonalor {

MaintenancePage::MaintenancePage(ProgramCore& core, QWidget* parent) : QWidget(parent), m_core(core) {
    setObjectName(QStringLiteral("TabSheet16"));
    auto* layout = new QVBoxLayout(this);
    m_defaultConnection = pickOnlyCombo(this, "ComboAlapKapcs");
    layout->addWidget(m_defaultConnection);
}

Aspects MaintenancePage::watches() const {
    return Aspect::Session | Aspect::Phonebook;
}

void MaintenancePage::load(const MainWindowState& state) {
    fillChooser(m_defaultConnection, state.phonebook.entries);
}

void MaintenancePage::render(const MainWindowState& state, Aspects aspects) {
    if (has(aspects, Aspect::Phonebook))
        refillChooser(m_defaultConnection, state.phonebook.entries);
    if (has(aspects, Aspect::Session))
        m_defaultConnection->setEnabled(state.session.connectionSettingsEnabled);
}

} // namespace vonalor
