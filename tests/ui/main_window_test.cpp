// The main window on the offscreen platform, over a program core on virtual time.

#include "core/program_core.h"
#include "platform/browser.h"
#include "platform/sim/recording_sound.h"
#include "platform/sim/scripted_dialogs.h"
#include "platform/sim/sim_ras.h"
#include "platform/sim/sim_shell.h"
#include "platform/sim/sim_system.h"
#include "platform/sim/virtual_time.h"
#include "platform/sqlite_registry.h"
#include "settings/connection_record.h"
#include "settings/installation.h"
#include "settings/settings_store.h"
#include "tasks/program_log.h"
#include "ui/main_window.h"
#include "ui/qt_dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QTabBar>

#include <QMenu>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>
#include <fstream>
#include <map>

using namespace vonalor;

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<SqliteRegistry> m_registry;
    std::unique_ptr<VirtualTime> m_time;
    std::unique_ptr<ProgramLog> m_log;
    std::unique_ptr<SettingsStore> m_store;
    std::unique_ptr<SimRas> m_ras;
    std::unique_ptr<SimAutostart> m_autostart;
    SimSystemInfo m_system;
    SimNet m_net;
    RecordingShell m_shell;
    MemoryBrowser m_browser;
    RecordingSound m_sound;
    std::unique_ptr<Dialogs> m_dialogs;
    std::unique_ptr<ProgramCore> m_core;

    std::filesystem::path home() const { return m_dir->path().toStdString(); }

    std::unique_ptr<TfrmVonalor> makeWindow(bool realDialogs = false) {
        if (realDialogs)
            m_dialogs = std::make_unique<QtDialogs>();
        else
            m_dialogs = std::make_unique<ScriptedDialogs>();
        m_core = std::make_unique<ProgramCore>(CorePorts{.home = home(),
                                                         .programFolder = "/opt/vonalor",
                                                         .clock = *m_time,
                                                         .timers = *m_time,
                                                         .store = *m_store,
                                                         .log = *m_log,
                                                         .dialogs = *m_dialogs,
                                                         .sound = m_sound,
                                                         .ras = *m_ras,
                                                         .autostart = *m_autostart,
                                                         .system = m_system,
                                                         .net = m_net,
                                                         .shell = m_shell,
                                                         .browser = m_browser});
        return std::make_unique<TfrmVonalor>(*m_core,
                                             [](const std::string& text) { qWarning("%s", text.c_str()); });
    }
    static QStringList captions(QTabWidget* tabs) {
        QStringList list;
        for (int i = 0; i < tabs->count(); ++i)
            list << tabs->tabText(i);
        return list;
    }

private slots:
    void cleanup() { m_core.reset(); }

    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_registry = SqliteRegistry::open(home() / "registry.db");
        provisionInstallation(*m_registry);
        m_time = std::make_unique<VirtualTime>(DateTime{Date{2004, 10, 25}, TimeOfDay{9, 5, 31}});
        m_log = std::make_unique<ProgramLog>(*m_time);
        m_store = std::make_unique<SettingsStore>(*m_registry, *m_log);
        m_ras = std::make_unique<SimRas>(home() / SimRas::FileName, *m_time);
        m_autostart = std::make_unique<SimAutostart>(*m_registry, "/opt/vonalor");
    }

    void tabsInTheirOrder() {
        auto window = makeWindow();
        QCOMPARE(window->windowTitle(), QStringLiteral("Vonalor"));
        QCOMPARE(window->size(), QSize(451, 510));
        QCOMPARE(
            captions(window->mainTabs()),
            (QStringList{QStringLiteral("Általános"), QStringLiteral("Tarifák"), QStringLiteral("Költségek"),
                         QStringLiteral("Letöltés"), QStringLiteral("Kapcsolatok"),
                         QStringLiteral("Beállítások"), QStringLiteral("Napló"), QStringLiteral("Névjegy")}));
        QCOMPARE(captions(window->settingsTabs()),
                 (QStringList{QStringLiteral("Feladatok"), QStringLiteral("Diagram"),
                              QStringLiteral("Gyorsbillentyűk"), QStringLiteral("Konfiguráció"),
                              QStringLiteral("Speciális"), QStringLiteral("Speciális 2"),
                              QStringLiteral("Speciális 3"), QStringLiteral("Karbantartás"),
                              QStringLiteral("Biztonság")}));
    }

    void phonebookFillsEveryChooserAndTheProgramLogShowsThisRun() {
        auto window = makeWindow();
        for (const char* name :
             {"comboKapcsolatok", "comboKapcsKolt", "comboKedvKapcs", "ComboAlapKapcs", "combGyBKapcsList",
              "ComboKedvOraKapcs", "ComboKapcsDia", "cmbKapcsHangol"}) {
            auto* combo = window->findChild<QComboBox*>(QString::fromLatin1(name));
            QVERIFY2(combo, name);
            QCOMPARE(combo->count(), 2);
            QCOMPARE(combo->itemText(1), QStringLiteral("Munkahely"));
        }
        QCOMPARE(window->findChild<QListWidget*>(QStringLiteral("lbKapcsolatok"))->count(), 2);
        QCOMPARE(window->findChild<QComboBox*>(QStringLiteral("combEszTip"))->itemText(0),
                 QStringLiteral("Standard 56000 bps Modem"));
        QCOMPARE(window->findChild<QComboBox*>(QStringLiteral("comboTol"))->count(), 28);
        QVERIFY(!window->findChild<QPushButton*>(QStringLiteral("BitBtn20"))->isEnabled());
        auto* programLog = window->findChild<QTreeWidget*>(QStringLiteral("lwProgNaplo"));
        QCOMPARE(programLog->topLevelItem(0)->text(0), QStringLiteral("2004.10.25.-9:05:31"));
        QCOMPARE(programLog->topLevelItem(0)->text(1), QStringLiteral("Vonalor 1.3 elindítva!"));
    }

    void storedSettingsTabIsShown_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("caption");
        QTest::newRow("6") << QStringLiteral("6") << QStringLiteral("Karbantartás");
        QTest::newRow("7") << QStringLiteral("7") << QStringLiteral("Biztonság");
        QTest::newRow("5") << QStringLiteral("5") << QStringLiteral("Speciális 2");
        QTest::newRow("bad") << QStringLiteral("x") << QStringLiteral("Feladatok");
    }
    void storedSettingsTabIsShown() {
        QFETCH(QString, stored);
        QFETCH(QString, caption);
        m_store->WriteSetting("BeallitasnalAktFul", stored.toStdString());
        m_store->WriteSetting("FoablaknalAktFul", "5");
        auto window = makeWindow();
        window->show();
        QCOMPARE(window->mainTabs()->tabText(window->mainTabs()->currentIndex()),
                 QStringLiteral("Beállítások"));
        QCOMPARE(window->settingsTabs()->tabText(window->settingsTabs()->currentIndex()), caption);
    }

    void closeQuestionOnlyWhileConnectedAndNemKeepsTheWindow() {
        auto window = makeWindow(true);
        window->show();
        m_core->state().session.lbKapcsAllap = "Csatlakoztatva";
        m_core->state().session.lbKapcsNeve = "Otthon";
        QString asked;
        QTimer::singleShot(0, this, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            asked = dialog->windowTitle();
            QPushButton* no = dialog->findChild<QPushButton*>(QStringLiteral("No"));
            QCOMPARE(no->text(), QStringLiteral("&Nem"));
            QTest::mouseClick(no, Qt::LeftButton);
        });
        window->close();
        QCOMPARE(asked, QStringLiteral("Kérdés..."));
        QVERIFY(window->isVisible());
        QVERIFY(!std::filesystem::exists(home() / "ProgramNaplo.sav"));

        m_core->state().session.lbKapcsAllap = "Nincs Kapcsolat";
        window->close(); // no question without a connection
        QVERIFY(!window->isVisible());
        QVERIFY(std::filesystem::exists(home() / "ProgramNaplo.sav"));
    }

    void toTheTrayAndBack() {
        auto window = makeWindow();
        window->show();
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("BitBtn2")), Qt::LeftButton);
        QVERIFY(!window->isVisible());
        QVERIFY(window->trayIcon()->isVisible());
        QCOMPARE(window->trayIcon()->toolTip(), QStringLiteral("Nincs aktív kapcsolat"));
        emit window->trayIcon()->activated(QSystemTrayIcon::Trigger);
        QVERIFY(window->isVisible());
        QVERIFY(!window->trayIcon()->isVisible());
    }

    void trayMenuOffersItsItemsUnlessThePasswordIsAsked() {
        auto window = makeWindow();
        window->show();
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("BitBtn2")), Qt::LeftButton);
        auto visibleItems = [&] {
            emit window->trayMenu()->aboutToShow();
            QStringList items;
            for (QAction* action : window->trayMenu()->actions()) {
                if (action->isVisible())
                    items << (action->isSeparator() ? QStringLiteral("-") : action->text());
            }
            return items;
        };
        QCOMPARE(visibleItems(), (QStringList{QStringLiteral("Állapot"), QStringLiteral("-"),
                                              QStringLiteral("Kapcsolat bontása"), QStringLiteral("-"),
                                              QStringLiteral("Hálózati kapcsolatok megnyitása"),
                                              QStringLiteral("-"), QStringLiteral("Internet tulajdonságai"),
                                              QStringLiteral("-"), QStringLiteral("Bezárás")}));
        QAction* hangUp = window->trayMenu()->actions().at(2);
        QVERIFY(!hangUp->isEnabled()); // no connection
        window->trayMenu()->actions().at(6)->trigger();
        QCOMPARE(m_shell.opened().back(), std::string("rundll32.exe shell32.dll,Control_RunDLL ncpa.cpl"));
        window->trayMenu()->actions().at(0)->trigger(); // "Állapot"
        QVERIFY(window->isVisible());
        QVERIFY(!window->trayIcon()->isVisible());

        m_store->WriteSetting("JelszoMinim", "1");
        QVERIFY(visibleItems().isEmpty());
    }

    void aTabTheUserChoseStaysWhileTheDisplaysMove() {
        auto window = makeWindow();
        window->show();
        QTest::mouseClick(window->mainTabs()->tabBar(), Qt::LeftButton, {},
                          window->mainTabs()->tabBar()->tabRect(2).center());
        QCOMPARE(window->mainTabs()->currentIndex(), 2);
        m_time->advance(3000); // the timers render the window again and again
        QCOMPARE(window->mainTabs()->currentIndex(), 2);
        QVERIFY(m_core->timer(TimerId::KapcsFrissit).enabled());
        QTest::mouseClick(window->mainTabs()->tabBar(), Qt::LeftButton, {},
                          window->mainTabs()->tabBar()->tabRect(1).center());
        QVERIFY(!m_core->timer(TimerId::KapcsFrissit).enabled()); // "Tarifák" stops the list refresh
    }

    void aNewPhonebookEntryGetsItsRecordAndTheTariffsPage() {
        auto window = makeWindow();
        window->show();
        std::ofstream(home() / SimRas::FileName, std::ios::app) << "entry Mobil net\n";
        m_time->advance(2000);
        QCOMPARE(window->findChild<QListWidget*>(QStringLiteral("lbKapcsolatok"))->count(), 3);
        auto* scripted = dynamic_cast<ScriptedDialogs*>(m_dialogs.get());
        QCOMPARE(
            scripted->shown().back().text,
            std::string("Új kapcsolat lett létrehozva!A program elvégezte a szükséges műveleteket!\rKérem "
                        "állítsa be a tarifáit a \"Mobil net\" kapcsolatnak!"));
        QCOMPARE(m_store->ReadSettingQuiet("Mobil netHetKozDelelott"), std::string("1"));
        QCOMPARE(m_store->ReadSettingQuiet("KapcsolatokSzama"), std::string("3"));
        QVERIFY(std::filesystem::exists(home() / "Mobil netDiagram.ini"));
        QCOMPARE(window->mainTabs()->currentIndex(), 1);
        QCOMPARE(window->findChild<QComboBox*>(QStringLiteral("comboKapcsolatok"))->currentText(),
                 QStringLiteral("Mobil net"));
        QCOMPARE(window->findChild<QComboBox*>(QStringLiteral("cmbKapcsHangol"))->count(), 2);
    }

    void hiddenModeLeavesNoTrayIcon() {
        m_store->WriteSetting("Elrejtes", "1");
        auto window = makeWindow();
        window->show();
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("BitBtn2")), Qt::LeftButton);
        QVERIFY(!window->isVisible());
        QVERIFY(!window->trayIcon()->isVisible());
    }

    void aScriptedSessionShowsItsFiguresSecondBySecond() {
        m_store->WriteSetting("ElsoInditas", "0");
        m_store->WriteSetting("KapcsolatokSzama", "2");
        CreateConnectionRecord(*m_store, "Otthon");
        CreateConnectionRecord(*m_store, "Munkahely");
        std::string error;
        QVERIFY(m_ras->loadScenario(
            "at 1 connect Otthon setup 2 speed 53333 send 700 receive 5200\nat 30 drop\n", &error));
        m_ras->attach(*m_time);
        auto window = makeWindow();
        window->show();
        auto label = [&](const char* name) {
            return window->findChild<QLabel*>(QString::fromLatin1(name))->text();
        };
        m_time->advance(1500);
        QCOMPARE(label("lbKapcsAllap"), QStringLiteral("Ellenőrzés"));
        QCOMPARE(label("lbKapcsNeve"), QStringLiteral("Otthon"));
        m_time->advance(1500); // connected at 3 s
        QCOMPARE(label("lbKapcsAllap"), QStringLiteral("Csatlakoztatva"));
        QCOMPARE(label("lbMPerc"), QStringLiteral("07"));
        QVERIFY(!window->findChild<QComboBox*>(QStringLiteral("comboKapcsolatok"))->isEnabled());
        m_time->advance(10'000);
        QCOMPARE(label("lbMPerc"), QStringLiteral("17"));
        // 1 Ft a minute for eleven seconds (one of them while dialling), cut after two decimals.
        QCOMPARE(label("lbJelenKoltseg"), QStringLiteral("0,18"));
        QCOMPARE(window->windowTitle(), QStringLiteral("Csatlakoztatva : Otthon  -  Percdíj : 1"));
        QCOMPARE(label("lbKapcsSebes"), QStringLiteral("53 333 bps"));
        QCOMPARE(label("lbBajtKuld"), QStringLiteral("7 000"));
        m_time->advance(20'000);
        QCOMPARE(label("lbKapcsAllap"), QStringLiteral("Nincs Kapcsolat"));
        QCOMPARE(window->windowTitle(), QStringLiteral("Vonalor"));
        QVERIFY(window->findChild<QComboBox*>(QStringLiteral("comboKapcsolatok"))->isEnabled());
    }

    void trafficFiguresRenderFiveTimesASecondOnTheProgramsTimers() {
        auto window = makeWindow();
        window->show();
        auto* speed = window->findChild<QLabel*>(QStringLiteral("lbKapcsSebes"));
        const QString before = speed->text();
        SessionState& session = m_core->state().session;
        session.lbKapcsSebes = "28 800 bps";
        window->changed(static_cast<Aspects>(Aspect::Traffic));
        m_time->advance(150);
        session.lbKapcsSebes = "31 200 bps";
        window->changed(static_cast<Aspects>(Aspect::Traffic)); // within the same fifth of a second
        QCOMPARE(speed->text(), before);
        m_time->advance(49);
        QCOMPARE(speed->text(), before);
        m_time->advance(1); // 200 ms after the first change, on virtual time alone
        QCOMPARE(speed->text(), QStringLiteral("31 200 bps"));
        session.lbKapcsSebes = "33 600 bps";
        window->changed(static_cast<Aspects>(Aspect::Traffic));
        m_time->advance(199);
        QCOMPARE(speed->text(), QStringLiteral("31 200 bps"));
        m_time->advance(1);
        QCOMPARE(speed->text(), QStringLiteral("33 600 bps"));
    }

    void aChangeRendersOnlyTheWidgetsOfItsAspect_data() {
        QTest::addColumn<unsigned>("aspect");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("kept");
        QTest::newRow("duration") << static_cast<unsigned>(Aspect::Duration) << QStringLiteral("lbMPerc")
                                  << QStringLiteral("lbKapcsAllap");
        QTest::newRow("session") << static_cast<unsigned>(Aspect::Session) << QStringLiteral("lbKapcsAllap")
                                 << QStringLiteral("lbJelenKoltseg");
        QTest::newRow("cost") << static_cast<unsigned>(Aspect::Cost) << QStringLiteral("lbJelenKoltseg")
                              << QStringLiteral("lbOsszKoltseg");
        QTest::newRow("totals") << static_cast<unsigned>(Aspect::Totals) << QStringLiteral("lbOsszKoltseg")
                                << QStringLiteral("lbMPerc");
        QTest::newRow("tray") << static_cast<unsigned>(Aspect::Tray) << QString()
                              << QStringLiteral("lbMPerc");
    }
    void aChangeRendersOnlyTheWidgetsOfItsAspect() {
        QFETCH(unsigned, aspect);
        QFETCH(QString, shown);
        QFETCH(QString, kept);
        auto window = makeWindow();
        window->show();
        auto label = [&](const QString& name) { return window->findChild<QLabel*>(name)->text(); };
        const QString keptBefore = label(kept);
        MainWindowState& state = m_core->state();
        state.duration.lbMPerc = "42";
        state.session.lbKapcsAllap = "Tárcsázás";
        state.cost.lbJelenKoltseg = "9,99";
        state.totals.lbOsszKoltseg = "123";
        const std::map<QString, QString> expected{
            {QStringLiteral("lbMPerc"), QStringLiteral("42")},
            {QStringLiteral("lbKapcsAllap"), QStringLiteral("Tárcsázás")},
            {QStringLiteral("lbJelenKoltseg"), QStringLiteral("9,99")},
            {QStringLiteral("lbOsszKoltseg"), QStringLiteral("123")}};
        window->changed(aspect);
        if (!shown.isEmpty())
            QCOMPARE(label(shown), expected.at(shown));
        QCOMPARE(label(kept), keptBefore);
        window->changed(AllAspects);
        QCOMPARE(label(kept), expected.at(kept));
    }

    void firstShowAfterASystemStartGoesToTheTray() {
        m_system.setUptimeSeconds(30);
        auto window = makeWindow();
        window->show();
        QVERIFY(window->isVisible());
        m_time->advance(200);
        QVERIFY(!window->isVisible());
        QVERIFY(window->trayIcon()->isVisible());
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
