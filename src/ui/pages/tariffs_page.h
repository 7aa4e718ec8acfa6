#pragma once

#include "ui/connection_chooser.h"
#include "ui/page.h"

class QGroupBox;

namespace vonalor {

// "Tarifák": the tariffs of the chosen connection.
class TariffsPage final : public CorePage {
    Q_DISABLE_COPY_MOVE(TariffsPage)

public:
    explicit TariffsPage(ProgramCore& core, QWidget* parent = nullptr);

    Aspects watches() const override;
    void load(const MainWindowState& state) override;
    void render(const MainWindowState& state, Aspects aspects) override;

private:
    ConnectionChooser* m_chooser = nullptr;
    QGroupBox* m_group = nullptr;
    QGroupBox* m_editing = nullptr;
};

} // namespace vonalor
