#include "ui/settings/hotkeys_page.h"

#include "ui/qt_text.h"
#include "ui/widget_builders.h"

#include <QComboBox>

namespace vonalor {

HotkeysPage::HotkeysPage(ProgramCore& core, QWidget* parent) : CorePage(core, "TabSheet11", parent) {
    auto* layout = new QVBoxLayout(this);
    m_dialLetter = pickOnlyCombo(this, "combGyBKapcsBetu");
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        m_dialLetter->addItem(QString(QChar::fromLatin1(letter)));
    layout->addWidget(m_dialLetter);
    m_dialEntry = new ConnectionChooser(this, "combGyBKapcsList", ConnectionChooser::Lock::Never);
    layout->addWidget(m_dialEntry);
    m_webAddresses = pickOnlyCombo(this, "combGyBLapCim");
    layout->addWidget(m_webAddresses);
}

Aspects HotkeysPage::watches() const {
    return static_cast<Aspects>(Aspect::Phonebook);
}

void HotkeysPage::load(const MainWindowState& state) {
    m_dialEntry->load(state);
    m_webAddresses->clear();
    for (const std::string& address : state.hotkeys.webAddresses)
        m_webAddresses->addItem(qs(address));
    m_webAddresses->setCurrentIndex(state.hotkeys.webAddressIndex);
    m_dialLetter->setCurrentIndex(state.hotkeys.dialHotkeyLetter);
    m_dialEntry->setCurrentIndex(state.hotkeys.dialHotkeyEntry);
}

void HotkeysPage::render(const MainWindowState& state, Aspects aspects) {
    m_dialEntry->render(state, aspects);
}

} // namespace vonalor
