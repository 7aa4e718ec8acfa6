#include "ui/main_window.h"

#include "platform/ras.h"
#include "ui/log_viewer_page.h"
#include "tasks/program_log.h"
#include "text/conversion_error.h"
#include "ui/password_prompt.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
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

    buildTray();

    m_core.setView(this);
    m_core.ports().log.setOnAdded([this](const ListRow&) { refreshProgramLog(); });
    try {
        m_core.FormCreate();
    } catch (const ConversionError& e) {
        if (m_onFailure)
            m_onFailure(e.what());
    }
    // Figures that change every second or faster get a fixed size: a label whose size is
    // fixed does not make the whole window lay itself out again when its text changes.
    for (QLabel* figure : {m_speed, m_sent, m_received, m_currentCost, m_totalCost, m_bill, m_totalSent,
                           m_totalReceived, m_connectionName, m_status})
        figure->setFixedSize(170, figure->sizeHint().height());
    for (QLabel* field : {m_hours, m_minutes, m_seconds, m_totalHours, m_totalMinutes, m_totalSeconds})
        field->setFixedSize(field->fontMetrics().horizontalAdvance(QStringLiteral("0000")),
                            field->sizeHint().height());
    fillConnectionChoosers();
    stateChanged();
}

TfrmVonalor::~TfrmVonalor() {
    m_core.ports().log.setOnAdded(nullptr);
    m_core.setView(nullptr);
}

namespace {

// The tray's pictures: a connection plug in the colours of what moved in the last second.
QIcon drawTrayPicture(const QColor& body, const QColor& sent, const QColor& received) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(body);
    painter.drawRoundedRect(QRectF(4, 8, 24, 16), 4, 4);
    painter.setBrush(sent);
    painter.drawEllipse(QRectF(7, 12, 8, 8));
    painter.setBrush(received);
    painter.drawEllipse(QRectF(17, 12, 8, 8));
    return QIcon(pixmap);
}

} // namespace

void TfrmVonalor::buildTray() {
    const QColor body(40, 90, 160), quiet(200, 200, 200), lit(120, 230, 90), off(110, 110, 110);
    m_trayPictures = {drawTrayPicture(body, quiet, quiet), drawTrayPicture(body, lit, quiet), drawTrayPicture(body, quiet, lit),
                      drawTrayPicture(body, lit, lit), drawTrayPicture(off, off, off)};
    m_tray = new QSystemTrayIcon(m_trayPictures[4], this);
    m_tray->setObjectName(QStringLiteral("TrayIcon1"));
    m_tray->setToolTip(QStringLiteral("Nincs aktív kapcsolat"));
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
            m_core.trayLeftClick();
    });

    m_trayMenu = new QMenu(this);
    m_trayMenu->setObjectName(QStringLiteral("PopupMenu1"));
    m_trayMenu->setLayoutDirection(Qt::RightToLeft);
    auto* status = m_trayMenu->addAction(QStringLiteral("Állapot"));
    m_trayMenu->addSeparator();
    m_trayHangUp = m_trayMenu->addAction(QStringLiteral("Kapcsolat bontása"));
    // The firewall applet belongs to one old system only; here it and its separator stay hidden.
    QAction* firewallSeparator = m_trayMenu->addSeparator();
    QAction* firewall = m_trayMenu->addAction(QStringLiteral("Windows tűzfal beállításainak módosítása"));
    firewallSeparator->setVisible(false);
    firewall->setVisible(false);
    m_trayMenu->addSeparator();
    auto* network = m_trayMenu->addAction(QStringLiteral("Hálózati kapcsolatok megnyitása"));
    m_trayMenu->addSeparator();
    auto* internet = m_trayMenu->addAction(QStringLiteral("Internet tulajdonságai"));
    m_trayMenu->addSeparator();
    auto* close = m_trayMenu->addAction(QStringLiteral("Bezárás"));
    connect(status, &QAction::triggered, this, [this] { m_core.trayMenuAllapot(); });
    connect(m_trayHangUp, &QAction::triggered, this,
            [this] { m_core.runEvent([this] { m_core.btnKapcsBontClick(); }); });
    connect(network, &QAction::triggered, this, [this] { m_core.OpenControlPanelApplet("ncpa.cpl"); });
    connect(internet, &QAction::triggered, this, [this] { m_core.OpenControlPanelApplet("inetcpl.cpl"); });
    connect(firewall, &QAction::triggered, this, [this] { m_core.OpenControlPanelApplet("firewall.cpl"); });
    connect(close, &QAction::triggered, this, &QWidget::close);
    connect(m_trayMenu, &QMenu::aboutToShow, this, [this, firewall, firewallSeparator] {
        // Behind the restore password the menu is empty: nothing may bypass the prompt.
        const bool offered = m_core.trayMenuOffered();
        for (QAction* action : m_trayMenu->actions())
            action->setVisible(offered && action != firewall && action != firewallSeparator);
        m_trayHangUp->setEnabled(m_core.state().session.btnKapcsBontEnabled);
    });
    m_tray->setContextMenu(m_trayMenu);
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
    connect(chooser, &QComboBox::activated, this, [this] { m_core.stopConnectionListTimer(); });
    tariffsLayout->addWidget(chooser);
    m_tariffGroup = named(new QGroupBox(tariffs), "GroupBox2");
    auto* tariffGroupLayout = new QVBoxLayout(m_tariffGroup);
    m_tariffEditing = named(new QGroupBox(QStringLiteral("Tarifák módosítása"), m_tariffGroup), "GroupBox3");
    tariffGroupLayout->addWidget(m_tariffEditing);
    tariffsLayout->addWidget(m_tariffGroup);
    tariffsLayout->addStretch(1);
    m_pages->addTab(tariffs, QStringLiteral("Tarifák"));

    // "Költségek"
    auto* costs = named(new QWidget, "TabSheet3");
    auto* costsLayout = new QVBoxLayout(costs);
    auto* costChooser = pickOnlyCombo(costs, "comboKapcsKolt");
    m_connectionChoosers.push_back(costChooser);
    costsLayout->addWidget(costChooser);
    auto* current = named(new QGroupBox(QStringLiteral("Jelenlegi kapcsolat költségei"), costs), "GroupBox11");
    auto* currentLayout = new QHBoxLayout(current);
    m_currentCost = named(new QLabel(current), "lbJelenKoltseg");
    currentLayout->addWidget(m_currentCost);
    currentLayout->addWidget(new QLabel(QStringLiteral("Ft"), current));
    currentLayout->addStretch(1);
    costsLayout->addWidget(current);
    m_costGroup = named(new QGroupBox(costs), "GroupBox12");
    auto* period = new QFormLayout(m_costGroup);
    m_periodStart = named(new QLabel(m_costGroup), "lbKezdDat");
    m_periodEnd = named(new QLabel(m_costGroup), "lbVegDat");
    m_month = named(new QLabel(m_costGroup), "lbHonap");
    period->addRow(QStringLiteral("Kezdő dátum:"), m_periodStart);
    period->addRow(QStringLiteral("Befejező dátum:"), m_periodEnd);
    period->addRow(QStringLiteral("Hónap:"), m_month);
    m_totalCost = named(new QLabel(m_costGroup), "lbOsszKoltseg");
    period->addRow(QStringLiteral("Öszköltség :"), m_totalCost);
    auto* totalTime = new QHBoxLayout;
    m_totalHours = named(new QLabel(m_costGroup), "lbOsszOra");
    m_totalMinutes = named(new QLabel(m_costGroup), "lbOsszPerc");
    m_totalSeconds = named(new QLabel(m_costGroup), "lbOsszMPerc");
    totalTime->addWidget(m_totalHours);
    totalTime->addWidget(new QLabel(QStringLiteral(":"), m_costGroup));
    totalTime->addWidget(m_totalMinutes);
    totalTime->addWidget(new QLabel(QStringLiteral(":"), m_costGroup));
    totalTime->addWidget(m_totalSeconds);
    totalTime->addStretch(1);
    period->addRow(QStringLiteral("Összidő :"), totalTime);
    m_totalSent = named(new QLabel(m_costGroup), "lbOsszKuldBajt");
    m_totalReceived = named(new QLabel(m_costGroup), "lbOsszFogadBajt");
    period->addRow(QStringLiteral("Küldött:"), m_totalSent);
    period->addRow(QStringLiteral("Fogadott:"), m_totalReceived);
    m_bill = named(new QLabel(m_costGroup), "lbszamla");
    period->addRow(QStringLiteral("Számla:"), m_bill);
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
    m_logViewer = new LogViewerPage(m_core.ports().home, m_core.ports().dialogs, m_core.ports().sound);
    m_logViewer->setObjectName(QStringLiteral("TabSheet7"));
    m_pages->addTab(m_logViewer, QStringLiteral("Napló"));
    connect(m_pages, &QTabWidget::currentChanged, this, [this](int index) {
        if (m_rendering)
            return; // the program chose the tab, not the user
        const auto tab = static_cast<MainTab>(index);
        m_core.mainTabChosen(tab);
        if (tab == MainTab::Log)
            m_logViewer->refresh();
    });

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
    m_speed = named(new QLabel(group), "lbKapcsSebes");
    form->addRow(QStringLiteral("Állapot:"), m_status);
    form->addRow(QStringLiteral("Kapcsolat neve:"), m_connectionName);
    form->addRow(QStringLiteral("Sebesség:"), m_speed);
    auto* duration = new QHBoxLayout;
    m_hours = named(new QLabel(group), "lbOra");
    m_minutes = named(new QLabel(group), "lbPerc");
    m_seconds = named(new QLabel(group), "lbMPerc");
    duration->addWidget(m_hours);
    duration->addWidget(new QLabel(QStringLiteral(":"), group));
    duration->addWidget(m_minutes);
    duration->addWidget(new QLabel(QStringLiteral(":"), group));
    duration->addWidget(m_seconds);
    duration->addStretch(1);
    form->addRow(QStringLiteral("Időtartam:"), duration);
    layout->addWidget(group);

    auto* traffic = named(new QGroupBox(QStringLiteral("Forgalom"), page), "GroupBox4");
    auto* trafficRow = new QHBoxLayout(traffic);
    auto* trafficForm = new QFormLayout;
    m_sent = named(new QLabel(traffic), "lbBajtKuld");
    m_received = named(new QLabel(traffic), "lbBajtFogad");
    trafficForm->addRow(QStringLiteral("Küldött bájtok:"), m_sent);
    trafficForm->addRow(QStringLiteral("Fogadott bájtok:"), m_received);
    trafficRow->addLayout(trafficForm, 1);
    m_trafficPicture = named(new QLabel(traffic), "ImageForgalom");
    m_trafficPicture->setFixedSize(32, 32);
    trafficRow->addWidget(m_trafficPicture);
    layout->addWidget(traffic);

    auto* addresses = named(new QGroupBox(QStringLiteral("IP cím"), page), "GroupBox5");
    auto* addressLayout = new QVBoxLayout(addresses);
    m_addresses = named(new QLabel(addresses), "LabelIP");
    m_addresses->setTextInteractionFlags(Qt::TextSelectableByMouse);
    addressLayout->addWidget(m_addresses);
    layout->addWidget(addresses);
    layout->addStretch(1);

    m_hangUp = named(new QPushButton(QStringLiteral("Kapcsolat bontása"), page), "btnKapcsBont");
    auto* toTray = named(new QPushButton(QStringLiteral("Tálcára vele"), page), "BitBtn2");
    connect(toTray, &QPushButton::clicked, this, [this] { m_core.HideToTray(); });
    connect(m_hangUp, &QPushButton::clicked, this, [this] { m_core.runEvent([this] { m_core.btnKapcsBontClick(); }); });
    auto* row = new QHBoxLayout;
    row->addWidget(m_hangUp);
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
    add(config, buildDiscountGroup(config));
    auto* dates = named(new QGroupBox(QStringLiteral("Kezdő és befejező dátum"), config), "GroupBox20");
    auto* datesLayout = new QFormLayout(dates);
    m_billingDay = pickOnlyCombo(dates, "comboTol");
    for (int day = 1; day <= 28; ++day)
        m_billingDay->addItem(QString::number(day));
    datesLayout->addRow(QStringLiteral("Dátum Tol - Ig"), m_billingDay);
    connect(m_billingDay, &QComboBox::activated, this, [this](int index) { m_core.comboTolChange(index); });
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

namespace {

// The allowance field takes digits, the comma and backspace; other keys are refused with a beep.
class AllowanceKeyFilter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const QString text = key->text();
            const bool editing = key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Tab ||
                                 key->key() == Qt::Key_Backtab || text.isEmpty();
            if (!editing && !(text.size() == 1 && (text[0].isDigit() || text[0] == QLatin1Char(',')))) {
                QApplication::beep();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

QWidget* TfrmVonalor::buildDiscountGroup(QWidget* parent) {
    m_discountGroup = named(new QGroupBox(QStringLiteral("Kedvezmény"), parent), "GroupBox21");
    auto* layout = new QGridLayout(m_discountGroup);
    m_checkKedv = named(new QCheckBox(QStringLiteral("Előfizetés meghatározott"), m_discountGroup), "checkKedv");
    layout->addWidget(m_checkKedv, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("része le internetezhető."), m_discountGroup), 0, 1, 1, 2);
    m_comboKedvKapcs = pickOnlyCombo(m_discountGroup, "comboKedvKapcs");
    m_connectionChoosers.push_back(m_comboKedvKapcs);
    layout->addWidget(new QLabel(QStringLiteral("Kapcsolat:"), m_discountGroup), 1, 0);
    layout->addWidget(m_comboKedvKapcs, 1, 1, 1, 2);
    m_edKedv = named(new QLineEdit(m_discountGroup), "edKedv");
    m_edKedv->installEventFilter(new AllowanceKeyFilter(m_edKedv));
    layout->addWidget(new QLabel(QStringLiteral("Értéke:"), m_discountGroup), 2, 0);
    layout->addWidget(m_edKedv, 2, 1);
    layout->addWidget(new QLabel(QStringLiteral("Ft"), m_discountGroup), 2, 2);

    m_checkJelezOra =
        named(new QCheckBox(QStringLiteral("Az előfizetésben az órák "), m_discountGroup), "CheckJelezOra");
    layout->addWidget(m_checkJelezOra, 3, 0);
    layout->addWidget(new QLabel(QStringLiteral("száma meghatározott."), m_discountGroup), 3, 1, 1, 2);
    m_comboKedvOraKapcs = pickOnlyCombo(m_discountGroup, "ComboKedvOraKapcs");
    m_connectionChoosers.push_back(m_comboKedvOraKapcs);
    layout->addWidget(new QLabel(QStringLiteral("Kapcsolat:"), m_discountGroup), 4, 0);
    layout->addWidget(m_comboKedvOraKapcs, 4, 1, 1, 2);
    m_spinEdit1 = named(new QSpinBox(m_discountGroup), "SpinEdit1");
    m_spinEdit1->setRange(0, 100);
    layout->addWidget(new QLabel(QStringLiteral("Értéke:"), m_discountGroup), 5, 0);
    layout->addWidget(m_spinEdit1, 5, 1);
    layout->addWidget(new QLabel(QStringLiteral("Óra"), m_discountGroup), 5, 2);

    m_checkJelez = named(new QCheckBox(QStringLiteral("Jelezze a program  ha lejár a megjelölt kedvezmény"),
                                       m_discountGroup),
                         "checkJelez");
    layout->addWidget(m_checkJelez, 6, 0, 1, 3);
    m_chbKedvHang =
        named(new QCheckBox(QStringLiteral("Hang lejátszása ha lejár a kedvezmény"), m_discountGroup), "chbKedvHang");
    auto* soundRow = new QHBoxLayout;
    soundRow->addWidget(m_chbKedvHang);
    auto* listen = named(new QPushButton(m_discountGroup), "Image11");
    listen->setIcon(style()->standardIcon(QStyle::SP_MediaVolume));
    listen->setFlat(true);
    soundRow->addWidget(listen);
    soundRow->addStretch(1);
    layout->addLayout(soundRow, 7, 0, 1, 3);

    // Clicks store the value; the page's own loading sets the boxes without a click.
    connect(m_checkKedv, &QCheckBox::clicked, this, [this](bool on) { m_core.checkKedvClick(on); });
    connect(m_checkJelezOra, &QCheckBox::clicked, this, [this](bool on) { m_core.CheckJelezOraClick(on); });
    connect(m_checkJelez, &QCheckBox::clicked, this, [this](bool on) { m_core.checkJelezClick(on); });
    connect(m_chbKedvHang, &QCheckBox::clicked, this, [this](bool on) { m_core.chbKedvHangClick(on); });
    connect(m_comboKedvKapcs, &QComboBox::activated, this, [this] {
        const QSignalBlocker block(m_edKedv);
        m_edKedv->setText(qs(m_core.comboKedvKapcsChange(m_comboKedvKapcs->currentText().toStdString())));
    });
    connect(m_edKedv, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_core.edKedvChange(m_comboKedvKapcs->currentText().toStdString(), text.toStdString());
    });
    connect(m_edKedv, &QLineEdit::editingFinished, this,
            [this] { m_core.edKedvExit(m_edKedv->text().toStdString()); });
    connect(m_comboKedvOraKapcs, &QComboBox::activated, this, [this] {
        const QSignalBlocker block(m_spinEdit1);
        const std::string stored = m_core.ComboKedvOraKapcsChange(m_comboKedvOraKapcs->currentText().toStdString());
        m_spinEdit1->setValue(QString::fromStdString(stored).toInt());
    });
    connect(m_spinEdit1, &QSpinBox::valueChanged, this, [this](int hours) {
        m_core.SpinEdit1Change(m_comboKedvOraKapcs->currentText().toStdString(), hours);
    });
    connect(listen, &QPushButton::clicked, this, [this] {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_core.playAllowanceSound();
        QApplication::restoreOverrideCursor();
    });
    connect(m_settingsPages, &QTabWidget::currentChanged, this, [this](int index) {
        if (m_rendering)
            return;
        m_core.settingsTabChosen(static_cast<SettingsTab>(index));
    });
    return m_discountGroup;
}

void TfrmVonalor::phonebookChanged() {
    const MainWindowState& state = m_core.state();
    m_phonebookList->clear();
    for (QComboBox* chooser : m_connectionChoosers) {
        const QString chosen = chooser->currentText();
        chooser->clear();
        for (const std::string& entry : state.phonebook.entries)
            chooser->addItem(qs(entry));
        chooser->setCurrentIndex(chooser->findText(chosen));
    }
    for (const std::string& entry : state.phonebook.entries)
        m_phonebookList->addItem(qs(entry));
    stateChanged();
}

void TfrmVonalor::fillConnectionChoosers() {
    const MainWindowState& state = m_core.state();
    m_phonebookList->clear();
    for (QComboBox* chooser : m_connectionChoosers)
        chooser->clear();
    // The adjustment chooser is filled once, when the window is made.
    m_adjustChooser->clear();
    for (const std::string& entry : state.phonebook.entries) {
        m_phonebookList->addItem(qs(entry));
        for (QComboBox* chooser : m_connectionChoosers)
            chooser->addItem(qs(entry));
        m_adjustChooser->addItem(qs(entry));
    }
    m_devices->clear();
    for (const RasDevice& device : state.phonebook.devices)
        m_devices->addItem(qs(device.name));
    m_webAddresses->clear();
    for (const std::string& address : state.hotkeys.webAddresses)
        m_webAddresses->addItem(qs(address));
    m_webAddresses->setCurrentIndex(state.hotkeys.webAddressIndex);
    m_dialLetter->setCurrentIndex(state.hotkeys.dialHotkeyLetter);
    if (auto* dialEntry = findChild<QComboBox*>(QStringLiteral("combGyBKapcsList")))
        dialEntry->setCurrentIndex(state.hotkeys.dialHotkeyEntry);
    m_taskList->clear();
    for (const ListRow& row : state.tasks.list) {
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

void TfrmVonalor::trafficChanged() {
    // Five renders a second keep the figures live; a hundred would keep a core busy painting.
    if (m_renderPending)
        return;
    m_renderPending = true;
    QTimer::singleShot(200, this, [this] {
        m_renderPending = false;
        const MainWindowState& state = m_core.state();
        m_speed->setText(qs(state.session.lbKapcsSebes));
        m_sent->setText(qs(state.session.lbBajtKuld));
        m_received->setText(qs(state.session.lbBajtFogad));
    });
}

void TfrmVonalor::trayChanged() {
    const MainWindowState& state = m_core.state();
    // The hint's lines are separated by a carriage return alone; the tray shows them as lines.
    const QString hint = qs(state.tray.hint).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (m_tray->toolTip() != hint)
        m_tray->setToolTip(hint);
    if (state.tray.picture != m_shownTrayPicture) {
        m_shownTrayPicture = state.tray.picture;
        const auto picture = static_cast<std::size_t>(state.tray.picture);
        m_tray->setIcon(m_trayPictures[picture]);
        m_trafficPicture->setPixmap(showsTraffic(state.tray.picture) ? m_trayPictures[picture].pixmap(32, 32)
                                                                     : QPixmap());
    }
    m_tray->setVisible(state.tray.visible);
}

void TfrmVonalor::stateChanged() {
    const MainWindowState& state = m_core.state();
    m_rendering = true;
    setWindowTitle(qs(state.window.windowTitle));
    m_status->setText(qs(state.session.lbKapcsAllap));
    m_connectionName->setText(qs(state.session.lbKapcsNeve));
    m_speed->setText(qs(state.session.lbKapcsSebes));
    m_sent->setText(qs(state.session.lbBajtKuld));
    m_received->setText(qs(state.session.lbBajtFogad));
    m_addresses->setText(qs(state.session.LabelIP));
    m_hours->setText(qs(state.duration.lbOra));
    m_minutes->setText(qs(state.duration.lbPerc));
    m_seconds->setText(qs(state.duration.lbMPerc));
    m_hangUp->setEnabled(state.session.btnKapcsBontEnabled);
    m_currentCost->setText(qs(state.cost.lbJelenKoltseg));
    m_totalCost->setText(qs(state.totals.lbOsszKoltseg));
    m_totalHours->setText(qs(state.totals.lbOsszOra));
    m_totalMinutes->setText(qs(state.totals.lbOsszPerc));
    m_totalSeconds->setText(qs(state.totals.lbOsszMPerc));
    m_totalSent->setText(qs(state.totals.lbOsszKuldBajt));
    m_totalReceived->setText(qs(state.totals.lbOsszFogadBajt));
    m_bill->setText(qs(state.totals.lbszamla));
    m_month->setText(qs(state.totals.lbHonap));
    for (const char* name : {"comboKapcsKolt", "comboKapcsolatok", "ComboKapcsDia", "ComboAlapKapcs"})
        findChild<QComboBox*>(QString::fromLatin1(name))->setEnabled(state.session.connectionSettingsEnabled);
    m_phonebookList->setEnabled(state.session.connectionSettingsEnabled);
    m_tariffEditing->setEnabled(state.session.connectionSettingsEnabled);
    m_comboKedvKapcs->setEnabled(state.discount.discountMoneyEnabled);
    m_edKedv->setEnabled(state.discount.discountMoneyEnabled);
    m_comboKedvOraKapcs->setEnabled(state.discount.discountHoursEnabled);
    m_spinEdit1->setReadOnly(!state.discount.discountHoursEnabled);
    m_spinEdit1->setEnabled(state.discount.discountHoursEnabled);
    m_checkKedv->setChecked(state.discount.checkKedvChecked);
    m_checkJelezOra->setChecked(state.discount.CheckJelezOraChecked);
    m_checkJelez->setChecked(state.discount.checkJelezChecked);
    m_chbKedvHang->setChecked(state.discount.chbKedvHangChecked);
    m_checkJelez->setEnabled(state.discount.warningOptionsEnabled);
    if (state.discount.billingDayIndex >= 0)
        m_billingDay->setCurrentIndex(state.discount.billingDayIndex);
    m_chbKedvHang->setEnabled(state.discount.warningOptionsEnabled);
    m_tariffGroup->setTitle(qs(state.window.tariffGroupCaption));
    m_costGroup->setTitle(qs(state.totals.costGroupCaption));
    m_periodStart->setText(qs(state.totals.lbKezdDat));
    m_periodEnd->setText(qs(state.totals.lbVegDat));
    m_elapsed->setText(qs(state.download.lbEltelIdo));
    m_diagramButton->setEnabled(state.window.diagramButtonEnabled);
    m_companionCurrent->setChecked(state.companion.rdbtnJelenChecked);
    m_companionTotals->setChecked(state.companion.rdbtnOsszChecked);
    trayChanged();
    m_pages->setCurrentIndex(static_cast<int>(state.window.mainTab));
    if (!state.window.tariffChooserText.empty()) {
        auto* tariffChooser = findChild<QComboBox*>(QStringLiteral("comboKapcsolatok"));
        tariffChooser->setCurrentIndex(tariffChooser->findText(qs(state.window.tariffChooserText)));
    }
    m_settingsPages->setCurrentIndex(static_cast<int>(state.window.settingsTab));
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

void TfrmVonalor::showBalloon(const std::string& title, const std::string& text, int seconds) {
    m_tray->showMessage(qs(title), qs(text), QSystemTrayIcon::Information, seconds * 1000);
}

void TfrmVonalor::bringToForeground() {
    raise();
    activateWindow();
}

void TfrmVonalor::processEvents() {
    QApplication::processEvents();
}

void TfrmVonalor::changed(Aspects aspects) {
    if (aspects == static_cast<Aspects>(Aspect::Traffic)) {
        trafficChanged();
        return;
    }
    constexpr Aspects apart = Aspect::Traffic | Aspect::Tray | Aspect::Books | Aspect::Phonebook;
    if (has(aspects, Aspect::Phonebook))
        phonebookChanged(); // renders the rest too
    else if ((aspects & ~apart) != 0)
        stateChanged();
    else if (has(aspects, Aspect::Tray))
        trayChanged();
    if (has(aspects, Aspect::Books))
        m_logViewer->refresh();
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
