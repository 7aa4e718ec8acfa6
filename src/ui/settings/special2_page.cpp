#include "ui/settings/special2_page.h"

#include <QVBoxLayout>

namespace vonalor {

Special2Page::Special2Page(ProgramCore& core, QWidget* parent) : CorePage(core, "TabSheet14", parent) {
    new QVBoxLayout(this);
}

} // namespace vonalor
