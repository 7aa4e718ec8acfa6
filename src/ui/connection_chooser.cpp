#include "ui/connection_chooser.h"

#include "ui/qt_text.h"

namespace vonalor {

ConnectionChooser::ConnectionChooser(QWidget* parent, const char* name, Lock lock)
    : QComboBox(parent), m_lock(lock) {
    setObjectName(QString::fromLatin1(name));
    setEditable(false); // an entry can only be picked, typed keys are discarded
}

void ConnectionChooser::load(const MainWindowState& state) {
    clear();
    for (const std::string& entry : state.phonebook.entries)
        addItem(qs(entry));
}

void ConnectionChooser::render(const MainWindowState& state, Aspects aspects) {
    if (has(aspects, Aspect::Phonebook)) {
        const QString chosen = currentText();
        load(state);
        setCurrentIndex(findText(chosen));
    }
    if (m_lock == Lock::WhileConnected && has(aspects, Aspect::Session))
        setEnabled(state.session.connectionSettingsEnabled);
}

} // namespace vonalor
