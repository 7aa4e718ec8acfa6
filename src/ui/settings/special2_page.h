#pragma once

#include "ui/page.h"

namespace vonalor {

// "Speciális 2": nothing on it yet.
class Special2Page final : public CorePage {
    Q_DISABLE_COPY_MOVE(Special2Page)

public:
    explicit Special2Page(ProgramCore& core, QWidget* parent = nullptr);

    Aspects watches() const override { return 0; }
    void render(const MainWindowState&, Aspects) override {}
};

} // namespace vonalor
