#include "ui/pages/connections_page.h"

#include "ui/qt_text.h"
#include "ui/widget_builders.h"

#include <QComboBox>
#include <QFormLayout>
#include <QListWidget>
#include <QVBoxLayout>

namespace vonalor {

ConnectionsPage::ConnectionsPage(ProgramCore& core, QWidget* parent) : CorePage(core, "TabSheet5", parent) {
    auto* layout = new QVBoxLayout(this);
    m_entries = named(new QListWidget(this), "lbKapcsolatok");
    layout->addWidget(m_entries);
    auto* deviceRow = new QFormLayout;
    m_devices = pickOnlyCombo(this, "combEszTip");
    deviceRow->addRow(QStringLiteral("Eszköz típusa : "), m_devices);
    layout->addLayout(deviceRow);
}

Aspects ConnectionsPage::watches() const {
    return Aspect::Session | Aspect::Phonebook;
}

void ConnectionsPage::listEntries(const MainWindowState& state) {
    m_entries->clear();
    for (const std::string& entry : state.phonebook.entries)
        m_entries->addItem(qs(entry));
}

void ConnectionsPage::load(const MainWindowState& state) {
    listEntries(state);
    m_devices->clear();
    for (const RasDevice& device : state.phonebook.devices)
        m_devices->addItem(qs(device.name));
}

void ConnectionsPage::render(const MainWindowState& state, Aspects aspects) {
    if (has(aspects, Aspect::Phonebook))
        listEntries(state);
    if (has(aspects, Aspect::Session))
        m_entries->setEnabled(state.session.connectionSettingsEnabled);
}

} // namespace vonalor
