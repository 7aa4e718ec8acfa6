#pragma once

#include "ui/page.h"

#include <QWidget>

class QComboBox;
class QPushButton;

namespace vonalor {

// "Diagram": the chosen connection's diagram.
class DiagramPage final : public QWidget, public Page {
    Q_DISABLE_COPY_MOVE(DiagramPage)

public:
    DiagramPage(ProgramCore& core, QWidget* parent = nullptr);

    Aspects watches() const override;
    void load(const MainWindowState& state) override;
    void render(const MainWindowState& state, Aspects aspects) override;

private:
    ProgramCore& m_core;
    QComboBox* m_chooser = nullptr;
    QPushButton* m_show = nullptr;
};

} // namespace vonalor
