#include "ui/settings/diagram_page.h"

#include "ui/widget_builders.h"

#include <QComboBox>
#include <QPushButton>

namespace vonalor {

DiagramPage::DiagramPage(ProgramCore& core, QWidget* parent) : QWidget(parent), m_core(core) {
    setObjectName(QStringLiteral("TabSheet10"));
    auto* layout = new QVBoxLayout(this);
    m_chooser = pickOnlyCombo(this, "ComboKapcsDia");
    layout->addWidget(m_chooser);
    m_show = named(new QPushButton(QStringLiteral("   Diagram megtekintése"), this), "BitBtn20");
    layout->addWidget(m_show);
}

Aspects DiagramPage::watches() const {
    return Aspect::Session | Aspect::Window | Aspect::Phonebook;
}

void DiagramPage::load(const MainWindowState& state) {
    fillChooser(m_chooser, state.phonebook.entries);
}

void DiagramPage::render(const MainWindowState& state, Aspects aspects) {
    if (has(aspects, Aspect::Phonebook))
        refillChooser(m_chooser, state.phonebook.entries);
    if (has(aspects, Aspect::Session))
        m_chooser->setEnabled(state.session.connectionSettingsEnabled);
    if (has(aspects, Aspect::Window))
        m_show->setEnabled(state.window.diagramButtonEnabled);
}

} // namespace vonalor
