#pragma once

#include "ui/connection_chooser.h"
#include "ui/page.h"
#include "ui/widget_builders.h"

class QGroupBox;
class QLabel;

namespace vonalor {

// "Költségek": the running session's cost and the billing period's totals.
class CostsPage final : public CorePage {
    Q_DISABLE_COPY_MOVE(CostsPage)

public:
    explicit CostsPage(ProgramCore& core, QWidget* parent = nullptr);

    Aspects watches() const override;
    void load(const MainWindowState& state) override;
    void render(const MainWindowState& state, Aspects aspects) override;

private:
    ConnectionChooser* m_chooser = nullptr;
    QLabel* m_currentCost = nullptr;
    QGroupBox* m_group = nullptr;
    QLabel* m_periodStart = nullptr;
    QLabel* m_periodEnd = nullptr;
    QLabel* m_month = nullptr;
    QLabel* m_totalCost = nullptr;
    ClockFields m_totalTime;
    QLabel* m_totalSent = nullptr;
    QLabel* m_totalReceived = nullptr;
    QLabel* m_bill = nullptr;
};

} // namespace vonalor
