#include "ui/settings/hotkeys_page.h"

#include "ui/qt_text.h"
#include "ui/widget_builders.h"

#include <QComboBox>

namespace vonalor {

HotkeysPage::HotkeysPage(ProgramCore& core, QWidget* parent) : QWidget(parent), m_core(core) {
    setObjectName(QStringLiteral("TabSheet11"));
    auto* layout = new QVBoxLayout(this);
    m_dialLetter = pickOnlyCombo(this, "combGyBKapcsBetu");
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        m_dialLetter->addItem(QString(QChar::fromLatin1(letter)));
    layout->addWidget(m_dialLetter);
    m_dialEntry = pickOnlyCombo(this, "combGyBKapcsList");
    layout->addWidget(m_dialEntry);
    m_webAddresses = pickOnlyCombo(this, "combGyBLapCim");
    layout->addWidget(m_webAddresses);
}

Aspects HotkeysPage::watches() const {
    return static_cast<Aspects>(Aspect::Phonebook);
}

void HotkeysPage::load(const MainWindowState& state) {
    fillChooser(m_dialEntry, state.phonebook.entries);
    m_webAddresses->clear();
    for (const std::string& address : state.hotkeys.webAddresses)
        m_webAddresses->addItem(qs(address));
    m_webAddresses->setCurrentIndex(state.hotkeys.webAddressIndex);
    m_dialLetter->setCurrentIndex(state.hotkeys.dialHotkeyLetter);
    m_dialEntry->setCurrentIndex(state.hotkeys.dialHotkeyEntry);
}

void HotkeysPage::render(const MainWindowState& state, Aspects aspects) {
    if (has(aspects, Aspect::Phonebook))
        refillChooser(m_dialEntry, state.phonebook.entries);
}

} // namespace vonalor
