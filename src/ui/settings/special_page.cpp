#include "ui/settings/special_page.h"

#include "ui/widget_builders.h"

#include <QRadioButton>

namespace vonalor {

SpecialPage::SpecialPage(ProgramCore& core, QWidget* parent) : CorePage(core, "TabSheet13", parent) {
    auto* layout = new QVBoxLayout(this);
    m_current = named(new QRadioButton(QStringLiteral("Jelenlegi adatokat "), this), "rdbtnJelen");
    m_totals = named(new QRadioButton(QStringLiteral("Összesített adatokat"), this), "rdbtnOssz");
    layout->addWidget(m_current);
    layout->addWidget(m_totals);
}

Aspects SpecialPage::watches() const {
    return static_cast<Aspects>(Aspect::Companion);
}

void SpecialPage::render(const MainWindowState& state, Aspects) {
    m_current->setChecked(state.companion.rdbtnJelenChecked);
    m_totals->setChecked(state.companion.rdbtnOsszChecked);
}

} // namespace vonalor
