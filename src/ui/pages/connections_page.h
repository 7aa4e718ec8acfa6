#pragma once

#include "ui/page.h"

class QComboBox;
class QListWidget;

namespace vonalor {

// "Kapcsolatok": the phonebook's entries and the dialling devices.
class ConnectionsPage final : public CorePage {
    Q_DISABLE_COPY_MOVE(ConnectionsPage)

public:
    explicit ConnectionsPage(ProgramCore& core, QWidget* parent = nullptr);

    Aspects watches() const override;
    void load(const MainWindowState& state) override;
    void render(const MainWindowState& state, Aspects aspects) override;

private:
    void listEntries(const MainWindowState& state);

    QListWidget* m_entries = nullptr;
    QComboBox* m_devices = nullptr;
};

} // namespace vonalor
