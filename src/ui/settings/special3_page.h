#pragma once

#include "ui/connection_chooser.h"
#include "ui/page.h"

class QTreeWidget;

namespace vonalor {

// "Speciális 3": the connection whose totals are adjusted, and the program log.
class Special3Page final : public CorePage {
    Q_DISABLE_COPY_MOVE(Special3Page)

public:
    explicit Special3Page(ProgramCore& core, QWidget* parent = nullptr);

    ~Special3Page() override;

    Aspects watches() const override { return 0; }
    void load(const MainWindowState& state) override;
    void render(const MainWindowState&, Aspects) override {}

private:
    void showNewLogEntries();

    ConnectionChooser* m_adjustChooser = nullptr;
    QTreeWidget* m_programLog = nullptr;
};

} // namespace vonalor
