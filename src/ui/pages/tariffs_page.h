#pragma once

#include "ui/page.h"

#include <QWidget>

class QComboBox;
class QGroupBox;

namespace vonalor {

// "Tarifák": the tariffs of the chosen connection.
class TariffsPage final : public QWidget, public Page {
    Q_DISABLE_COPY_MOVE(TariffsPage)

public:
    TariffsPage(ProgramCore& core, QWidget* parent = nullptr);

    Aspects watches() const override;
    void load(const MainWindowState& state) override;
    void render(const MainWindowState& state, Aspects aspects) override;

private:
    ProgramCore& m_core;
    QComboBox* m_chooser = nullptr;
    QGroupBox* m_group = nullptr;
    QGroupBox* m_editing = nullptr;
};

} // namespace vonalor
