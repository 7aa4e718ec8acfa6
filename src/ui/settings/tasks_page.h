#pragma once

#include "ui/page.h"

class QTreeWidget;

namespace vonalor {

// "Feladatok": the scheduled tasks.
class TasksPage final : public CorePage {
    Q_DISABLE_COPY_MOVE(TasksPage)

public:
    explicit TasksPage(ProgramCore& core, QWidget* parent = nullptr);

    Aspects watches() const override { return 0; }
    void load(const MainWindowState& state) override;
    void render(const MainWindowState&, Aspects) override {}

private:
    QTreeWidget* m_list = nullptr;
};

} // namespace vonalor
