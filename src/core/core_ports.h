#pragma once

#include <filesystem>
#include <string>

namespace vonalor {

class Autostart;
class Browser;
class Clock;
class Dialogs;
class Net;
class ProgramLog;
class Ras;
class Shell;
class SettingsStore;
class Sound;
class SystemInfo;
class Timer;
class TimerService;

// What the program core needs from the system, bound once by the composition root.
struct CorePorts {
    std::filesystem::path home; // the program's folder: every file of the program lives here
    std::string programFolder;  // where the executable is (autostart, browser button)
    Clock& clock;
    TimerService& timers;
    SettingsStore& store;
    ProgramLog& log;
    Dialogs& dialogs;
    Sound& sound;
    Ras& ras;
    Autostart& autostart;
    SystemInfo& system;
    Net& net;
    Shell& shell;
    Browser& browser;
};

} // namespace vonalor
