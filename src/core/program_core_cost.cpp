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
    if (m_state.lbOra == "00" && m_state.lbPerc == "00" && m_state.lbMPerc == "10" &&
        store.ReadSetting("Helyetesit") == "1" && m_view)
        m_view->showBalloon("\"" + m_state.connectionName + "\" csatlakoztatva", "Sebesség: " + m_state.lbKapcsSebes,
                            10);
    advanceClock(m_state.lbOra, m_state.lbPerc, m_state.lbMPerc);
    advanceClock(m_state.lbOsszOra, m_state.lbOsszPerc, m_state.lbOsszMPerc);
    const std::string figures = store.ReadSetting("KiseroJelOssz");
    if (figures == "1") {
        m_state.kiseroCost = m_state.lbJelenKoltseg;
        m_state.kiseroOra = m_state.lbOra;
        m_state.kiseroPerc = m_state.lbPerc;
        m_state.kiseroMPerc = m_state.lbMPerc;
    } else if (figures == "2") {
        m_state.kiseroCost = m_state.lbOsszKoltseg;
        m_state.kiseroOra = m_state.lbOsszOra;
        m_state.kiseroPerc = m_state.lbOsszPerc;
        m_state.kiseroMPerc = m_state.lbOsszMPerc;
    }
    changed();
    if (m_view)
        m_view->durationTicked();
}

void ProgramCore::CostStep() {
    SettingsStore& store = m_ports.store;
    const Regional& regional = Regional::hungarian();
    const std::string& name = m_state.connectionName;

    const DateTime now = m_ports.clock.now();
    const TimeOfDay start{now.time.hour, now.time.minute, now.time.second, 0};
    const DateTime next = fromEpochMs(toEpochMs(DateTime{now.date, start}) + 1000);
    const std::string cost =
        IntervalCost(store, name, m_ports.clock, regional.formatTime(start), regional.formatTime(next.time));

    m_state.runningCost =
        regional.formatFloat(regional.toFloat(cost) + regional.toFloat(m_state.runningCost) + stepAddition);

    if (m_state.lbOra == "00" && m_state.lbPerc == "00" && m_state.lbMPerc == "59")
        m_state.runningCost = store.ReadSetting(name + m_state.tariffName);

    if (store.ReadSetting(name + "VanKapcsDij") == "1")
        m_state.lbJelenKoltseg = TwoDecimals(regional.formatFloat(
            store.readFloat(name + "KapcsDijErteke") + regional.toFloat(m_state.runningCost)));
    else
        m_state.lbJelenKoltseg = TwoDecimals(m_state.runningCost);
    m_state.bookedCost = m_state.lbJelenKoltseg;

    m_state.lbOsszKoltseg = TwoDecimals(regional.formatFloat(store.readFloat(name + "OsszKoltseg") +
                                                             regional.toFloat(m_state.lbJelenKoltseg) + totalAddition));

    // The period's traffic on the cost page: the stored totals plus this session's.
    if (m_state.lbBajtKuld != "0")
        m_state.lbOsszKuldBajt = GroupThousands(byteUnitValue(
            digitsOnly(m_state.lbBajtKuld) + digitsOnly(store.ReadSetting(name + "KuldottBajt")), m_state.byteUnit));
    if (m_state.lbBajtFogad != "0")
        m_state.lbOsszFogadBajt = GroupThousands(byteUnitValue(
            digitsOnly(m_state.lbBajtFogad) + digitsOnly(store.ReadSetting(name + "FogadottBajt")), m_state.byteUnit));

    long double bill = 0;
    for (const std::string& connection : m_state.phonebook)
        bill += store.readFloat(connection + "OsszKoltseg");
    m_state.lbszamla = regional.formatFloat(bill + regional.toFloat(m_state.lbJelenKoltseg));

    if (m_state.lbOra == "00" && m_state.lbPerc == "01" && m_state.lbMPerc == "00")
        m_state.lbJelenKoltseg = store.ReadSetting(name + m_state.tariffName);
}

void ProgramCore::costStepFailed() {
    m_ports.log.AddProgramLogEntry(ProgramLog::Error, "Hiba a költség számítás közben!");
    timer("TimerIdotartam").setEnabled(false);
    changed();
    m_ports.dialogs.plainError(std::string("A költség/idő számításában hiba történt, ezért a számítás leállt!A "
                                           "Beállítások/Speciáli 3 fülön \rtalálható hibajelzést kérem küldje el a "
                                           "hiba kijavításának érdekében a ") +
                               SupportAddress + " címre!\rA kellemetlenségért elnézését kérem!!");
}

void ProgramCore::TimerKoltsegekTimer() {
    SettingsStore& store = m_ports.store;
    const Regional& regional = Regional::hungarian();
    const std::string& name = m_state.connectionName;

    if (m_state.lbOsszKoltseg == "0") {
        m_state.lbOsszKoltseg = store.ReadSetting(name + "OsszKoltseg");
        m_state.lbOsszOra = store.ReadSetting(name + "OsszOra");
        m_state.lbOsszPerc = store.ReadSetting(name + "OsszPerc");
        m_state.lbOsszMPerc = store.ReadSetting(name + "OsszMPerc");
    }
    m_state.tariffName = CurrentTariffName(m_ports.clock.now());
    m_state.windowTitle =
        "Csatlakoztatva : " + name + "  -  Percdíj : " + store.ReadSetting(name + m_state.tariffName);
    changed();

    // The money allowance is read only while it is switched on; it may hold decimals ("2,5").
    if (store.readFlag("MatavFele")) {
        const std::string setting = name + "KedvErteke";
        const std::string allowance = store.ReadSetting(setting);
        const auto amount = regional.parseFloat(allowance);
        if (!amount)
            throw ConversionError("'" + allowance + "' is not a valid floating point value", setting, allowance);
        if (regional.toFloat(m_state.lbOsszKoltseg) >= *amount && *amount > 0 && store.readFlag("Jelezzen") &&
            !m_state.moneyWarningGiven) {
            m_state.moneyWarningGiven = true;
            alarm("Lejárt a \"" + name + "\" által biztosított " + allowance + " Ft.");
        }
    }

    const std::string hours = store.ReadSetting(name + "KedvOraErteke");
    const std::string& total = m_state.lbOsszOra;
    const bool hoursMatch = !total.empty() && total.front() == '0' ? total == "0" + hours : total == hours;
    if (hoursMatch && m_state.lbOsszPerc == "00" && m_state.lbOsszMPerc == "00" &&
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
    m_state.checkKedvChecked = store.ReadSetting("MatavFele") == "1";
    m_state.checkJelezChecked = store.ReadSetting("Jelezzen") == "1";
    m_state.chbKedvHangChecked = store.ReadSetting("KedvHang") == "1";
    m_state.CheckJelezOraChecked = store.ReadSetting("JelezzenOrat") == "1";
    enableDiscountControls();
    const auto billingDay = Regional::hungarian().parseInt(store.ReadSetting("DatumTolIg"));
    m_state.billingDayIndex = billingDay && *billingDay >= 1 && *billingDay <= 28 ? *billingDay - 1 : -1;
    changed();
}

void ProgramCore::enableDiscountControls() {
    // During a session the allowances of connections stay locked.
    m_state.discountMoneyEnabled = m_state.checkKedvChecked && !connectionActive();
    m_state.discountHoursEnabled = m_state.CheckJelezOraChecked && !connectionActive();
    m_state.warningOptionsEnabled = m_state.checkKedvChecked || m_state.CheckJelezOraChecked;
}

void ProgramCore::storeCheckBox(bool& box, const char* setting, bool checked) {
    box = checked;
    m_ports.store.WriteSetting(setting, checked ? "1" : "0");
    enableDiscountControls();
    changed();
}

void ProgramCore::checkKedvClick(bool checked) {
    storeCheckBox(m_state.checkKedvChecked, "MatavFele", checked);
}

void ProgramCore::CheckJelezOraClick(bool checked) {
    storeCheckBox(m_state.CheckJelezOraChecked, "JelezzenOrat", checked);
}

void ProgramCore::checkJelezClick(bool checked) {
    storeCheckBox(m_state.checkJelezChecked, "Jelezzen", checked);
}

void ProgramCore::chbKedvHangClick(bool checked) {
    storeCheckBox(m_state.chbKedvHangChecked, "KedvHang", checked);
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
    if (m_state.connectionHandle == 0)
        refreshPeriodHeader();
    if (connectionActive())
        m_state.trayHint = "Költség   : " + m_state.lbJelenKoltseg + " Ft\rIdőtartam : " + m_state.lbOra + ":" +
                           m_state.lbPerc + ":" + m_state.lbMPerc + "\rFogadott  : " + m_state.lbBajtFogad +
                           " byte\rKüldött   : " + m_state.lbBajtKuld + " byte";
    else
        m_state.trayHint = "Nincs aktív kapcsolat";

    // The pictures by the traffic of the last second; the marks that were set are cleared.
    const bool sent = m_state.sentChanged;
    const bool received = m_state.receivedChanged;
    m_state.sentChanged = false;
    m_state.receivedChanged = false;
    if (sent && received) {
        m_state.trayPicture = 3;
        m_state.trafficPicture = TrafficPicture::Both;
    } else if (sent) {
        m_state.trayPicture = 1;
        m_state.trafficPicture = TrafficPicture::Sending;
    } else if (received) {
        m_state.trayPicture = 2;
        m_state.trafficPicture = TrafficPicture::Receiving;
    } else {
        m_state.trayPicture = connectionActive() ? 0 : 4;
        m_state.trafficPicture = TrafficPicture::None;
    }
    if (m_view)
        m_view->trayChanged();
}

bool ProgramCore::trayMenuOffered() {
    // While the restore password is asked, no menu command may bypass it.
    return m_ports.store.ReadSetting("JelszoMinim") == "0";
}

void ProgramCore::trayMenuAllapot() {
    bringWindowBack();
}

void ProgramCore::bringWindowBack() {
    m_state.trayVisible = false;
    m_state.mainWindowVisible = true;
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
