#pragma once

#include <string_view>

namespace vonalor::setting {

// The program's own settings by name (values of the program key). Flags are "1" and "0";
// `SettingsStore::readFlag` reads one as on only when it is "1", `readNotOff` as on unless it
// is "0" (the behaviour checks some flags one way and some the other).

// Start-up and the main window.
inline constexpr std::string_view ElsoInditas = "ElsoInditas"; // first start still to be done
inline constexpr std::string_view Ujraindit = "Ujraindit";     // a restart is in progress
inline constexpr std::string_view IndulMin = "IndulMin";       // start hidden in the tray
inline constexpr std::string_view Elrejtes = "Elrejtes";       // hide the program entirely
inline constexpr std::string_view JelszoMinim = "JelszoMinim"; // password to restore the window
inline constexpr std::string_view FoablaknalAktFul = "FoablaknalAktFul";
inline constexpr std::string_view BeallitasnalAktFul = "BeallitasnalAktFul";
inline constexpr std::string_view Helyetesit = "Helyetesit"; // the program's own connected balloon

// The companion window.
inline constexpr std::string_view KiseroAblak = "KiseroAblak";     // shown during connections
inline constexpr std::string_view KiseroJelOssz = "KiseroJelOssz"; // 1: the session's figures, 2: the totals

// Allowances.
inline constexpr std::string_view MatavFele = "MatavFele";       // a money allowance is on
inline constexpr std::string_view JelezzenOrat = "JelezzenOrat"; // an hour allowance is on
inline constexpr std::string_view Jelezzen = "Jelezzen";         // warn when one runs out
inline constexpr std::string_view KedvHang = "KedvHang";         // with a sound

// The billing period.
inline constexpr std::string_view KezdoDatum = "KezdoDatum";
inline constexpr std::string_view VegDatum = "VegDatum";
inline constexpr std::string_view DatumTolIg = "DatumTolIg"; // the billing day

// The browser.
inline constexpr std::string_view AutBong = "AutBong";       // open the start page when connected
inline constexpr std::string_view AutoCookie = "AutoCookie"; // empty the cache when disconnected

} // namespace vonalor::setting
