#include "ui/settings/diagram_page.h"

#include "ui/widget_builders.h"

#include <QComboBox>
#include <QPushButton>

namespace vonalor {

DiagramPage::DiagramPage(ProgramCore& core, QWidget* parent) : CorePage(core, "TabSheet10", parent) {
    auto* layout = new QVBoxLayout(this);
    m_chooser = new ConnectionChooser(this, "ComboKapcsDia", ConnectionChooser::Lock::WhileConnected);
    layout->addWidget(m_chooser);
    m_show = named(new QPushButton(QStringLiteral("   Diagram megtekintése"), this), "BitBtn20");
    layout->addWidget(m_show);
}

Aspects DiagramPage::watches() const {
    return Aspect::Session | Aspect::Window | Aspect::Phonebook;
}

void DiagramPage::load(const MainWindowState& state) {
    m_chooser->load(state);
}

void DiagramPage::render(const MainWindowState& state, Aspects aspects) {
    m_chooser->render(state, aspects);
    if (has(aspects, Aspect::Window))
        m_show->setEnabled(state.window.diagramButtonEnabled);
}

} // namespace vonalor
