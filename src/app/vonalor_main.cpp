// vonalor: the desktop program.

#include "app/platform_factory.h"
#include "core/data_home.h"
#include "core/program_core.h"
#include "core/startup.h"
#include "platform/instance_lock.h"
#include "platform/linux/termination_signals.h"
#include "platform/sim/scripted_dialogs.h"
#include "platform/sim/sim_ras.h"
#include "settings/installation.h"
#include "settings/settings_store.h"
#include "tasks/program_log.h"
#include "ui/main_window.h"
#include "ui/password_prompt.h"
#include "ui/qt_dialogs.h"
#include "ui/qt_sound.h"
#include "ui/qt_timer_service.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSocketNotifier>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdlib>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

using namespace vonalor;

namespace {

// The running program's core, for the last chance below.
ProgramCore* runningCore = nullptr;

// When the display goes away the window system ends the process with exit() from inside the
// event loop. The books and the lists are still closed then, without a window to show them.
void closeBooksAtExit() {
    if (!runningCore)
        return;
    ProgramCore* core = std::exchange(runningCore, nullptr);
    core->setView(nullptr);
    core->ports().log.setOnAdded(nullptr);
    core->runEvent([core] { core->FormClose(); });
}

// The desktop face of start-up: Qt windows and the Qt event loop.
class DesktopFace final : public StartupFace {
public:
    DesktopFace(QApplication& app, const std::filesystem::path& home, Platform& platform,
                SettingsStore& store, ProgramLog& log, Dialogs& dialogs, bool homeTightened)
        : m_app(app), m_home(home), m_platform(platform), m_store(store), m_log(log), m_dialogs(dialogs),
          m_homeTightened(homeTightened) {}

    // The data home's tightening is still to be written in the program log (no window came up).
    bool tighteningUnlogged() const { return m_homeTightened; }

    bool askStartPassword() override {
        PasswordPrompt prompt(PasswordPrompt::Kind::Start, m_store, m_dialogs);
        return prompt.exec() == QDialog::Accepted;
    }

    void createWindows() override {
        // A scenario's seconds count from here, on the program's own timers.
        if (auto* sim = dynamic_cast<SimRas*>(&m_platform.ras()))
            sim->attach(m_timers);
        // The window system's timers, sound and dialogs; the rest is the platform's.
        m_platform.useTimers(m_timers);
        m_platform.useSound(m_sound);
        m_platform.useDialogs(m_dialogs);
        m_core = std::make_unique<ProgramCore>(m_platform.ports(m_store, m_log));
        m_main = std::make_unique<TfrmVonalor>(
            *m_core, [this](const std::string& text) { m_dialogs.failureNotice(text); });
        if (auto* qtDialogs = dynamic_cast<QtDialogs*>(&m_dialogs))
            qtDialogs->setOwner(m_main.get());
        // After the run's start entry, which the window's creation wrote.
        if (std::exchange(m_homeTightened, false))
            m_log.AddProgramLogEntry(ProgramLog::Event, tightenedDataHomeText(m_home));
        watchTerminationSignals();
        if (const int fd = m_platform.ras().changeDescriptor(); fd >= 0) {
            auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, m_main.get());
            QObject::connect(notifier, &QSocketNotifier::activated, m_main.get(),
                             [this] { m_platform.ras().processChanges(); });
        }
        if (m_core->state().window.mainWindowVisible)
            m_main->show();
    }

    void showFirstStartTip() override {
        auto* tip = new QDialog(m_main.get());
        tip->setObjectName(QStringLiteral("TfrmTipp"));
        tip->setWindowTitle(QStringLiteral("Első indítás"));
        tip->setAttribute(Qt::WA_DeleteOnClose);
        auto* layout = new QVBoxLayout(tip);
        auto* text =
            new QLabel(QStringLiteral("Üdvözli a Vonalor!\n\nA program a rendszertálcán figyeli az "
                                      "Internet-kapcsolatokat, méri az időt, a forgalmat és a költséget."),
                       tip);
        text->setWordWrap(true);
        layout->addWidget(text);
        auto* ok = new QPushButton(QStringLiteral("&Rendben"), tip);
        QObject::connect(ok, &QPushButton::clicked, tip, &QDialog::accept);
        layout->addWidget(ok, 0, Qt::AlignRight);
        tip->resize(360, 120);
        tip->show();
    }

    int runMessageLoop() override {
        runningCore = m_core.get();
        std::atexit(closeBooksAtExit);
        const int code = m_app.exec();
        runningCore = nullptr; // the window closed the books itself
        // What could not be written or booked was shown; the exit status says so too.
        if (code == 0 && m_core->hadFailures()) {
            std::cerr << "vonalor: some data could not be written";
            if (m_core->pendingBookings() > 0)
                std::cerr << "; " << m_core->pendingBookings()
                          << " session(s) are kept and booked at the next start";
            std::cerr << "\n";
            return 1;
        }
        return code;
    }

private:
    void watchTerminationSignals() {
        if (TerminationSignals::descriptor() < 0)
            return;
        auto* notifier =
            new QSocketNotifier(TerminationSignals::descriptor(), QSocketNotifier::Read, m_main.get());
        QObject::connect(notifier, &QSocketNotifier::activated, m_main.get(), [this] {
            if (TerminationSignals::take() != 0)
                m_main->closeAnsweringYes();
        });
    }

    QApplication& m_app;
    std::filesystem::path m_home;
    Platform& m_platform;
    SettingsStore& m_store;
    ProgramLog& m_log;
    Dialogs& m_dialogs;
    QtTimerService m_timers;
    QtSound m_sound;
    std::unique_ptr<ProgramCore> m_core;
    std::unique_ptr<TfrmVonalor> m_main;
    bool m_homeTightened;
};

// Qt takes "--platform" for its own window system plugin; ours names the backends, so it is
// taken out before Qt sees the arguments.
std::string takePlatformOption(int& argc, char** argv) {
    std::string value = "sim";
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--platform" && i + 1 < argc) {
            value = argv[++i];
        } else if (arg.rfind("--platform=", 0) == 0) {
            value = arg.substr(11);
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    argv[argc] = nullptr;
    return value;
}

} // namespace

int main(int argc, char** argv) {
    // The data home keeps the books, the user name and the passwords: what the program makes
    // is the user's alone.
    ::umask(077);
    // From the very start a termination signal is only noted; once the main window exists it
    // closes the program as the window's own close does (a signal before that ends it there).
    TerminationSignals::install();
    const std::string platformText = takePlatformOption(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vonalor"));
    QApplication::setApplicationVersion(QStringLiteral("1.3"));
    // The program lives on in the tray with no window shown; it ends when the main window closes.
    QApplication::setQuitOnLastWindowClosed(false);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Vonalor: monitor for dial-up and other remote-access Internet connections."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption homeOption(
        QStringLiteral("home"),
        QStringLiteral("Data home (else $VONALOR_HOME, else $XDG_DATA_HOME/vonalor)."),
        QStringLiteral("DIR"));
    const QCommandLineOption platformOption(QStringLiteral("platform"),
                                            QStringLiteral("Platform backends: sim (default) or linux."),
                                            QStringLiteral("KIND"), QStringLiteral("sim"));
    const QCommandLineOption answerOption(
        QStringLiteral("answer-dialogs"),
        QStringLiteral(
            "Show no dialogs: print each to standard error and take its default answer (scripted runs)."));
    const QCommandLineOption scriptOption(
        QStringLiteral("sim-script"),
        QStringLiteral("Drive the simulator's connections from a scenario file (with --platform sim)."),
        QStringLiteral("FILE"));
    parser.addOption(scriptOption);
    parser.addOption(homeOption);
    parser.addOption(platformOption);
    parser.addOption(answerOption);
    parser.process(app);

    const auto kind = parsePlatformKind(platformText);
    if (!kind) {
        std::cerr << "vonalor: --platform takes sim or linux\n";
        return 2;
    }
    std::optional<std::string> homeText;
    if (parser.isSet(homeOption))
        homeText = parser.value(homeOption).toStdString();
    const std::filesystem::path home = resolveDataHome(homeText);

    std::string error;
    std::vector<std::filesystem::path> tightened;
    if (!prepareDataHome(home, &error, &tightened)) {
        std::cerr << "vonalor: " << error << "\n";
        return 1;
    }
    std::unique_ptr<Platform> platform = makePlatform(*kind, home, &error);
    if (!platform) {
        std::cerr << "vonalor: " << error << "\n";
        // Started from a menu there is no terminal: the reason is shown in a window too.
        if (!parser.isSet(answerOption))
            QMessageBox::critical(nullptr, QStringLiteral("Vonalor"),
                                  QStringLiteral("Az adatmappa nem használható, a program nem indul el:\n") +
                                      QString::fromStdString(error));
        return 1;
    }
    provisionInstallation(platform->registry());
    installSounds(home);
    if (parser.isSet(scriptOption)) {
        const std::string file = parser.value(scriptOption).toStdString();
        switch (loadScenarioFile(*platform, file, &error)) {
        case ScenarioLoad::Loaded:
            break;
        case ScenarioLoad::NotSimulator:
            std::cerr << "vonalor: --sim-script needs --platform sim\n";
            return 2;
        case ScenarioLoad::Unreadable:
            std::cerr << "vonalor: " << file << ": cannot read the scenario\n";
            return 1;
        case ScenarioLoad::Invalid:
            std::cerr << "vonalor: " << file << ": " << error << "\n";
            return 2;
        }
    }

    ProgramLog log(platform->clock());
    SettingsStore store(platform->registry(), log);

    std::unique_ptr<Dialogs> dialogs;
    if (parser.isSet(answerOption)) {
        auto scripted = std::make_unique<ScriptedDialogs>();
        scripted->setEcho([](const ScriptedDialogs::Shown& shown) {
            std::cerr << "vonalor: dialog \"" << shown.caption << "\": " << shown.text << " -> answer "
                      << shown.answer << "\n";
        });
        dialogs = std::move(scripted);
    } else {
        dialogs = std::make_unique<QtDialogs>();
    }

    Startup startup(store, *dialogs, [&home] { return std::make_unique<InstanceLock>(home / LockFileName); });
    DesktopFace face(app, home, *platform, store, log, *dialogs, !tightened.empty());
    const int code = startup.run(face);
    if (face.tighteningUnlogged()) {
        // The run ended before its window (a second copy, a refused password): the log this
        // run keeps is never written, so the entry is written on its own.
        ProgramLog note(platform->clock());
        note.AddProgramLogEntry(ProgramLog::Event, tightenedDataHomeText(home));
        note.SaveProgramLog(home / ProgramLogFileName, *dialogs);
    }
    return code;
}
