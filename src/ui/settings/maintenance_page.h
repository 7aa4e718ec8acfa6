#pragma once

#include "ui/connection_chooser.h"
#include "ui/page.h"

namespace vonalor {

// "Karbantartás": the default connection.
class MaintenancePage final : public CorePage {
    Q_DISABLE_COPY_MOVE(MaintenancePage)

public:
    explicit MaintenancePage(ProgramCore& core, QWidget* parent = nullptr);

    Aspects watches() const override;
    void load(const MainWindowState& state) override;
    void render(const MainWindowState& state, Aspects aspects) override;

private:
    ConnectionChooser* m_defaultConnection = nullptr;
};

} // namespace vonalor
