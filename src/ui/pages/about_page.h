#pragma once

#include "ui/page.h"

namespace vonalor {

// "Névjegy": the program's name and version.
class AboutPage final : public CorePage {
    Q_DISABLE_COPY_MOVE(AboutPage)

public:
    explicit AboutPage(ProgramCore& core, QWidget* parent = nullptr);

    Aspects watches() const override { return 0; }
    void render(const MainWindowState&, Aspects) override {}
};

} // namespace vonalor
