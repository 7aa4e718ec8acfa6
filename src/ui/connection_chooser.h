#pragma once

#include "ui/page.h"

#include <QComboBox>

namespace vonalor {

// A chooser of the phonebook's connections; most are locked while a session runs, since
// what they choose must not change under it.
class ConnectionChooser final : public QComboBox {
public:
    enum class Lock { WhileConnected, Never };

    explicit ConnectionChooser(QWidget* parent, const char* name, Lock lock);

    // Lists the phonebook afresh, the first entry chosen (the window being made).
    void load(const MainWindowState& state);
    // Lists the phonebook again, keeping the choice where it is still listed, and locks.
    void render(const MainWindowState& state, Aspects aspects);

private:
    Lock m_lock;
};

} // namespace vonalor
