#pragma once

#include "ui/page.h"

#include <QWidget>

class QComboBox;

namespace vonalor {

// "Karbantartás": the default connection.
class MaintenancePage final : public QWidget, public Page {
    Q_DISABLE_COPY_MOVE(MaintenancePage)

public:
    MaintenancePage(ProgramCore& core, QWidget* parent = nullptr);

    Aspects watches() const override;
    void load(const MainWindowState& state) override;
    void render(const MainWindowState& state, Aspects aspects) override;

private:
    ProgramCore& m_core;
    QComboBox* m_defaultConnection = nullptr;
};

} // namespace vonalor
