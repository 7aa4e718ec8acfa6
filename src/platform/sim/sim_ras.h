#pragma once

#include "platform/ras.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vonalor {

class Clock;
class Timer;
class TimerService;

// The simulator's remote-access service.
//
// Its phonebook and devices come from a small text file in the data home, read anew on
// every call, so entries can be added while the program runs:
//
//   # comment
//   entry Otthon
//   device modem Standard 56000 bps Modem
//
// A missing file is created with two entries and one modem.
//
// Connections live on the clock it is given (virtual time in tests): one is set up for a
// number of seconds, then connected, carrying traffic at fixed rates, until it is dropped.
// A scenario drives them at given seconds after attach():
//
//   at 2 connect Otthon setup 3 speed 53333 send 600 receive 4800
//   at 40 disconnecting          the first connection reports "disconnected" while still listed
//   at 41 status-fails           its status call fails
//   at 95 drop                   the first connection goes away (or: drop NAME)
class SimRas final : public Ras {
public:
    SimRas(std::filesystem::path phonebookFile, const Clock& clock);
    ~SimRas() override;
    SimRas(const SimRas&) = delete;
    SimRas& operator=(const SimRas&) = delete;

    std::vector<std::string> entries() override;
    std::vector<RasDevice> devices() override;
    std::vector<RasConnection> activeConnections() override;
    std::uint16_t connectStatus(std::uint32_t handle) override;
    RasStatistics statistics(std::uint32_t handle) override;
    void resetStatistics(std::uint32_t handle) override;
    bool hangUp(std::uint32_t handle) override;
    bool reportsChanges() const override { return true; }
    // The phonebook file is watched (inotify on its folder) where the system allows it.
    bool reportsPhonebookChanges() const override { return m_watch >= 0; }
    int changeDescriptor() const override { return m_watch; }
    void processChanges() override;

    struct Traffic {
        std::uint64_t speed = 53'333;
        std::uint64_t sendRate = 600; // bytes per second
        std::uint64_t receiveRate = 4'800;
    };

    // Driving the connections directly (tests, the command line's session simulator).
    std::uint32_t connect(const std::string& name, int setupSeconds, Traffic traffic);
    std::uint32_t connect(const std::string& name, int setupSeconds) {
        return connect(name, setupSeconds, Traffic{});
    }
    // Drops the named connection, or the first one when the name is empty.
    void drop(const std::string& name = {});
    void setDisconnecting(const std::string& name = {});
    void setStatusFails(const std::string& name = {});

    // Reads a scenario; false with the line's number, its text and the problem when it cannot
    // be read (a number out of its range among them).
    bool loadScenario(const std::string& text, std::string* error);
    // Runs the scenario's events at their seconds from now, on the given timers.
    void attach(TimerService& timers);

    static constexpr const char* FileName = "sim-phonebook.txt";

    // The ranges of a scenario's numbers: ten years of seconds, a day's set-up, 10 Gbit/s.
    static constexpr std::int64_t LongestScenarioSeconds = 10LL * 365 * 24 * 3600;
    static constexpr int LongestSetupSeconds = 24 * 3600;
    static constexpr std::uint64_t HighestSpeed = 10'000'000'000;
    static constexpr std::uint64_t HighestByteRate = HighestSpeed / 8;

    // The entries and devices of a phonebook file's bytes.
    static void parsePhonebook(std::string_view bytes, std::vector<std::string>* entries,
                               std::vector<RasDevice>* devices);

private:
    struct Connection {
        std::uint32_t handle = 0;
        std::string name;
        std::int64_t dialledAtMs = 0;
        std::int64_t connectedAtMs = 0;
        Traffic traffic;
        bool disconnecting = false;
        bool statusFails = false;
        RasStatistics baseline;
    };
    struct Event {
        std::int64_t atMs = 0; // from attach()
        std::string verb;
        std::string name;
        int setup = 0;
        Traffic traffic;
    };

    void readPhonebook(std::vector<std::string>* entries, std::vector<RasDevice>* devices);
    Connection* find(std::uint32_t handle);
    Connection* findByName(const std::string& name);
    RasStatistics rawStatistics(const Connection& connection) const;
    std::int64_t nowMs() const;
    void runDueEvents();
    void scheduleTransition();

    std::filesystem::path m_file;
    const Clock& m_clock;
    std::vector<Connection> m_connections;
    std::uint32_t m_nextHandle = 0x10000;
    std::vector<Event> m_scenario;
    std::size_t m_nextEvent = 0;
    std::int64_t m_attachedAtMs = 0;
    Timer* m_eventTimer = nullptr;
    Timer* m_transitionTimer = nullptr;
    int m_watch = -1; // inotify on the phonebook's folder
};

} // namespace vonalor
