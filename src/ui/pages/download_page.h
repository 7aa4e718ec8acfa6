#pragma once

#include "ui/page.h"

class QLabel;

namespace vonalor {

// "Letöltés": the elapsed time of a download.
class DownloadPage final : public CorePage {
    Q_DISABLE_COPY_MOVE(DownloadPage)

public:
    explicit DownloadPage(ProgramCore& core, QWidget* parent = nullptr);

    Aspects watches() const override;
    void render(const MainWindowState& state, Aspects aspects) override;

private:
    QLabel* m_elapsed = nullptr;
};

} // namespace vonalor
