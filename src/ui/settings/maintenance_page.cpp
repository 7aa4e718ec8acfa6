#include "ui/settings/maintenance_page.h"

#include "ui/widget_builders.h"

#include <QComboBox>

namespace vonalor {

MaintenancePage::MaintenancePage(ProgramCore& core, QWidget* parent) : CorePage(core, "TabSheet16", parent) {
    auto* layout = new QVBoxLayout(this);
    m_defaultConnection =
        new ConnectionChooser(this, "ComboAlapKapcs", ConnectionChooser::Lock::WhileConnected);
    layout->addWidget(m_defaultConnection);
}

Aspects MaintenancePage::watches() const {
    return Aspect::Session | Aspect::Phonebook;
}

void MaintenancePage::load(const MainWindowState& state) {
    m_defaultConnection->load(state);
}

void MaintenancePage::render(const MainWindowState& state, Aspects aspects) {
    m_defaultConnection->render(state, aspects);
}

} // namespace vonalor
