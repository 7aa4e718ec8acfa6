#include "ui/pages/tariffs_page.h"

#include "ui/qt_text.h"
#include "ui/widget_builders.h"

#include <QComboBox>
#include <QGroupBox>
#include <QVBoxLayout>

namespace vonalor {

TariffsPage::TariffsPage(ProgramCore& core, QWidget* parent) : CorePage(core, "TabSheet2", parent) {
    auto* layout = new QVBoxLayout(this);
    m_chooser = new ConnectionChooser(this, "comboKapcsolatok", ConnectionChooser::Lock::WhileConnected);
    connect(m_chooser, &QComboBox::activated, this, [this] { m_core.stopConnectionListTimer(); });
    layout->addWidget(m_chooser);
    m_group = named(new QGroupBox(this), "GroupBox2");
    auto* groupLayout = new QVBoxLayout(m_group);
    m_editing = namedGroup(QStringLiteral("Tarifák módosítása"), m_group, "GroupBox3");
    groupLayout->addWidget(m_editing);
    layout->addWidget(m_group);
    layout->addStretch(1);
}

Aspects TariffsPage::watches() const {
    return Aspect::Session | Aspect::Window | Aspect::Phonebook;
}

void TariffsPage::load(const MainWindowState& state) {
    m_chooser->load(state);
}

void TariffsPage::render(const MainWindowState& state, Aspects aspects) {
    m_chooser->render(state, aspects);
    if (has(aspects, Aspect::Session))
        m_editing->setEnabled(state.session.connectionSettingsEnabled);
    if (has(aspects, Aspect::Window)) {
        m_group->setTitle(qs(state.window.tariffGroupCaption));
        if (!state.window.tariffChooserText.empty())
            m_chooser->setCurrentIndex(m_chooser->findText(qs(state.window.tariffChooserText)));
    }
}

} // namespace vonalor
