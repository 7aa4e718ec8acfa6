#pragma once

#include "ui/page.h"

#include <QWidget>

class QComboBox;
class QTreeWidget;

namespace vonalor {

// "Speciális 3": the connection whose totals are adjusted, and the program log.
class Special3Page final : public QWidget, public Page {
    Q_DISABLE_COPY_MOVE(Special3Page)

public:
    Special3Page(ProgramCore& core, QWidget* parent = nullptr);

    ~Special3Page() override;

    Aspects watches() const override { return 0; }
    void load(const MainWindowState& state) override;
    void render(const MainWindowState&, Aspects) override {}

private:
    void showNewLogEntries();

    ProgramCore& m_core;
    QComboBox* m_adjustChooser = nullptr;
    QTreeWidget* m_programLog = nullptr;
};

} // namespace vonalor
