#include "ui/settings/special3_page.h"

#include "tasks/program_log.h"
#include "ui/qt_text.h"
#include "ui/widget_builders.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QStyle>
#include <QTreeWidget>

namespace vonalor {

Special3Page::Special3Page(ProgramCore& core, QWidget* parent) : CorePage(core, "TabSheet15", parent) {
    auto* layout = new QVBoxLayout(this);
    m_adjustChooser = new ConnectionChooser(this, "cmbKapcsHangol", ConnectionChooser::Lock::Never);
    layout->addWidget(m_adjustChooser);
    auto* logGroup = namedGroup(QStringLiteral("Programnapló"), this, "GroupBox30");
    auto* logLayout = new QVBoxLayout(logGroup);
    m_programLog = named(new QTreeWidget(logGroup), "lwProgNaplo");
    m_programLog->setHeaderLabels({QStringLiteral("Időpont"), QStringLiteral("Esemény")});
    m_programLog->setRootIsDecorated(false);
    m_programLog->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_programLog->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_programLog->header()->resizeSection(0, 130);
    m_programLog->header()->resizeSection(1, 210);
    logLayout->addWidget(m_programLog);
    layout->addWidget(logGroup);
    m_core.ports().log.setOnAdded([this](const ListRow&) { showNewLogEntries(); });
}

Special3Page::~Special3Page() {
    m_core.ports().log.setOnAdded(nullptr);
}

void Special3Page::load(const MainWindowState& state) {
    // The adjustment chooser is filled once, when the window is made.
    m_adjustChooser->load(state);
    showNewLogEntries();
}

void Special3Page::showNewLogEntries() {
    const ListRows& rows = m_core.ports().log.entries();
    while (m_programLog->topLevelItemCount() > static_cast<int>(rows.size()))
        delete m_programLog->takeTopLevelItem(m_programLog->topLevelItemCount() - 1);
    for (std::size_t i = static_cast<std::size_t>(m_programLog->topLevelItemCount()); i < rows.size(); ++i) {
        const ListRow& row = rows[i];
        auto* item = new QTreeWidgetItem(
            QStringList{qs(row.caption), row.subItems.empty() ? QString() : qs(row.subItems.front())});
        item->setIcon(0, style()->standardIcon(row.imageIndex == ProgramLog::Error
                                                   ? QStyle::SP_MessageBoxCritical
                                                   : QStyle::SP_MessageBoxInformation));
        m_programLog->addTopLevelItem(item);
    }
}

} // namespace vonalor
