#pragma once

#include "ui/page.h"

#include <QWidget>

namespace vonalor {

// "Névjegy": the program's name and version.
class AboutPage final : public QWidget, public Page {
    Q_DISABLE_COPY_MOVE(AboutPage)

public:
    AboutPage(ProgramCore& core, QWidget* parent = nullptr);

    Aspects watches() const override { return 0; }
    void render(const MainWindowState&, Aspects) override {}
};

} // namespace vonalor
