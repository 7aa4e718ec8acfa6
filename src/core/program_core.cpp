#include "core/program_core.h"

#include "browser/blocked_list.h"
#include "browser/browser_settings.h"
#include "core/data_home.h"
#include "core/message_dialogs.h"
#include "core/timer_table.h"
#include "platform/atomic_file.h"
#include "platform/autostart.h"
#include "platform/clock.h"
#include "platform/ras.h"
#include "platform/registry.h"
#include "platform/sqlite_registry.h"
#include "platform/system_info.h"
#include "platform/timer_service.h"
#include "settings/connection_record.h"
#include "settings/setting_names.h"
#include "settings/settings_store.h"
#include "stats/billing_period.h"
#include "stats/daily_statistics.h"
#include "stats/session_books.h"
#include "tasks/program_log.h"
#include "text/conversion_error.h"
#include "text/regional.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace vonalor {

namespace {

// A stored tab index that is missing, not a number or out of range shows the first tab.
int storedIndex(const std::string& text, int count) {
    const auto value = Regional::hungarian().parseInt(text);
    return value && *value >= 0 && *value < count ? *value : 0;
}

} // namespace

ProgramCore::ProgramCore(CorePorts ports)
    : m_ports(std::move(ports)),
      m_watch(m_ports, *this, m_state.session, *this,
              [this](const std::string& name) { return m_connectionList.refused(name); }),
      m_duration(m_state.duration), m_connectionList(m_ports, *this, m_state.phonebook,
                                                     [this](const std::string& name) {
                                                         m_state.window.mainTab = MainTab::Tariffs;
                                                         m_state.window.tariffChooserText = name;
                                                         changed();
                                                     }),
      m_cost(m_ports, m_state.cost, m_state.session, m_state.duration),
      m_discount(m_ports, *this, m_state.discount, m_state.session),
      m_totals(m_ports, m_state.totals, m_state.session), m_companion(m_ports, *this, m_state.companion),
      m_tray(m_ports, m_state.tray), m_books(std::make_unique<SessionBooks>(m_ports.store, m_ports.home)) {
    // A service that reports its changes wakes the watch; it need not poll while idle.
    m_ports.ras.setChangeListener([this] {
        if (!m_timers.empty())
            timer(TimerId::Status).setDormant(false);
    });
    // A service that reports phonebook changes wakes the connection list; it need not look
    // every two seconds.
    m_ports.ras.setPhonebookListener([this] {
        if (!m_timers.empty())
            timer(TimerId::KapcsFrissit).setDormant(false);
    });
    m_ports.store.setActiveConnectionName([this] { return m_state.session.lbKapcsNeve; });
    m_ports.store.setWriteFailureHandler([this](const std::string& name) {
        report(Notice::Error, "A beállítás nem menthető (" + name +
                                  "): a beállítások adatbázisa nem írható (megtelt a lemez?).");
    });
}

ProgramCore::~ProgramCore() {
    // The timer service owns the timers and may outlive the core: silence them.
    for (Timer* timer : m_timers)
        timer->setEnabled(false);
    m_ports.ras.setChangeListener(nullptr);
    m_ports.ras.setPhonebookListener(nullptr);
    m_ports.store.setActiveConnectionName(nullptr);
    m_ports.store.setWriteFailureHandler(nullptr);
}

std::size_t ProgramCore::pendingBookings() const {
    return m_books->pendingCount();
}

bool ProgramCore::report(Notice kind, const std::string& text) {
    ++m_failures;
    if (std::find(m_shownNotices.begin(), m_shownNotices.end(), text) != m_shownNotices.end())
        return false;
    m_shownNotices.push_back(text);
    m_deferredNotices.emplace_back(kind, text);
    if (m_eventDepth == 0)
        showDeferredNotices();
    return true;
}

void ProgramCore::showDeferredNotices() {
    // A notice is modal: the state is settled and shown before it opens.
    changed();
    tellView();
    while (!m_deferredNotices.empty()) {
        const auto [kind, text] = m_deferredNotices.front();
        m_deferredNotices.erase(m_deferredNotices.begin());
        if (kind == Notice::Failure)
            m_ports.dialogs.failureNotice(text);
        else
            m_ports.dialogs.plainError(text);
    }
}

void ProgramCore::reportConversion(const std::string& notice, const std::string& source,
                                   const std::string& text) {
    if (source.empty()) {
        report(Notice::Failure, notice);
        return;
    }
    // The notice keeps the platform's text; the log and a second line say what to repair.
    if (report(Notice::Failure, notice + "\r(" + source + ")"))
        m_ports.log.AddProgramLogEntry(ProgramLog::Error, "Hibás számérték: " + source + " = '" + text + "'");
}

void ProgramCore::reportBooking(const BookingOutcome& outcome) {
    switch (outcome.kind) {
    case BookingOutcome::Kind::Booked:
        return;
    case BookingOutcome::Kind::NotANumber:
        reportConversion(outcome.notice, outcome.source, outcome.text);
        return;
    case BookingOutcome::Kind::NotWritten:
        m_ports.log.AddProgramLogEntry(ProgramLog::Error, "A(z) \"" + outcome.connection +
                                                              "\" munkamenet könyvelése függőben (" +
                                                              outcome.failure + ")");
        report(Notice::Error, "A(z) \"" + outcome.connection +
                                  "\" kapcsolat munkamenetét nem sikerült könyvelni (" + outcome.failure +
                                  " nem írható). Az adatai megmaradtak: a program a következő indításkor "
                                  "újra könyveli.");
        return;
    }
}

void ProgramCore::bookPending() {
    if (m_books->pendingCount() == 0)
        return;
    for (const BookingOutcome& outcome : m_books->bookPending())
        reportBooking(outcome);
    changed(Aspect::Books);
}

void ProgramCore::changed(Aspects aspects) {
    m_changed |= aspects;
    if (m_eventDepth == 0)
        tellView();
}

CoreView* ProgramCore::settledView() {
    changed();
    tellView();
    return m_view;
}

void ProgramCore::noteBadSetting(const std::string& name, const std::string& text,
                                 const std::string& fallback) {
    // Said once a run: such a value is looked up again and again.
    if (std::find(m_reportedSettings.begin(), m_reportedSettings.end(), name) != m_reportedSettings.end())
        return;
    m_reportedSettings.push_back(name);
    m_ports.log.AddProgramLogEntry(ProgramLog::Error, "Hibás számérték: " + name + " = '" + text +
                                                          "', helyette " + fallback + " érvényes");
}

void ProgramCore::setView(CoreView* view) {
    m_view = view;
    updateTrafficPace();
}

void ProgramCore::setMainWindowVisible(bool visible) {
    m_state.window.mainWindowVisible = visible;
    updateTrafficPace();
}

void ProgramCore::updateTrafficPace() {
    if (m_timers.empty())
        return; // applied once the timers exist
    m_watch.setFiguresShown(m_state.window.mainWindowVisible && m_view && m_view->showsTrafficLive());
}

void ProgramCore::tellView() {
    const Aspects aspects = std::exchange(m_changed, 0);
    if (m_view && aspects != 0)
        m_view->changed(aspects);
}

Timer& ProgramCore::timer(TimerId id) const {
    return *m_timers.at(static_cast<std::size_t>(id));
}

std::function<void()> ProgramCore::timerWork(TimerId id) {
    switch (id) {
    case TimerId::Status:
        return [this] { TimerStatusTimer(); };
    case TimerId::Idotartam:
        return [this] { TimerIdotartamTimer(); };
    case TimerId::Koltsegek:
        return [this] { TimerKoltsegekTimer(); };
    case TimerId::KapcsFrissit:
        return [this] { TimerKapcsFrissitTimer(); };
    case TimerId::UjHonap:
        return [this] { TimerUjHonapTimer(); };
    case TimerId::Ikon:
        return [this] { TimerIkonTimer(); };
    case TimerId::ElsoInditas:
        return [this] { TimerElsoInditasTimer(); };
    // Their features come later; the timers exist with their behaviour's settings.
    case TimerId::Feladatok:
    case TimerId::Kisero:
    case TimerId::NincsKapModTul:
    case TimerId::Hibernalas:
    case TimerId::LetoltIdo:
    case TimerId::LetoltKesleltet:
        return {};
    }
    return {};
}

void ProgramCore::createTimers() {
    for (const TimerSpec& spec : timerTable) {
        std::function<void()> handler;
        auto work = timerWork(spec.id);
        const bool idle = !work;
        if (work)
            handler = [this, work = std::move(work)] { runEvent(work); };
        Timer& created = m_ports.timers.createTimer(std::string(spec.name), spec.interval, spec.enabled,
                                                    std::move(handler));
        created.setCoarse(spec.wake == WakePolicy::Coarse);
        // A timer whose feature has nothing to do yet never wakes the program.
        created.setDormant(idle);
        m_timers.push_back(&created);
    }
    updateTrafficPace();
}

void ProgramCore::runEvent(const std::function<void()>& work) {
    // A stored text that is not a number ends the event with the platform's notice; the
    // program goes on with the next one.
    ++m_eventDepth;
    try {
        work();
    } catch (const ConversionError& e) {
        changed();
        reportConversion(e.what(), e.source(), e.text());
    } catch (const StoreError& e) {
        // A damaged settings store ends the event; it is never read as empty.
        changed();
        m_ports.log.AddProgramLogEntry(ProgramLog::Error, e.what());
        report(Notice::Error, std::string("A beállítások adatbázisa sérült: ") + e.what());
    }
    if (--m_eventDepth == 0) {
        tellView();
        if (!m_deferredNotices.empty())
            showDeferredNotices();
    }
}

void ProgramCore::FormCreate() {
    if (m_timers.empty())
        createTimers();
    SettingsStore& store = m_ports.store;

    m_ports.log.AddProgramLogEntry(ProgramLog::Event, StartEntryText);
    // Whatever a crash cut short is gone: the files themselves were never touched.
    removeStaleTemporaryFiles(m_ports.home);
    removeStaleTemporaryFiles(m_ports.home / "Naplo");

    if (!loadBlockedList(m_ports.home / BlockedListFileName, m_state.browser.blockedList)) {
        m_state.browser.blockedList.clear();
        m_ports.log.AddProgramLogEntry(ProgramLog::Error, "A tiltott weblapokat tartalmazó fájl hiányzik!");
    }

    // A restart in progress is over once this copy has passed its instance check.
    store.WriteSetting(setting::Ujraindit, "0");

    m_companion.load();
    m_connectionList.load();

    m_state.hotkeys.webAddresses = {"about:blank"};
    ReadTypedUrls(store.registry(), m_state.hotkeys.webAddresses);
    m_state.hotkeys.webAddressIndex = store.readInt("WebLista");

    m_state.window.diagramButtonEnabled = false;

    m_state.hotkeys.dialHotkeyLetter = store.readInt("GyorsBillCsat");
    m_state.hotkeys.dialHotkeyEntry = store.readInt("GyBKapcsList");
    m_state.hotkeys.showHotkeyLetter = store.readInt("GyorsBillBiz");
    m_state.hotkeys.hangUpHotkeyLetter = store.readInt("GyorsBillBont");
    m_state.hotkeys.webHotkeyLetter = store.readInt("GyorsBillWeblap");

    m_state.window.firstShowMark = true;

    if (!store.readNotOff(setting::KiseroAblak))
        timer(TimerId::Kisero).setEnabled(true);

    m_state.download.lbEltelIdo = "00:00:00";
    m_totals.windowCreated();
    m_state.window.helpMode = false;

    const std::filesystem::path tasks = m_ports.home / TaskListFileName;
    std::error_code ec;
    if (std::filesystem::exists(tasks, ec))
        LoadListViewFile(m_state.tasks.list, tasks, m_ports.dialogs, m_ports.log);

    m_tray.setVisible(false);
    m_state.window.tariffGroupCaption = "Nincs kapcsolat kiválasztva";

    if (store.readFlag(setting::ElsoInditas)) {
        firstStart();
        // The period exists only now; the cost page shows it from the start.
        m_totals.refreshPeriodHeader();
    }

    m_connectionList.loadDevices();
    setMainWindowVisible(true);
    if (!m_books->loadProblem().empty())
        report(Notice::Error, m_books->loadProblem());
    // A rollover cut short first (its log still holds the archived entries), then the sessions
    // an earlier run could not book (a full disk, a value that was not a number).
    finishRollover(store, m_ports.home);
    bookPending();
    changed();
}

void ProgramCore::firstStart() {
    SettingsStore& store = m_ports.store;
    const Date today = m_ports.clock.now().date;
    const Regional& regional = Regional::hungarian();

    for (const std::string& entry : m_state.phonebook.entries) {
        CreateConnectionRecord(store, entry);
        m_ports.autostart.add();
        store.WriteSetting("KapcsolatokSzama", std::to_string(m_state.phonebook.entries.size()));
        std::error_code ec;
        std::filesystem::create_directory(m_ports.home / "Naplo", ec);
    }
    if (!saveBlockedList(m_ports.home / BlockedListFileName, m_state.browser.blockedList))
        report(Notice::Error, "A(z) \"" + std::string(BlockedListFileName) + "\" fájl nem írható.");
    InitBillingPeriod(store, today);
    // A data home prepared by hand or a reinstall keeps its records and days.
    for (const std::string& entry : m_state.phonebook.entries) {
        if (!ensureDailyStatistics(m_ports.home, entry, today))
            report(Notice::Error, "A(z) \"" + dailyStatisticsFile(m_ports.home, entry).filename().string() +
                                      "\" fájl nem írható.");
    }
    store.WriteSetting(setting::ElsoInditas, "0");
    store.WriteSetting("DiaKezdoDatum", regional.formatDate(today));
    store.WriteSetting("DiaVegDatum", regional.formatDate(addDays(today, 30)));
    RegisterBrowserButton(store.registry(), m_ports.programFolder);
}

SettingsTab ProgramCore::settingsTabOfStartingEntry(int entry) {
    // "Feladatok" ... "Speciális II" are tabs 0 to 5; "Karbantartás" and "Biztonság" follow "Speciális 3".
    return static_cast<SettingsTab>(entry <= 5 ? entry : entry + 1);
}

void ProgramCore::mainTabChosen(MainTab tab) {
    m_state.window.mainTab = tab;
    if (tab == MainTab::Tariffs)
        stopConnectionListTimer();
}

void ProgramCore::settingsTabChosen(SettingsTab tab) {
    m_state.window.settingsTab = tab;
    if (tab == SettingsTab::Config)
        loadDiscountGroup();
}

void ProgramCore::FormShow() {
    SettingsStore& store = m_ports.store;
    setMainWindowVisible(true);
    m_state.window.taskbarButtonVisible = true;
    if (m_state.window.firstShowMark &&
        (m_ports.system.uptimeSeconds() < 200 || store.readFlag(setting::IndulMin))) {
        m_state.window.taskbarButtonVisible = false;
        m_state.window.firstShowMark = false;
        timer(TimerId::ElsoInditas).setEnabled(true);
    }
    if (m_state.download.lbEltelIdo != "00:00:00")
        m_state.window.mainTab = MainTab::Download;
    else
        m_state.window.mainTab =
            static_cast<MainTab>(storedIndex(store.ReadSetting(setting::FoablaknalAktFul), MainTabCount));
    m_state.window.settingsTab =
        settingsTabOfStartingEntry(storedIndex(store.ReadSetting(setting::BeallitasnalAktFul), 8));
    changed();
}

void ProgramCore::TimerElsoInditasTimer() {
    timer(TimerId::ElsoInditas).setEnabled(false);
    HideToTray();
}

void ProgramCore::HideToTray() {
    if (m_state.window.helpMode) {
        if (m_view)
            m_view->showHintBubble("A programot a rendszertálcára minimalizálja!");
        return;
    }
    if (m_view)
        m_view->closeHintBubble();
    SettingsStore& store = m_ports.store;
    if (store.readNotOff(setting::Elrejtes)) {
        m_tray.setVisible(false);
        if (m_view)
            m_view->closeCompanion();
    } else {
        m_tray.setVisible(true);
    }
    setMainWindowVisible(false);
    m_state.window.taskbarButtonVisible = false;
    if (store.readFlag(setting::JelszoMinim))
        m_state.window.restorePasswordMark = true;
    if (CoreView* view = settledView())
        view->hideMainWindow();
    changed();
}

void ProgramCore::onSystemCommand(bool minimise) {
    m_state.window.restorePasswordMark = minimise;
}

void ProgramCore::trayLeftClick() {
    if (m_ports.store.readNotOff(setting::JelszoMinim)) {
        m_tray.setVisible(false);
        const bool accepted = !m_view || settledView()->askRestorePassword();
        if (!accepted) {
            m_tray.setVisible(true);
            changed();
            return;
        }
        m_state.window.restorePasswordMark = false;
    }
    setMainWindowVisible(true);
    m_tray.setVisible(false);
    if (m_view)
        m_view->showMainWindow();
    changed();
}

bool ProgramCore::FormCloseQuery(bool answerYes) {
    if (!connectionActive() || answerYes)
        return true;
    const std::string text = m_state.session.lbKapcsNeve +
                             " kapcsolat aktív!\r\nHa most kilép az adatok nem lesznek pontosak!"
                             "\r\nBiztos kilép és menti az aktuális adatokat? ";
    return LocalizedMessageDlg(m_ports.dialogs, m_ports.sound, CaptionSet::Standard, text,
                               MessageKind::Confirmation, buttons::Yes | buttons::No) == results::Yes;
}

void ProgramCore::FormClose() {
    if (m_closed)
        return; // a signal and the window's own close may both arrive
    m_closed = true;
    // A failed booking is reported and stays pending; the lists are still saved.
    if (connectionActive())
        closeSessionBooks();
    bookPending(); // what failed earlier in this run, once more
    m_tray.setVisible(false);
    if (!SaveListViewFile(m_state.tasks.list, m_ports.home / TaskListFileName, m_ports.log))
        report(Notice::Error, "A(z) \"" + std::string(TaskListFileName) + "\" fájl nem írható.");
    if (!m_ports.log.SaveProgramLog(m_ports.home / ProgramLogFileName, m_ports.dialogs))
        report(Notice::Error, "A(z) \"" + std::string(ProgramLogFileName) + "\" fájl nem írható.");
    changed();
}

} // namespace vonalor
