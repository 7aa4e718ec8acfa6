#include "ui/settings/security_page.h"

#include <QVBoxLayout>

namespace vonalor {

SecurityPage::SecurityPage(ProgramCore&, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet17"));
    new QVBoxLayout(this);
}

} // namespace vonalor
