#include "ui/pages/download_page.h"

#include "ui/qt_text.h"
#include "ui/widget_builders.h"

#include <QFormLayout>
#include <QLabel>

namespace vonalor {

DownloadPage::DownloadPage(ProgramCore& core, QWidget* parent) : CorePage(core, "TabSheet4", parent) {
    auto* layout = new QFormLayout(this);
    m_elapsed = labelledRow(layout, QStringLiteral("Eltelt idő:"), this, "lbEltelIdo");
}

Aspects DownloadPage::watches() const {
    return AllAspects;
}

void DownloadPage::render(const MainWindowState& state, Aspects aspects) {
    // The download's time has no aspect of its own yet: it is shown when everything changed.
    if (isFullChange(aspects))
        m_elapsed->setText(qs(state.download.lbEltelIdo));
}

} // namespace vonalor
