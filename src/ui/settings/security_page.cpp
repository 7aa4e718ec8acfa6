#include "ui/settings/security_page.h"

#include <QVBoxLayout>

namespace vonalor {

SecurityPage::SecurityPage(ProgramCore& core, QWidget* parent) : CorePage(core, "TabSheet17", parent) {
    new QVBoxLayout(this);
}

} // namespace vonalor
