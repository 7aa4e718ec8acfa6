#pragma once

#include "ui/page.h"

#include <QWidget>

class QTreeWidget;

namespace vonalor {

// "Feladatok": the scheduled tasks.
class TasksPage final : public QWidget, public Page {
    Q_DISABLE_COPY_MOVE(TasksPage)

public:
    TasksPage(ProgramCore& core, QWidget* parent = nullptr);

    Aspects watches() const override { return 0; }
    void load(const MainWindowState& state) override;
    void render(const MainWindowState&, Aspects) override {}

private:
    ProgramCore& m_core;
    QTreeWidget* m_list = nullptr;
};

} // namespace vonalor
