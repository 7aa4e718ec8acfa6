#include "ui/pages/about_page.h"

#include "ui/widget_builders.h"

#include <QLabel>
#include <QVBoxLayout>

namespace vonalor {

AboutPage::AboutPage(ProgramCore& core, QWidget* parent) : CorePage(core, "TabSheet8", parent) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(named(new QLabel(QStringLiteral("Vonalor"), this), "Label40"));
    layout->addWidget(named(new QLabel(QStringLiteral("Verzió :               1.3"), this), "Label41"));
    layout->addStretch(1);
}

} // namespace vonalor
