#include "ui/main_window.h"

#include "platform/ras.h"
#include "tasks/program_log.h"
#include "text/conversion_error.h"
#include "ui/password_prompt.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QTabBar>
#include <QTabWidget>
#include <QToolTip>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWindowStateChangeEvent>

namespace vonalor {

namespace {

QString qs(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

template <typename W>
W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QComboBox* pickOnlyCombo(QWidget* parent, const char* name) {
    auto* combo = named(new QComboBox(parent), name);
    combo->setEditable(false); // an entry can only be picked, typed keys are discarded
    return combo;
}

} // namespace

TfrmVonalor::TfrmVonalor(ProgramCore& core, std::function<void(const std::string&)> onFailure, QWidget* parent)
    : QWidget(parent), m_core(core), m_onFailure(std::move(onFailure)) {
    setObjectName(QStringLiteral("TfrmVonalor"));
    setWindowTitle(QStringLiteral("Vonalor"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint);
    setFixedSize(451, 510);
    // The window's layout is drawn for a small dialog font.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    buildPages();

    m_tray = new QSystemTrayIcon(style()->standardIcon(QStyle::SP_DriveNetIcon), this);
    m_tray->setObjectName(QStringLiteral("TrayIcon1"));
    m_tray->setToolTip(QStringLiteral("Nincs aktív kapcsolat"));
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
            m_core.trayLeftClick();
    });

    m_core.setView(this);
    m_core.ports().log.setOnAdded([this](const ListRow&) { refreshProgramLog(); });
    try {
        m_core.FormCreate();
    } catch (const ConversionError& e) {
        if (m_onFailure)
            m_onFailure(e.what());
    }
    fillConnectionChoosers();
    stateChanged();
}

TfrmVonalor::~TfrmVonalor() {
    m_core.ports().log.setOnAdded(nullptr);
    m_core.setView(nullptr);
}

void TfrmVonalor::buildPages() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 4, 2, 2);
    m_pages = named(new QTabWidget(this), "PageControl1");
    // Eight tabs share 451 pixels: keep them narrow enough to stand side by side.
    m_pages->setUsesScrollButtons(false);
    m_pages->setStyleSheet(QStringLiteral(
        "QTabBar::tab { padding: 3px 2px; border: 1px solid #a8a8a8; border-bottom: none;"
        " background: #e4e4e4; margin-right: -1px; border-top-left-radius: 3px; border-top-right-radius: 3px; }"
        "QTabBar::tab:selected { background: #fafafa; }"
        "QTabBar::tab:!selected { margin-top: 2px; }"));
    layout->addWidget(m_pages);

    // "Általános"
    m_pages->addTab(buildGeneralPage(), QStringLiteral("Általános"));

    // "Tarifák"
    auto* tariffs = named(new QWidget, "TabSheet2");
    auto* tariffsLayout = new QVBoxLayout(tariffs);
    auto* chooser = pickOnlyCombo(tariffs, "comboKapcsolatok");
    m_connectionChoosers.push_back(chooser);
    tariffsLayout->addWidget(chooser);
    m_tariffGroup = named(new QGroupBox(tariffs), "GroupBox2");
    tariffsLayout->addWidget(m_tariffGroup);
    tariffsLayout->addStretch(1);
    m_pages->addTab(tariffs, QStringLiteral("Tarifák"));

    // "Költségek"
    auto* costs = named(new QWidget, "TabSheet3");
    auto* costsLayout = new QVBoxLayout(costs);
    auto* costChooser = pickOnlyCombo(costs, "comboKapcsKolt");
    m_connectionChoosers.push_back(costChooser);
    costsLayout->addWidget(costChooser);
    m_costGroup = named(new QGroupBox(costs), "GroupBox12");
    auto* period = new QFormLayout(m_costGroup);
    m_periodStart = named(new QLabel(m_costGroup), "lbKezdDat");
    m_periodEnd = named(new QLabel(m_costGroup), "lbVegDat");
    period->addRow(QStringLiteral("Kezdő dátum:"), m_periodStart);
    period->addRow(QStringLiteral("Befejező dátum:"), m_periodEnd);
    costsLayout->addWidget(m_costGroup);
    costsLayout->addStretch(1);
    m_pages->addTab(costs, QStringLiteral("Költségek"));

    // "Letöltés"
    auto* download = named(new QWidget, "TabSheet4");
    auto* downloadLayout = new QFormLayout(download);
    m_elapsed = named(new QLabel(download), "lbEltelIdo");
    downloadLayout->addRow(QStringLiteral("Eltelt idő:"), m_elapsed);
    m_pages->addTab(download, QStringLiteral("Letöltés"));

    // "Kapcsolatok"
    auto* connections = named(new QWidget, "TabSheet5");
    auto* connectionsLayout = new QVBoxLayout(connections);
    m_phonebookList = named(new QListWidget(connections), "lbKapcsolatok");
    connectionsLayout->addWidget(m_phonebookList);
    auto* deviceRow = new QFormLayout;
    m_devices = pickOnlyCombo(connections, "combEszTip");
    deviceRow->addRow(QStringLiteral("Eszköz típusa : "), m_devices);
    connectionsLayout->addLayout(deviceRow);
    m_pages->addTab(connections, QStringLiteral("Kapcsolatok"));

    // "Beállítások"
    m_pages->addTab(buildSettingsPage(), QStringLiteral("Beállítások"));

    // "Napló"
    m_pages->addTab(named(new QWidget, "TabSheet7"), QStringLiteral("Napló"));

    // "Névjegy"
    auto* about = named(new QWidget, "TabSheet8");
    auto* aboutLayout = new QVBoxLayout(about);
    aboutLayout->addWidget(named(new QLabel(QStringLiteral("Vonalor"), about), "Label40"));
    aboutLayout->addWidget(named(new QLabel(QStringLiteral("Verzió :               1.3"), about), "Label41"));
    aboutLayout->addStretch(1);
    m_pages->addTab(about, QStringLiteral("Névjegy"));
}

QWidget* TfrmVonalor::buildGeneralPage() {
    auto* page = named(new QWidget, "TabSheet1");
    auto* layout = new QVBoxLayout(page);
    auto* group = named(new QGroupBox(QStringLiteral("Kapcsolat"), page), "GroupBox1");
    auto* form = new QFormLayout(group);
    m_status = named(new QLabel(group), "lbKapcsAllap");
    m_connectionName = named(new QLabel(group), "lbKapcsNeve");
    form->addRow(QStringLiteral("Állapot:"), m_status);
    form->addRow(QStringLiteral("Kapcsolat neve:"), m_connectionName);
    layout->addWidget(group);
    layout->addStretch(1);
    auto* toTray = named(new QPushButton(QStringLiteral("Tálcára vele"), page), "BitBtn2");
    connect(toTray, &QPushButton::clicked, this, [this] { m_core.HideToTray(); });
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(toTray);
    layout->addLayout(row);
    return page;
}

QWidget* TfrmVonalor::buildSettingsPage() {
    auto* page = named(new QWidget, "TabSheet6");
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    m_settingsPages = named(new QTabWidget(page), "PageControl2");
    layout->addWidget(m_settingsPages);

    auto pageWith = [](const char* name) {
        auto* widget = named(new QWidget, name);
        new QVBoxLayout(widget);
        return widget;
    };
    auto add = [](QWidget* page, QWidget* child) {
        static_cast<QVBoxLayout*>(page->layout())->addWidget(child);
    };

    QWidget* tasks = pageWith("TabSheet9");
    m_taskList = named(new QTreeWidget(tasks), "ListView1");
    m_taskList->setHeaderLabels({QStringLiteral("Feladat"), QStringLiteral("Időpont"), QStringLiteral("Ismétlés")});
    m_taskList->setRootIsDecorated(false);
    add(tasks, m_taskList);
    m_settingsPages->addTab(tasks, QStringLiteral("Feladatok"));

    QWidget* diagram = pageWith("TabSheet10");
    auto* diagramChooser = pickOnlyCombo(diagram, "ComboKapcsDia");
    m_connectionChoosers.push_back(diagramChooser);
    add(diagram, diagramChooser);
    m_diagramButton = named(new QPushButton(QStringLiteral("   Diagram megtekintése"), diagram), "BitBtn20");
    add(diagram, m_diagramButton);
    m_settingsPages->addTab(diagram, QStringLiteral("Diagram"));

    QWidget* hotkeys = pageWith("TabSheet11");
    m_dialLetter = pickOnlyCombo(hotkeys, "combGyBKapcsBetu");
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        m_dialLetter->addItem(QString(QChar::fromLatin1(letter)));
    add(hotkeys, m_dialLetter);
    auto* dialEntry = pickOnlyCombo(hotkeys, "combGyBKapcsList");
    m_connectionChoosers.push_back(dialEntry);
    add(hotkeys, dialEntry);
    m_webAddresses = pickOnlyCombo(hotkeys, "combGyBLapCim");
    add(hotkeys, m_webAddresses);
    m_settingsPages->addTab(hotkeys, QStringLiteral("Gyorsbillentyűk"));

    QWidget* config = pageWith("TabSheet12");
    auto* discount = pickOnlyCombo(config, "comboKedvKapcs");
    auto* hours = pickOnlyCombo(config, "ComboKedvOraKapcs");
    m_connectionChoosers.push_back(discount);
    m_connectionChoosers.push_back(hours);
    add(config, discount);
    add(config, hours);
    auto* dates = named(new QGroupBox(QStringLiteral("Kezdő és befejező dátum"), config), "GroupBox20");
    auto* datesLayout = new QFormLayout(dates);
    m_billingDay = pickOnlyCombo(dates, "comboTol");
    for (int day = 1; day <= 28; ++day)
        m_billingDay->addItem(QString::number(day));
    datesLayout->addRow(QStringLiteral("Dátum Tol - Ig"), m_billingDay);
    add(config, dates);
    m_settingsPages->addTab(config, QStringLiteral("Konfiguráció"));

    QWidget* special = pageWith("TabSheet13");
    m_companionCurrent = named(new QRadioButton(QStringLiteral("Jelenlegi adatokat "), special), "rdbtnJelen");
    m_companionTotals = named(new QRadioButton(QStringLiteral("Összesített adatokat"), special), "rdbtnOssz");
    add(special, m_companionCurrent);
    add(special, m_companionTotals);
    m_settingsPages->addTab(special, QStringLiteral("Speciális"));

    m_settingsPages->addTab(pageWith("TabSheet14"), QStringLiteral("Speciális 2"));

    QWidget* special3 = pageWith("TabSheet15");
    m_adjustChooser = pickOnlyCombo(special3, "cmbKapcsHangol");
    add(special3, m_adjustChooser);
    auto* logGroup = named(new QGroupBox(QStringLiteral("Programnapló"), special3), "GroupBox30");
    auto* logLayout = new QVBoxLayout(logGroup);
    m_programLog = named(new QTreeWidget(logGroup), "lwProgNaplo");
    m_programLog->setHeaderLabels({QStringLiteral("Időpont"), QStringLiteral("Esemény")});
    m_programLog->setRootIsDecorated(false);
    m_programLog->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_programLog->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_programLog->header()->resizeSection(0, 130);
    m_programLog->header()->resizeSection(1, 210);
    logLayout->addWidget(m_programLog);
    add(special3, logGroup);
    m_settingsPages->addTab(special3, QStringLiteral("Speciális 3"));

    QWidget* maintenance = pageWith("TabSheet16");
    auto* defaultConnection = pickOnlyCombo(maintenance, "ComboAlapKapcs");
    m_connectionChoosers.push_back(defaultConnection);
    add(maintenance, defaultConnection);
    m_settingsPages->addTab(maintenance, QStringLiteral("Karbantartás"));

    m_settingsPages->addTab(pageWith("TabSheet17"), QStringLiteral("Biztonság"));
    return page;
}

void TfrmVonalor::fillConnectionChoosers() {
    const MainWindowState& state = m_core.state();
    m_phonebookList->clear();
    for (QComboBox* chooser : m_connectionChoosers)
        chooser->clear();
    m_adjustChooser->clear();
    for (const std::string& entry : state.phonebook) {
        m_phonebookList->addItem(qs(entry));
        for (QComboBox* chooser : m_connectionChoosers)
            chooser->addItem(qs(entry));
        m_adjustChooser->addItem(qs(entry));
    }
    m_devices->clear();
    for (const RasDevice& device : state.devices)
        m_devices->addItem(qs(device.name));
    m_webAddresses->clear();
    for (const std::string& address : state.webAddresses)
        m_webAddresses->addItem(qs(address));
    m_webAddresses->setCurrentIndex(state.webAddressIndex);
    m_dialLetter->setCurrentIndex(state.dialHotkeyLetter);
    if (auto* dialEntry = findChild<QComboBox*>(QStringLiteral("combGyBKapcsList")))
        dialEntry->setCurrentIndex(state.dialHotkeyEntry);
    m_taskList->clear();
    for (const ListRow& row : state.taskList) {
        QStringList columns{qs(row.caption)};
        for (const std::string& sub : row.subItems)
            columns << qs(sub);
        m_taskList->addTopLevelItem(new QTreeWidgetItem(columns));
    }
    refreshProgramLog();
}

void TfrmVonalor::refreshProgramLog() {
    if (!m_programLog)
        return;
    const ListRows& rows = m_core.ports().log.entries();
    while (m_programLog->topLevelItemCount() > static_cast<int>(rows.size()))
        delete m_programLog->takeTopLevelItem(m_programLog->topLevelItemCount() - 1);
    for (std::size_t i = static_cast<std::size_t>(m_programLog->topLevelItemCount()); i < rows.size(); ++i) {
        const ListRow& row = rows[i];
        auto* item = new QTreeWidgetItem(
            QStringList{qs(row.caption), row.subItems.empty() ? QString() : qs(row.subItems.front())});
        item->setIcon(0, style()->standardIcon(row.imageIndex == ProgramLog::Error ? QStyle::SP_MessageBoxCritical
                                                                                    : QStyle::SP_MessageBoxInformation));
        m_programLog->addTopLevelItem(item);
    }
}

void TfrmVonalor::stateChanged() {
    const MainWindowState& state = m_core.state();
    m_rendering = true;
    m_status->setText(qs(state.lbKapcsAllap));
    m_connectionName->setText(qs(state.lbKapcsNeve));
    m_tariffGroup->setTitle(qs(state.tariffGroupCaption));
    m_costGroup->setTitle(qs(state.costGroupCaption));
    m_periodStart->setText(qs(state.lbKezdDat));
    m_periodEnd->setText(qs(state.lbVegDat));
    m_elapsed->setText(qs(state.lbEltelIdo));
    m_diagramButton->setEnabled(state.diagramButtonEnabled);
    m_companionCurrent->setChecked(state.rdbtnJelenChecked);
    m_companionTotals->setChecked(state.rdbtnOsszChecked);
    m_tray->setToolTip(qs(state.trayHint));
    m_tray->setVisible(state.trayVisible);
    m_pages->setCurrentIndex(state.mainTab);
    m_settingsPages->setCurrentIndex(state.settingsTab);
    m_rendering = false;
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
