#include "ui/main_window.h"

#include "platform/timer_service.h"
#include "text/conversion_error.h"
#include "ui/log_viewer_page.h"
#include "ui/pages/about_page.h"
#include "ui/pages/connections_page.h"
#include "ui/pages/costs_page.h"
#include "ui/pages/download_page.h"
#include "ui/pages/general_page.h"
#include "ui/pages/tariffs_page.h"
#include "ui/password_prompt.h"
#include "ui/qt_text.h"
#include "ui/settings/config_page.h"
#include "ui/settings/diagram_page.h"
#include "ui/settings/hotkeys_page.h"
#include "ui/settings/maintenance_page.h"
#include "ui/settings/security_page.h"
#include "ui/settings/special2_page.h"
#include "ui/settings/special3_page.h"
#include "ui/settings/special_page.h"
#include "ui/settings/tasks_page.h"
#include "ui/tray.h"
#include "ui/widget_builders.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTabWidget>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWindowStateChangeEvent>

namespace vonalor {

TfrmVonalor::TfrmVonalor(ProgramCore& core, std::function<void(const std::string&)> onFailure,
                         QWidget* parent)
    : QWidget(parent), m_core(core), m_onFailure(std::move(onFailure)) {
    setObjectName(QStringLiteral("TfrmVonalor"));
    setWindowTitle(QStringLiteral("Vonalor"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::WindowContextHelpButtonHint);
    setFixedSize(451, 510);
    // The window's layout is drawn for a small dialog font.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    buildPages();
    m_tray = new Tray(m_core, this);
    m_trafficRender = &m_core.ports().timers.createTimer("TrafficRender", 200, false, [this] {
        m_trafficRender->setEnabled(false);
        render(static_cast<Aspects>(Aspect::Traffic));
    });

    m_core.setView(this);
    try {
        m_core.FormCreate();
    } catch (const ConversionError& e) {
        if (m_onFailure)
            m_onFailure(e.what());
    }
    const MainWindowState& state = m_core.state();
    for (Page* page : m_pageList)
        page->load(state);
    render(AllAspects);
}

TfrmVonalor::~TfrmVonalor() {
    // The timer service outlives the window: its timer must never call back into it.
    m_trafficRender->setEnabled(false);
    m_core.setView(nullptr);
}

template <typename P> P* TfrmVonalor::addPage(QTabWidget* tabs, const QString& caption) {
    auto* page = new P(m_core);
    m_pageList.push_back(page);
    tabs->addTab(page, caption);
    return page;
}

void TfrmVonalor::buildPages() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 4, 2, 2);
    m_pages = named(new QTabWidget(this), "PageControl1");
    // Eight tabs share 451 pixels: keep them narrow enough to stand side by side.
    m_pages->setUsesScrollButtons(false);
    m_pages->setStyleSheet(
        QStringLiteral("QTabBar::tab { padding: 3px 2px; border: 1px solid #a8a8a8; border-bottom: none;"
                       " background: #e4e4e4; margin-right: -1px; border-top-left-radius: 3px; "
                       "border-top-right-radius: 3px; }"
                       "QTabBar::tab:selected { background: #fafafa; }"
                       "QTabBar::tab:!selected { margin-top: 2px; }"));
    layout->addWidget(m_pages);

    addPage<GeneralPage>(m_pages, QStringLiteral("Általános"));
    addPage<TariffsPage>(m_pages, QStringLiteral("Tarifák"));
    addPage<CostsPage>(m_pages, QStringLiteral("Költségek"));
    addPage<DownloadPage>(m_pages, QStringLiteral("Letöltés"));
    addPage<ConnectionsPage>(m_pages, QStringLiteral("Kapcsolatok"));
    m_pages->addTab(buildSettingsPages(), QStringLiteral("Beállítások"));
    m_logViewer = new LogViewerPage(m_core.ports().home, m_core.ports().dialogs, m_core.ports().sound);
    m_logViewer->setObjectName(QStringLiteral("TabSheet7"));
    m_pageList.push_back(m_logViewer);
    m_pages->addTab(m_logViewer, QStringLiteral("Napló"));
    addPage<AboutPage>(m_pages, QStringLiteral("Névjegy"));

    connect(m_pages, &QTabWidget::currentChanged, this, [this](int index) {
        if (m_rendering)
            return; // the program chose the tab, not the user
        const auto tab = static_cast<MainTab>(index);
        m_core.mainTabChosen(tab);
        if (tab == MainTab::Log)
            m_logViewer->refresh();
    });
}

QWidget* TfrmVonalor::buildSettingsPages() {
    auto* page = named(new QWidget, "TabSheet6");
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    m_settingsPages = named(new QTabWidget(page), "PageControl2");
    layout->addWidget(m_settingsPages);
    addPage<TasksPage>(m_settingsPages, QStringLiteral("Feladatok"));
    addPage<DiagramPage>(m_settingsPages, QStringLiteral("Diagram"));
    addPage<HotkeysPage>(m_settingsPages, QStringLiteral("Gyorsbillentyűk"));
    addPage<ConfigPage>(m_settingsPages, QStringLiteral("Konfiguráció"));
    addPage<SpecialPage>(m_settingsPages, QStringLiteral("Speciális"));
    addPage<Special2Page>(m_settingsPages, QStringLiteral("Speciális 2"));
    addPage<Special3Page>(m_settingsPages, QStringLiteral("Speciális 3"));
    addPage<MaintenancePage>(m_settingsPages, QStringLiteral("Karbantartás"));
    addPage<SecurityPage>(m_settingsPages, QStringLiteral("Biztonság"));
    connect(m_settingsPages, &QTabWidget::currentChanged, this, [this](int index) {
        if (m_rendering)
            return;
        m_core.settingsTabChosen(static_cast<SettingsTab>(index));
    });
    return page;
}

void TfrmVonalor::changed(Aspects aspects) {
    if (aspects == static_cast<Aspects>(Aspect::Traffic)) {
        if (!m_trafficRender->enabled())
            m_trafficRender->setEnabled(true);
        return;
    }
    render(aspects);
}

void TfrmVonalor::render(Aspects aspects) {
    const MainWindowState& state = m_core.state();
    m_rendering = true;
    if (has(aspects, Aspect::Cost) || has(aspects, Aspect::Window))
        setWindowTitle(qs(state.window.windowTitle));
    for (Page* page : m_pageList) {
        if ((aspects & page->watches()) != 0)
            page->render(state, aspects);
    }
    if (has(aspects, Aspect::Tray))
        m_tray->render(state.tray);
    if (has(aspects, Aspect::Window)) {
        m_pages->setCurrentIndex(static_cast<int>(state.window.mainTab));
        m_settingsPages->setCurrentIndex(static_cast<int>(state.window.settingsTab));
    }
    m_rendering = false;
}

QSystemTrayIcon* TfrmVonalor::trayIcon() const {
    return m_tray->icon();
}

QMenu* TfrmVonalor::trayMenu() const {
    return m_tray->menu();
}

int TfrmVonalor::trayPicture() const {
    const auto shown = m_tray->shownPicture();
    return shown ? static_cast<int>(*shown) : -1;
}

void TfrmVonalor::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    m_core.FormShow();
}

void TfrmVonalor::showMainWindow() {
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

void TfrmVonalor::hideMainWindow() {
    hide();
}

void TfrmVonalor::showHintBubble(const std::string& text) {
    QToolTip::showText(mapToGlobal(rect().center()), qs(text), this);
}

void TfrmVonalor::closeHintBubble() {
    QToolTip::hideText();
}

void TfrmVonalor::showBalloon(const std::string& title, const std::string& text, int seconds) {
    m_tray->showBalloon(qs(title), qs(text), seconds);
}

void TfrmVonalor::bringToForeground() {
    raise();
    activateWindow();
}

void TfrmVonalor::processEvents() {
    QApplication::processEvents();
}

bool TfrmVonalor::askRestorePassword() {
    if (!m_restorePrompt)
        m_restorePrompt = new PasswordPrompt(PasswordPrompt::Kind::Restore, m_core.ports().store,
                                             m_core.ports().dialogs, this);
    return m_restorePrompt->exec() == QDialog::Accepted;
}

void TfrmVonalor::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange)
        m_core.onSystemCommand(windowState() & Qt::WindowMinimized);
    QWidget::changeEvent(event);
}

void TfrmVonalor::moveEvent(QMoveEvent* event) {
    if (isVisible())
        m_core.onSystemCommand(false);
    QWidget::moveEvent(event);
}

void TfrmVonalor::closeAnsweringYes() {
    m_answerYes = true;
    close();
}

void TfrmVonalor::closeEvent(QCloseEvent* event) {
    if (!m_core.FormCloseQuery(m_answerYes)) {
        m_answerYes = false;
        event->ignore();
        return;
    }
    m_core.FormClose();
    event->accept();
    QApplication::quit();
}

} // namespace vonalor
