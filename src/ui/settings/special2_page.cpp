#include "ui/settings/special2_page.h"

#include <QVBoxLayout>

namespace vonalor {

Special2Page::Special2Page(ProgramCore&, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet14"));
    new QVBoxLayout(this);
}

} // namespace vonalor
