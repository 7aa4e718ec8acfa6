#pragma once

#include "ui/connection_chooser.h"
#include "ui/page.h"

class QPushButton;

namespace vonalor {

// "Diagram": the chosen connection's diagram.
class DiagramPage final : public CorePage {
    Q_DISABLE_COPY_MOVE(DiagramPage)

public:
    explicit DiagramPage(ProgramCore& core, QWidget* parent = nullptr);

    Aspects watches() const override;
    void load(const MainWindowState& state) override;
    void render(const MainWindowState& state, Aspects aspects) override;

private:
    ConnectionChooser* m_chooser = nullptr;
    QPushButton* m_show = nullptr;
};

} // namespace vonalor
