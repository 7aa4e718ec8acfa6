#pragma once

#include "ui/page.h"

namespace vonalor {

// "Biztonság": nothing on it yet.
class SecurityPage final : public CorePage {
    Q_DISABLE_COPY_MOVE(SecurityPage)

public:
    explicit SecurityPage(ProgramCore& core, QWidget* parent = nullptr);

    Aspects watches() const override { return 0; }
    void render(const MainWindowState&, Aspects) override {}
};

} // namespace vonalor
