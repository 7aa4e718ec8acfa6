// The duration counter and the running cost: the two one-second timers of a session.

#include "core/message_dialogs.h"
#include "core/program_core.h"

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/shell.h"
#include "platform/sound.h"
#include "platform/timer_service.h"
#include "settings/settings_store.h"
#include "settings/value_rules.h"
#include "tariff/interval_cost.h"
#include "tariff/tariff_bands.h"
#include "tasks/program_log.h"
#include "text/conversion_error.h"
#include "text/regional.h"

namespace vonalor {

namespace {

// Two digits up to 9, plain digits from 10 on; hours grow without a limit.
std::string twoDigits(long long value) {
    return value < 10 ? "0" + std::to_string(value) : std::to_string(value);
}

// One second on a clock of three display fields, with the carries.
void advanceClock(std::string& hours, std::string& minutes, std::string& seconds) {
    const Regional& regional = Regional::hungarian();
    if (seconds != "59") {
        seconds = twoDigits(regional.toInt64(seconds) + 1);
    } else if (minutes != "59") {
        minutes = twoDigits(regional.toInt64(minutes) + 1);
        seconds = "00";
    } else {
        hours = twoDigits(regional.toInt64(hours) + 1);
        minutes = "00";
        seconds = "00";
    }
}

std::string byteUnitValue(std::uint64_t bytes, ByteUnit unit) {
    const long double divisor = unit == ByteUnit::Mbyte ? 1048576.0L : unit == ByteUnit::Kbyte ? 1024.0L : 1.0L;
    return Regional::hungarian().formatFloat(static_cast<long double>(bytes) / divisor);
}

// The hundred-billionth each step adds and the hundred-thousandth the period total adds, read
// as the program's own texts so they are the very values its decimal conversion gives.
const long double stepAddition = Regional::hungarian().toFloat("0,00000000001");
const long double totalAddition = Regional::hungarian().toFloat("0,00001");

} // namespace

void ProgramCore::TimerIdotartamTimer() {
    try {
        CostStep();
    } catch (const ConversionError& e) {
        if (!e.source().empty())
            m_ports.log.AddProgramLogEntry(ProgramLog::Error, "Hibás számérték: " + e.source() + " = '" + e.text() + "'");
        costStepFailed();
    }
    SettingsStore& store = m_ports.store;
    if (m_state.duration.lbOra == "00" && m_state.duration.lbPerc == "00" && m_state.duration.lbMPerc == "10" &&
        store.ReadSetting("Helyetesit") == "1" && m_view)
        m_view->showBalloon("\"" + m_state.session.connectionName + "\" csatlakoztatva", "Sebesség: " + m_state.session.lbKapcsSebes,
                            10);
    advanceClock(m_state.duration.lbOra, m_state.duration.lbPerc, m_state.duration.lbMPerc);
    advanceClock(m_state.totals.lbOsszOra, m_state.totals.lbOsszPerc, m_state.totals.lbOsszMPerc);
    const std::string figures = store.ReadSetting("KiseroJelOssz");
    if (figures == "1") {
        m_state.companion.cost = m_state.cost.lbJelenKoltseg;
        m_state.companion.hours = m_state.duration.lbOra;
        m_state.companion.minutes = m_state.duration.lbPerc;
        m_state.companion.seconds = m_state.duration.lbMPerc;
    } else if (figures == "2") {
        m_state.companion.cost = m_state.totals.lbOsszKoltseg;
        m_state.companion.hours = m_state.totals.lbOsszOra;
        m_state.companion.minutes = m_state.totals.lbOsszPerc;
        m_state.companion.seconds = m_state.totals.lbOsszMPerc;
    }
    changed(Aspect::Duration | Aspect::Cost | Aspect::Totals | Aspect::Companion | Aspect::SecondCounted);
}

void ProgramCore::CostStep() {
    SettingsStore& store = m_ports.store;
    const Regional& regional = Regional::hungarian();
    const std::string& name = m_state.session.connectionName;

    const DateTime now = m_ports.clock.now();
    const TimeOfDay start{now.time.hour, now.time.minute, now.time.second, 0};
    const DateTime next = fromEpochMs(toEpochMs(DateTime{now.date, start}) + 1000);
    const std::string cost =
        IntervalCost(store, name, m_ports.clock, regional.formatTime(start), regional.formatTime(next.time));

    m_state.cost.runningCost =
        regional.formatFloat(regional.toFloat(cost) + regional.toFloat(m_state.cost.runningCost) + stepAddition);

    if (m_state.duration.lbOra == "00" && m_state.duration.lbPerc == "00" && m_state.duration.lbMPerc == "59")
        m_state.cost.runningCost = store.ReadSetting(name + m_state.cost.tariffName);

    if (store.ReadSetting(name + "VanKapcsDij") == "1")
        m_state.cost.lbJelenKoltseg = TwoDecimals(regional.formatFloat(
            store.readFloat(name + "KapcsDijErteke") + regional.toFloat(m_state.cost.runningCost)));
    else
        m_state.cost.lbJelenKoltseg = TwoDecimals(m_state.cost.runningCost);
    m_state.cost.bookedCost = m_state.cost.lbJelenKoltseg;

    m_state.totals.lbOsszKoltseg = TwoDecimals(regional.formatFloat(store.readFloat(name + "OsszKoltseg") +
                                                             regional.toFloat(m_state.cost.lbJelenKoltseg) + totalAddition));

    // The period's traffic on the cost page: the stored totals plus this session's.
    if (m_state.session.lbBajtKuld != "0")
        m_state.totals.lbOsszKuldBajt = GroupThousands(byteUnitValue(
            digitsOnly(m_state.session.lbBajtKuld) + digitsOnly(store.ReadSetting(name + "KuldottBajt")), m_state.totals.byteUnit));
    if (m_state.session.lbBajtFogad != "0")
        m_state.totals.lbOsszFogadBajt = GroupThousands(byteUnitValue(
            digitsOnly(m_state.session.lbBajtFogad) + digitsOnly(store.ReadSetting(name + "FogadottBajt")), m_state.totals.byteUnit));

    long double bill = 0;
    for (const std::string& connection : m_state.phonebook.entries)
        bill += store.readFloat(connection + "OsszKoltseg");
    m_state.totals.lbszamla = regional.formatFloat(bill + regional.toFloat(m_state.cost.lbJelenKoltseg));

    if (m_state.duration.lbOra == "00" && m_state.duration.lbPerc == "01" && m_state.duration.lbMPerc == "00")
        m_state.cost.lbJelenKoltseg = store.ReadSetting(name + m_state.cost.tariffName);
}

void ProgramCore::costStepFailed() {
    m_ports.log.AddProgramLogEntry(ProgramLog::Error, "Hiba a költség számítás közben!");
    timer(TimerId::Idotartam).setEnabled(false);
    changed();
    m_ports.dialogs.plainError(std::string("A költség/idő számításában hiba történt, ezért a számítás leállt!A "
                                           "Beállítások/Speciáli 3 fülön \rtalálható hibajelzést kérem küldje el a "
                                           "hiba kijavításának érdekében a ") +
                               SupportAddress + " címre!\rA kellemetlenségért elnézését kérem!!");
}

void ProgramCore::TimerKoltsegekTimer() {
    SettingsStore& store = m_ports.store;
    const Regional& regional = Regional::hungarian();
    const std::string& name = m_state.session.connectionName;

    if (m_state.totals.lbOsszKoltseg == "0") {
        m_state.totals.lbOsszKoltseg = store.ReadSetting(name + "OsszKoltseg");
        m_state.totals.lbOsszOra = store.ReadSetting(name + "OsszOra");
        m_state.totals.lbOsszPerc = store.ReadSetting(name + "OsszPerc");
        m_state.totals.lbOsszMPerc = store.ReadSetting(name + "OsszMPerc");
    }
    m_state.cost.tariffName = CurrentTariffName(m_ports.clock.now());
    m_state.window.windowTitle =
        "Csatlakoztatva : " + name + "  -  Percdíj : " + store.ReadSetting(name + m_state.cost.tariffName);
    changed();

    // The money allowance is read only while it is switched on; it may hold decimals ("2,5").
    if (store.readFlag("MatavFele")) {
        const std::string setting = name + "KedvErteke";
        const std::string allowance = store.ReadSetting(setting);
        const auto amount = regional.parseFloat(allowance);
        if (!amount)
            throw ConversionError("'" + allowance + "' is not a valid floating point value", setting, allowance);
        if (regional.toFloat(m_state.totals.lbOsszKoltseg) >= *amount && *amount > 0 && store.readFlag("Jelezzen") &&
            !m_state.cost.moneyWarningGiven) {
            m_state.cost.moneyWarningGiven = true;
            alarm("Lejárt a \"" + name + "\" által biztosított " + allowance + " Ft.");
        }
    }

    const std::string hours = store.ReadSetting(name + "KedvOraErteke");
    const std::string& total = m_state.totals.lbOsszOra;
    const bool hoursMatch = !total.empty() && total.front() == '0' ? total == "0" + hours : total == hours;
    if (hoursMatch && m_state.totals.lbOsszPerc == "00" && m_state.totals.lbOsszMPerc == "00" &&
        store.ReadSetting("Jelezzen") == "1" && hours != "0")
        alarm("Lejárt a " + hours + " óra.");
}

void ProgramCore::alarm(const std::string& text) {
    bringWindowBack();
    if (m_ports.store.ReadSetting("KedvHang") == "1")
        m_ports.sound.playFile((m_ports.home / "Lejart.wav").string(), true);
    CaptionedMessageBox(m_ports.dialogs, "Lejárt", text, 2, 6);
}

void ProgramCore::loadDiscountGroup() {
    SettingsStore& store = m_ports.store;
    m_state.discount.checkKedvChecked = store.ReadSetting("MatavFele") == "1";
    m_state.discount.checkJelezChecked = store.ReadSetting("Jelezzen") == "1";
    m_state.discount.chbKedvHangChecked = store.ReadSetting("KedvHang") == "1";
    m_state.discount.CheckJelezOraChecked = store.ReadSetting("JelezzenOrat") == "1";
    enableDiscountControls();
    const auto billingDay = Regional::hungarian().parseInt(store.ReadSetting("DatumTolIg"));
    m_state.discount.billingDayIndex = billingDay && *billingDay >= 1 && *billingDay <= 28 ? *billingDay - 1 : -1;
    changed();
}

void ProgramCore::enableDiscountControls() {
    // During a session the allowances of connections stay locked.
    m_state.discount.discountMoneyEnabled = m_state.discount.checkKedvChecked && !connectionActive();
    m_state.discount.discountHoursEnabled = m_state.discount.CheckJelezOraChecked && !connectionActive();
    m_state.discount.warningOptionsEnabled = m_state.discount.checkKedvChecked || m_state.discount.CheckJelezOraChecked;
}

void ProgramCore::storeCheckBox(bool& box, const char* setting, bool checked) {
    box = checked;
    m_ports.store.WriteSetting(setting, checked ? "1" : "0");
    enableDiscountControls();
    changed();
}

void ProgramCore::checkKedvClick(bool checked) {
    storeCheckBox(m_state.discount.checkKedvChecked, "MatavFele", checked);
}

void ProgramCore::CheckJelezOraClick(bool checked) {
    storeCheckBox(m_state.discount.CheckJelezOraChecked, "JelezzenOrat", checked);
}

void ProgramCore::checkJelezClick(bool checked) {
    storeCheckBox(m_state.discount.checkJelezChecked, "Jelezzen", checked);
}

void ProgramCore::chbKedvHangClick(bool checked) {
    storeCheckBox(m_state.discount.chbKedvHangChecked, "KedvHang", checked);
}

std::string ProgramCore::comboKedvKapcsChange(const std::string& connection) {
    return m_ports.store.ReadSetting(connection + "KedvErteke");
}

std::string ProgramCore::ComboKedvOraKapcsChange(const std::string& connection) {
    return m_ports.store.ReadSetting(connection + "KedvOraErteke");
}

bool ProgramCore::edKedvChange(const std::string& connection, const std::string& text) {
    if (connection.empty())
        return false;
    // Only an amount the books can hold is stored: a pasted "1,2,3" or "1E20" is not, and an
    // emptied field means no allowance.
    const std::string amount = text.empty() ? "0" : text;
    if (!valueProblem(ValueKind::Amount, amount).empty())
        return false;
    return m_ports.store.WriteSetting(connection + "KedvErteke", amount);
}

void ProgramCore::edKedvExit(const std::string& text) {
    // The task editor offers this as the trigger value of "Ha lejár a kedvezmény".
    m_ports.store.WriteSetting("KedvErteke", text);
}

void ProgramCore::SpinEdit1Change(const std::string& connection, int hours) {
    if (!connection.empty())
        m_ports.store.WriteSetting(connection + "KedvOraErteke", std::to_string(hours));
}

void ProgramCore::playAllowanceSound() {
    m_ports.sound.playFile((m_ports.home / "Lejart.wav").string(), true);
}

void ProgramCore::TimerIkonTimer() {
    // The period header stays current while the watch sleeps.
    if (m_state.session.connectionHandle == 0)
        refreshPeriodHeader();
    if (connectionActive())
        m_state.tray.hint = "Költség   : " + m_state.cost.lbJelenKoltseg + " Ft\rIdőtartam : " + m_state.duration.lbOra + ":" +
                           m_state.duration.lbPerc + ":" + m_state.duration.lbMPerc + "\rFogadott  : " + m_state.session.lbBajtFogad +
                           " byte\rKüldött   : " + m_state.session.lbBajtKuld + " byte";
    else
        m_state.tray.hint = "Nincs aktív kapcsolat";

    // The pictures by the traffic of the last second; the marks that were set are cleared.
    const bool sent = m_state.session.sentChanged;
    const bool received = m_state.session.receivedChanged;
    m_state.session.sentChanged = false;
    m_state.session.receivedChanged = false;
    if (sent && received)
        m_state.tray.picture = TrayPicture::Both;
    else if (sent)
        m_state.tray.picture = TrayPicture::Sending;
    else if (received)
        m_state.tray.picture = TrayPicture::Receiving;
    else
        m_state.tray.picture = connectionActive() ? TrayPicture::Quiet : TrayPicture::NoConnection;
    changed(Aspect::Tray);
}

bool ProgramCore::trayMenuOffered() {
    // While the restore password is asked, no menu command may bypass it.
    return m_ports.store.ReadSetting("JelszoMinim") == "0";
}

void ProgramCore::trayMenuAllapot() {
    bringWindowBack();
}

void ProgramCore::bringWindowBack() {
    m_state.tray.visible = false;
    m_state.window.mainWindowVisible = true;
    if (m_view) {
        m_view->showMainWindow();
        m_view->bringToForeground();
    }
    changed();
}

void ProgramCore::OpenControlPanelApplet(const std::string& applet) {
    m_ports.shell.openControlPanelApplet(applet);
}

} // namespace vonalor
