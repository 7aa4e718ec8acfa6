// The session in the program core: the timers' handlers and the session's edges, each edge in
// the behaviour's order of steps. The work itself is done by the feature rooms.

#include "core/program_core.h"

#include "browser/browser_settings.h"
#include "core/message_dialogs.h"
#include "platform/browser.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/shell.h"
#include "platform/sound.h"
#include "platform/timer_service.h"
#include "settings/setting_names.h"
#include "settings/settings_store.h"
#include "stats/billing_period.h"
#include "stats/session_books.h"
#include "tasks/program_log.h"
#include "text/conversion_error.h"

namespace vonalor {

namespace {

// A second after the next midnight, so the date has surely turned.
int untilNextMidnightMs(const DateTime& now) {
    const std::int64_t midnight = toEpochMs(DateTime{addDays(now.date, 1), TimeOfDay{0, 0, 0, 0}});
    return static_cast<int>(midnight - toEpochMs(now) + 1000);
}

} // namespace

void ProgramCore::TimerStatusTimer() {
    m_totals.refreshPeriodHeader();
    m_watch.TimerStatusTimer();
}

void ProgramCore::enableSessionTimers() {
    // The tariff timer first: within each second its tick loads the period totals before the
    // first cost step writes over them.
    timer(TimerId::Koltsegek).setEnabled(true);
    timer(TimerId::Idotartam).setEnabled(true);
    // The tray's second starts with them, so the three share one wake-up a second.
    timer(TimerId::Ikon).setEnabled(true);
}

void ProgramCore::sessionAppeared(const std::string& name) {
    m_companion.sessionAppeared(name);
    timer(TimerId::Ikon).setDormant(false);
}

void ProgramCore::sessionSettingUp() {
    enableSessionTimers();
}

void ProgramCore::sessionConnected(const DateTime& now) {
    SettingsStore& store = m_ports.store;
    m_ports.log.AddProgramLogEntry(ProgramLog::Event,
                                   "\"" + m_state.session.connectionName + "\" csatlakoztatva!");
    m_watch.connectedMarks(now);
    m_cost.showFee();
    enableSessionTimers();
    m_duration.connected();
    m_cost.showFee();
    m_cost.connected();
    m_watch.connectedAddresses();
    if (m_companion.sessionConnected())
        m_state.window.taskbarButtonVisible = false;
    m_discount.sessionConnected();
    m_watch.connectedLock(now);
    if (store.readFlag(setting::AutBong))
        m_ports.shell.open(ReadStartPage(store.registry()));
}

void ProgramCore::sessionEnded() {
    SettingsStore& store = m_ports.store;
    m_watch.endedHandle();
    m_companion.sessionEnded();

    closeSessionBooks();

    m_ports.log.AddProgramLogEntry(ProgramLog::Event,
                                   "\"" + m_state.session.lbKapcsNeve + "\" szétkapcsolva!");
    m_watch.endedDisplays();
    timer(TimerId::Idotartam).setEnabled(false);
    m_discount.sessionEnded();
    m_duration.reset();
    m_cost.ended();
    m_totals.sessionEnded();
    m_tray.sessionEnded();
    timer(TimerId::Koltsegek).setEnabled(false);
    m_watch.endedIdentity();
    // The title would otherwise go on saying "Csatlakoztatva" with the last price.
    m_state.window.windowTitle = "Vonalor";
    changed();

    if (store.readFlag(setting::AutoCookie)) {
        ClearUrlCache(m_ports.browser, [this] {
            if (CoreView* view = settledView())
                view->processEvents();
        });
        m_ports.sound.messageBeep(0x00);
    }
}

void ProgramCore::closeSessionBooks() {
    SessionFigures session;
    session.connection = m_state.session.lbKapcsNeve;
    session.connected = m_state.session.connectedFlag;
    session.startDate = m_state.session.startDate;
    session.startTime = m_state.session.startTime;
    session.hours = m_state.duration.lbOra;
    session.minutes = m_state.duration.lbPerc;
    session.seconds = m_state.duration.lbMPerc;
    session.currentCost = m_state.cost.bookedCost;
    session.bytesSent = m_state.session.lbBajtKuld;
    session.bytesReceived = m_state.session.lbBajtFogad;
    // Whatever fails, the session is handed over exactly once: it is booked, or it waits in the
    // pending file and the failure is reported.
    for (const BookingOutcome& outcome : m_books->book(session, m_ports.clock.now()))
        reportBooking(outcome);
    changed(Aspect::Books);
}

void ProgramCore::TimerIdotartamTimer() {
    // The cost step under its failure guard: the running cost, the totals with the session in
    // them, then the display's first-minute text.
    try {
        m_cost.step();
        m_totals.showRunning(m_state.session.connectionName, m_state.cost.lbJelenKoltseg,
                             m_state.phonebook.entries);
        m_cost.firstMinuteDisplay();
    } catch (const ConversionError& e) {
        if (!e.source().empty())
            m_ports.log.AddProgramLogEntry(ProgramLog::Error,
                                           "Hibás számérték: " + e.source() + " = '" + e.text() + "'");
        costStepFailed();
    }
    if (m_duration.reads("00", "00", "10") && m_ports.store.readFlag(setting::Helyetesit) && m_view)
        m_view->showBalloon("\"" + m_state.session.connectionName + "\" csatlakoztatva",
                            "Sebesség: " + m_state.session.lbKapcsSebes, 10);
    m_duration.secondCounted();
    m_totals.secondCounted();
    m_companion.secondCounted(m_state.duration, m_state.cost, m_state.totals);
    changed(Aspect::Duration | Aspect::Cost | Aspect::Totals | Aspect::Companion | Aspect::SecondCounted);
}

void ProgramCore::costStepFailed() {
    m_ports.log.AddProgramLogEntry(ProgramLog::Error, "Hiba a költség számítás közben!");
    timer(TimerId::Idotartam).setEnabled(false);
    settledView();
    m_ports.dialogs.plainError(
        std::string("A költség/idő számításában hiba történt, ezért a számítás leállt!A "
                    "Beállítások/Speciáli 3 fülön \rtalálható hibajelzést kérem küldje el a "
                    "hiba kijavításának érdekében a ") +
        SupportAddress + " címre!\rA kellemetlenségért elnézését kérem!!");
}

void ProgramCore::TimerKoltsegekTimer() {
    const std::string& name = m_state.session.connectionName;
    m_totals.loadTotalsOnce(name);
    m_cost.takeTariff();
    m_state.window.windowTitle = "Csatlakoztatva : " + name + "  -  Percdíj : " +
                                 m_ports.store.ReadSetting(name + m_state.cost.tariffName);
    changed();
    if (const auto text = m_cost.moneyAlarm(m_state.totals))
        alarm(*text);
    if (const auto text = m_cost.hoursAlarm(m_state.totals))
        alarm(*text);
}

void ProgramCore::alarm(const std::string& text) {
    bringWindowBack();
    if (m_ports.store.readFlag(setting::KedvHang))
        m_ports.sound.playFile((m_ports.home / "Lejart.wav").string(), true);
    settledView();
    CaptionedMessageBox(m_ports.dialogs, "Lejárt", text, 2, 6);
}

void ProgramCore::TimerIkonTimer() {
    const ConnectionWatch::Activity activity = m_watch.takeActivity();
    m_tray.TimerIkonTimer(m_state.session, m_state.duration, m_state.cost, activity.sent, activity.received);
    changed(Aspect::Tray);
    // Without a session the hint and the picture stay as they are: the icon sleeps until one.
    if (!connectionActive())
        timer(TimerId::Ikon).setDormant(true);
}

void ProgramCore::bringWindowBack() {
    m_tray.setVisible(false);
    setMainWindowVisible(true);
    if (m_view) {
        m_view->showMainWindow();
        m_view->bringToForeground();
    }
    changed();
}

void ProgramCore::OpenControlPanelApplet(const std::string& applet) {
    m_ports.shell.openControlPanelApplet(applet);
}

void ProgramCore::TimerUjHonapTimer() {
    if (m_totals.TimerUjHonapTimer(m_state.phonebook.entries))
        changed(AllAspects | Aspect::Books);
    else
        changed(Aspect::Totals); // the period header stays current while the watch sleeps
    // A period ends on a date: nothing is due before the next midnight (a new billing day
    // wakes the timer at once).
    timer(TimerId::UjHonap).setPace(untilNextMidnightMs(m_ports.clock.now()));
}

void ProgramCore::comboTolChange(int itemIndex) {
    changeBillingDay(m_ports.store, m_ports.log, itemIndex);
    timer(TimerId::UjHonap).setPace(0);
    m_discount.billingDayChosen(itemIndex);
    m_totals.refreshPeriodHeader();
    changed();
}

} // namespace vonalor
