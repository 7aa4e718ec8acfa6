// The desktop program as a process: single instance, signals, restart.

#include "platform/atomic_file.h"
#include "platform/sqlite_registry.h"
#include "settings/settings_store.h"
#include "tasks/list_view_file.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

using namespace vonalor;

class DesktopStartTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_home;

    std::unique_ptr<QProcess> start() {
        auto process = std::make_unique<QProcess>();
        process->setProgram(QStringLiteral(VONALOR_GUI_PATH));
        process->setArguments({QStringLiteral("--home"), m_home->path(), QStringLiteral("--platform"),
                               QStringLiteral("sim"), QStringLiteral("--answer-dialogs")});
        process->start();
        return process;
    }
    std::string setting(const char* name) {
        auto registry =
            SqliteRegistry::open(std::filesystem::path(m_home->path().toStdString()) / "registry.db");
        return registry->read(RegistryRoot::LocalMachine, ProgramKey, name).text;
    }
    void setSetting(const char* name, const char* text) {
        auto registry =
            SqliteRegistry::open(std::filesystem::path(m_home->path().toStdString()) / "registry.db");
        registry->write(RegistryRoot::LocalMachine, ProgramKey, name, text);
    }
    void stop(QProcess& process) {
        ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
        QVERIFY(process.waitForFinished(20000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
    }

private slots:
    void init() {
        m_home = std::make_unique<QTemporaryDir>();
        QVERIFY(m_home->isValid());
    }
    void secondCopyIsRefusedAndARestartIsNot() {
        auto first = start();
        QVERIFY(first->waitForStarted());
        // The first copy has passed its checks once its main window wrote Ujraindit = "0".
        QTRY_COMPARE_WITH_TIMEOUT(setting("Ujraindit"), std::string("0"), 20000);

        auto second = start();
        QVERIFY(second->waitForFinished(20000));
        QCOMPARE(second->exitCode(), 0);
        QVERIFY(second->readAllStandardError().contains("Az alkalmazás már fut egy példányban!"));

        setSetting("Ujraindit", "1");
        auto restarted = start();
        QTRY_COMPARE_WITH_TIMEOUT(setting("Ujraindit"), std::string("0"), 20000);
        QCOMPARE(restarted->state(), QProcess::Running);

        stop(*restarted);
        stop(*first);
    }

    void aScenarioSessionIsWatchedAndBooked() {
        const QString scenario = m_home->filePath(QStringLiteral("scenario.txt"));
        QFile file(scenario);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("at 0 connect Otthon setup 0\nat 1 drop\n");
        file.close();
        QProcess program;
        program.setProgram(QStringLiteral(VONALOR_GUI_PATH));
        program.setArguments({QStringLiteral("--home"), m_home->path(), QStringLiteral("--platform"),
                              QStringLiteral("sim"), QStringLiteral("--answer-dialogs"),
                              QStringLiteral("--sim-script"), scenario});
        program.start();
        const auto log = std::filesystem::path(m_home->path().toStdString()) / "naplo.txt";
        QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(log), 30000);
        stop(program);
        std::string bytes;
        QVERIFY(readWholeFile(log, bytes));
        QVERIFY(bytes.find("Kapcsolat neve......................................:  Otthon\r\n") !=
                std::string::npos);
        QCOMPARE(setting("OtthonKapcsSzama"), std::string("1"));
        QVERIFY(
            readWholeFile(std::filesystem::path(m_home->path().toStdString()) / "ProgramNaplo.sav", bytes));
        std::vector<std::string> events;
        for (const ListRow& row : decodeListViewFile(bytes).rows)
            events.push_back(row.subItems.at(0));
        const std::vector<std::string> expected{"\"Otthon\" csatlakoztatva!", "\"Otthon\" szétkapcsolva!"};
        QVERIFY(std::search(events.begin(), events.end(), expected.begin(), expected.end()) != events.end());
    }

    void terminationClosesLikeTheWindowAndSavesTheLists() {
        auto program = start();
        QTRY_COMPARE_WITH_TIMEOUT(setting("Ujraindit"), std::string("0"), 20000);
        stop(*program);
        std::string bytes;
        QVERIFY(
            readWholeFile(std::filesystem::path(m_home->path().toStdString()) / "ProgramNaplo.sav", bytes));
        const DecodedList log = decodeListViewFile(bytes);
        QVERIFY(log.complete);
        QVERIFY(!log.rows.empty());
        QCOMPARE(log.rows.front().subItems.at(0), std::string("Vonalor 1.3 elindítva!"));
        QVERIFY(readWholeFile(std::filesystem::path(m_home->path().toStdString()) / "Feladatok.sav", bytes));
        QCOMPARE(bytes, std::string("LVF\0\0", 5));
    }
};

QTEST_MAIN(DesktopStartTest)
#include "desktop_start_test.moc"
