#pragma once

#include "platform/ras.h"
#include "tasks/list_view_file.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vonalor {

// The main window's tabs, in their order.
enum class MainTab { General, Tariffs, Costs, Download, Connections, Settings, Log, About };
inline constexpr int MainTabCount = 8;

// The settings pages, in their order.
enum class SettingsTab {
    Tasks,
    Diagram,
    Hotkeys,
    Config,
    Special,
    Special2,
    Special3,
    Maintenance,
    Security
};
inline constexpr int SettingsTabCount = 9;

// The tray icon's picture by the last second's traffic; the "Forgalom" group shows the same
// picture, and nothing while quiet.
enum class TrayPicture { Quiet = 0, Sending = 1, Receiving = 2, Both = 3, NoConnection = 4 };
inline bool showsTraffic(TrayPicture picture) {
    return picture != TrayPicture::Quiet && picture != TrayPicture::NoConnection;
}

enum class ByteUnit { Mbyte, Kbyte, Byte };

// Each part of the window's state has one owner that writes it; every other part only reads.
// Texts stay texts where later steps read them back.

// The connection watch: the session and its traffic.
struct SessionState {
    std::string lbKapcsAllap = "Nincs Kapcsolat"; // connection state; "Nincs Kapcsolat" means none
    std::string lbKapcsNeve = "   -  ";           // active connection's name
    std::uint32_t connectionHandle = 0;
    std::string connectionName;
    std::uint16_t lastStateCode = 0; // never reset when a connection ends
    std::string startTime;
    std::string startDate;
    bool connectedFlag = false;
    std::string lbKapcsSebes = "0 bps";
    std::string lbBajtKuld = "0", lbBajtFogad = "0";
    std::string sentActivity, receivedActivity; // plain counts behind the tray's activity pictures
    bool sentChanged = false, receivedChanged = false;
    std::string LabelIP = "-";
    std::optional<int> sessionDayPart;     // the band the session began in
    bool btnKapcsBontEnabled = false;      // hang-up button and the menus' hang-up items
    bool connectionSettingsEnabled = true; // choosers, phonebook list, tariff group, connection buttons
};

// The duration counter's clock.
struct DurationState {
    std::string lbOra = "00", lbPerc = "00", lbMPerc = "00";
};

// The running cost of the session.
struct CostState {
    std::string runningCost = "0"; // the session's interval costs, without the fee
    std::string tariffName;        // the tariff in force during a session
    std::string lbJelenKoltseg = "0";
    // The session's cost with its fee as last counted: what the books receive. The display
    // shows the bare tariff for the first second of the second minute.
    std::string bookedCost = "0";
    bool moneyWarningGiven = false;
};

// The "Költségek" page: the period's totals and the bill.
struct PeriodTotalsState {
    std::string lbOsszKoltseg = "0";
    std::string lbOsszOra = "00", lbOsszPerc = "00", lbOsszMPerc = "00";
    std::string lbszamla = "0";
    std::string lbOsszKuldBajt = "0", lbOsszFogadBajt = "0";
    std::string lbHonap;
    std::string lbKezdDat; // billing period shown on the cost page
    std::string lbVegDat;
    std::string costChooserText; // the connection chosen in comboKapcsKolt
    bool byteUnitsEnabled = false;
    ByteUnit byteUnit = ByteUnit::Mbyte;
    std::string costGroupCaption;
};

// The "Kedvezmény" group of the "Konfiguráció" page.
struct DiscountState {
    bool checkKedvChecked = false;
    bool CheckJelezOraChecked = false;
    bool checkJelezChecked = false;
    bool chbKedvHangChecked = false;
    bool warningOptionsEnabled = false; // checkJelez, chbKedvHang
    bool discountMoneyEnabled = true;   // comboKedvKapcs, edKedv
    bool discountHoursEnabled = true;   // ComboKedvOraKapcs, SpinEdit1
    int billingDayIndex = -1;           // comboTol: DatumTolIg - 1
};

// The companion window's figures until it shows them itself.
struct CompanionState {
    std::string name = "   ----   ";
    std::string cost = "0";
    std::string hours = "00", minutes = "00", seconds = "00";
    bool shown = false;
    int left = 0, top = 0;
    bool dialItemsEnabled = true;
    bool rdbtnJelenChecked = false; // shows the current session
    bool rdbtnOsszChecked = false;  // shows the totals
};

struct TrayState {
    std::string hint = "Nincs aktív kapcsolat";
    TrayPicture picture = TrayPicture::NoConnection;
    bool visible = false;
};

// The main window itself: title, visibility, tabs.
struct WindowState {
    std::string windowTitle = "Vonalor";
    bool mainWindowVisible = false;
    bool taskbarButtonVisible = true;
    bool firstShowMark = false;
    bool helpMode = false;
    bool restorePasswordMark = false;
    bool diagramButtonEnabled = true;
    MainTab mainTab = MainTab::General;
    SettingsTab settingsTab = SettingsTab::Tasks;
    std::string tariffGroupCaption;
    std::string tariffChooserText; // the connection chosen in comboKapcsolatok
};

// The phonebook as every chooser lists it.
struct PhonebookState {
    std::vector<std::string> entries; // lbKapcsolatok and every connection chooser
    std::vector<std::string> known;   // what the connection list timer compares against
    std::vector<RasDevice> devices;   // the device chooser of the connections page
};

struct HotkeyState {
    std::vector<std::string> webAddresses; // the web hotkey's address chooser
    int webAddressIndex = 0;
    int dialHotkeyLetter = 0;
    int dialHotkeyEntry = 0;
    int showHotkeyLetter = 0;
    int hangUpHotkeyLetter = 0;
    int webHotkeyLetter = 0;
};

struct DownloadState {
    std::string lbEltelIdo = "00:00:00"; // elapsed time of a download
};

struct BrowserState {
    std::vector<std::string> blockedList;
};

struct TaskState {
    ListRows list;
};

struct MainWindowState {
    SessionState session;
    DurationState duration;
    CostState cost;
    PeriodTotalsState totals;
    DiscountState discount;
    CompanionState companion;
    TrayState tray;
    WindowState window;
    PhonebookState phonebook;
    HotkeyState hotkeys;
    DownloadState download;
    BrowserState browser;
    TaskState tasks;
};

} // namespace vonalor
