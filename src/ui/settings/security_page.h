#pragma once

#include "ui/page.h"

#include <QWidget>

namespace vonalor {

// "Biztonság": nothing on it yet.
class SecurityPage final : public QWidget, public Page {
    Q_DISABLE_COPY_MOVE(SecurityPage)

public:
    SecurityPage(ProgramCore& core, QWidget* parent = nullptr);

    Aspects watches() const override { return 0; }
    void render(const MainWindowState&, Aspects) override {}
};

} // namespace vonalor
