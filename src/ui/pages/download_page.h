#pragma once

#include "ui/page.h"

#include <QWidget>

class QLabel;

namespace vonalor {

// "Letöltés": the elapsed time of a download.
class DownloadPage final : public QWidget, public Page {
    Q_DISABLE_COPY_MOVE(DownloadPage)

public:
    DownloadPage(ProgramCore& core, QWidget* parent = nullptr);

    Aspects watches() const override;
    void render(const MainWindowState& state, Aspects aspects) override;

private:
    ProgramCore& m_core;
    QLabel* m_elapsed = nullptr;
};

} // namespace vonalor
