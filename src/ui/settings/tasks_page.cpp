#include "ui/settings/tasks_page.h"

#include "ui/qt_text.h"
#include "ui/widget_builders.h"

#include <QTreeWidget>

namespace vonalor {

TasksPage::TasksPage(ProgramCore& core, QWidget* parent) : CorePage(core, "TabSheet9", parent) {
    auto* layout = new QVBoxLayout(this);
    m_list = named(new QTreeWidget(this), "ListView1");
    m_list->setHeaderLabels(
        {QStringLiteral("Feladat"), QStringLiteral("Időpont"), QStringLiteral("Ismétlés")});
    m_list->setRootIsDecorated(false);
    layout->addWidget(m_list);
}

void TasksPage::load(const MainWindowState& state) {
    m_list->clear();
    for (const ListRow& row : state.tasks.list) {
        QStringList columns{qs(row.caption)};
        for (const std::string& sub : row.subItems)
            columns << qs(sub);
        m_list->addTopLevelItem(new QTreeWidgetItem(columns));
    }
}

} // namespace vonalor
