#pragma once

#include "ui/page.h"

class QRadioButton;

namespace vonalor {

// "Speciális": what the companion window shows.
class SpecialPage final : public CorePage {
    Q_DISABLE_COPY_MOVE(SpecialPage)

public:
    explicit SpecialPage(ProgramCore& core, QWidget* parent = nullptr);

    Aspects watches() const override;
    void render(const MainWindowState& state, Aspects aspects) override;

private:
    QRadioButton* m_current = nullptr;
    QRadioButton* m_totals = nullptr;
};

} // namespace vonalor
