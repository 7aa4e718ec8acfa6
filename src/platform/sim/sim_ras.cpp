#include "platform/sim/sim_ras.h"

#include "platform/atomic_file.h"
#include "platform/clock.h"
#include "platform/timer_service.h"
#include "text/cp1250.h"

#include <algorithm>
#include <cstdint>
#include <sstream>

#include <sys/inotify.h>
#include <unistd.h>

namespace vonalor {

namespace {

const char* const defaultPhonebook =
    "# Vonalor simulator phonebook: one item per line, in the system's order.\n"
    "#   entry NAME          a phonebook entry\n"
    "#   device TYPE NAME    a device (TYPE: modem, isdn, vpn, ...)\n"
    "entry Otthon\n"
    "entry Munkahely\n"
    "device modem Standard 56000 bps Modem\n";

// A state code of the setting-up phase (below the connected state).
constexpr std::uint16_t settingUpState = 14;

std::string trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == ' ' || text.back() == '\t'))
        text.pop_back();
    std::size_t start = 0;
    while (start < text.size() && (text[start] == ' ' || text[start] == '\t'))
        ++start;
    return text.substr(start);
}

// A whole number of digits only; one too long for 64 bits reads as the largest, so that it is
// told as out of range rather than as no number.
std::optional<std::uint64_t> number(const std::string& word) {
    if (word.empty() || !std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : word) {
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (value > (UINT64_MAX - digit) / 10)
            return UINT64_MAX;
        value = value * 10 + digit;
    }
    return value;
}

// A timer's interval is an int of milliseconds; a later moment is reached in steps of a day,
// each of which looks again at what is due.
int timerStep(std::int64_t remainingMs) {
    constexpr std::int64_t longestStep = 24LL * 3600 * 1000;
    return static_cast<int>(std::clamp<std::int64_t>(remainingMs, 1, longestStep));
}

} // namespace

SimRas::SimRas(std::filesystem::path phonebookFile, const Clock& clock)
    : m_file(std::move(phonebookFile)), m_clock(clock) {
    std::error_code ec;
    if (!std::filesystem::exists(m_file, ec))
        writeFileAtomically(m_file, defaultPhonebook);
    // The file is replaced whole by editors and by the program itself: watch its folder for
    // the name arriving, changing or going.
    m_watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    const std::filesystem::path folder = m_file.has_parent_path() ? m_file.parent_path() : ".";
    if (m_watch >= 0 &&
        ::inotify_add_watch(m_watch, folder.c_str(),
                            IN_CLOSE_WRITE | IN_MOVED_TO | IN_CREATE | IN_DELETE | IN_MOVED_FROM) < 0) {
        ::close(m_watch);
        m_watch = -1;
    }
}

SimRas::~SimRas() {
    if (m_watch >= 0)
        ::close(m_watch);
}

void SimRas::processChanges() {
    alignas(inotify_event) char buffer[4096];
    bool phonebook = false;
    for (;;) {
        const ssize_t got = ::read(m_watch, buffer, sizeof buffer);
        if (got <= 0)
            break;
        for (ssize_t at = 0; at < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            if (event->len > 0 && m_file.filename() == event->name)
                phonebook = true;
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    if (phonebook)
        notifyPhonebookChange();
}

std::int64_t SimRas::nowMs() const {
    return toEpochMs(m_clock.now());
}

std::vector<std::string> SimRas::entries() {
    std::vector<std::string> result;
    readPhonebook(&result, nullptr);
    return result;
}

std::vector<RasDevice> SimRas::devices() {
    std::vector<RasDevice> result;
    readPhonebook(nullptr, &result);
    return result;
}

void SimRas::readPhonebook(std::vector<std::string>* entries, std::vector<RasDevice>* devices) {
    std::string bytes;
    if (readWholeFile(m_file, bytes))
        parsePhonebook(bytes, entries, devices);
}

void SimRas::parsePhonebook(std::string_view bytes, std::vector<std::string>* entries,
                            std::vector<RasDevice>* devices) {
    // Written by hand: UTF-8 usually, the Windows code page accepted too.
    std::istringstream lines(decodeFileText(bytes));
    std::string line;
    while (std::getline(lines, line)) {
        line = trimmed(line);
        if (line.empty() || line.front() == '#')
            continue;
        const std::size_t space = line.find(' ');
        const std::string word = line.substr(0, space);
        const std::string rest = space == std::string::npos ? std::string() : trimmed(line.substr(space + 1));
        if (word == "entry" && entries && !rest.empty()) {
            entries->push_back(rest);
        } else if (word == "device" && devices) {
            const std::size_t gap = rest.find(' ');
            if (gap != std::string::npos)
                devices->push_back({trimmed(rest.substr(gap + 1)), rest.substr(0, gap)});
        }
    }
}

std::vector<RasConnection> SimRas::activeConnections() {
    std::vector<RasConnection> result;
    for (const Connection& connection : m_connections)
        result.push_back({connection.handle, connection.name});
    return result;
}

SimRas::Connection* SimRas::find(std::uint32_t handle) {
    for (Connection& connection : m_connections) {
        if (connection.handle == handle)
            return &connection;
    }
    return nullptr;
}

SimRas::Connection* SimRas::findByName(const std::string& name) {
    if (m_connections.empty())
        return nullptr;
    if (name.empty())
        return &m_connections.front();
    for (Connection& connection : m_connections) {
        if (connection.name == name)
            return &connection;
    }
    return nullptr;
}

std::uint16_t SimRas::connectStatus(std::uint32_t handle) {
    const Connection* connection = find(handle);
    if (!connection || connection->statusFails)
        return rasstate::CallFailed;
    if (connection->disconnecting)
        return rasstate::Disconnected;
    return nowMs() < connection->connectedAtMs ? settingUpState : rasstate::Connected;
}

RasStatistics SimRas::rawStatistics(const Connection& connection) const {
    RasStatistics stats;
    const std::int64_t online = nowMs() - connection.connectedAtMs;
    if (online <= 0)
        return stats;
    // Whole seconds and the rest apart, so that a high rate over a long time does not overflow.
    const auto ms = static_cast<std::uint64_t>(online);
    auto bytes = [ms](std::uint64_t rate) { return rate * (ms / 1000) + rate * (ms % 1000) / 1000; };
    stats.bytesSent = bytes(connection.traffic.sendRate);
    stats.bytesReceived = bytes(connection.traffic.receiveRate);
    stats.speed = connection.traffic.speed;
    return stats;
}

RasStatistics SimRas::statistics(std::uint32_t handle) {
    const Connection* connection = find(handle);
    if (!connection)
        return {};
    RasStatistics stats = rawStatistics(*connection);
    stats.bytesSent -= std::min(stats.bytesSent, connection->baseline.bytesSent);
    stats.bytesReceived -= std::min(stats.bytesReceived, connection->baseline.bytesReceived);
    return stats;
}

void SimRas::resetStatistics(std::uint32_t handle) {
    if (Connection* connection = find(handle))
        connection->baseline = rawStatistics(*connection);
}

std::uint32_t SimRas::connect(const std::string& name, int setupSeconds, Traffic traffic) {
    Connection connection;
    connection.handle = m_nextHandle++;
    connection.name = name;
    connection.dialledAtMs = nowMs();
    connection.connectedAtMs =
        connection.dialledAtMs + std::clamp(setupSeconds, 0, LongestSetupSeconds) * 1000LL;
    connection.traffic = traffic;
    m_connections.push_back(connection);
    scheduleTransition();
    notifyChange();
    return connection.handle;
}

void SimRas::drop(const std::string& name) {
    if (const Connection* connection = findByName(name)) {
        const std::uint32_t handle = connection->handle;
        std::erase_if(m_connections, [handle](const Connection& c) { return c.handle == handle; });
        notifyChange();
    }
}

bool SimRas::hangUp(std::uint32_t handle) {
    const auto removed =
        std::erase_if(m_connections, [handle](const Connection& c) { return c.handle == handle; });
    if (removed > 0)
        notifyChange();
    return removed > 0;
}

void SimRas::setDisconnecting(const std::string& name) {
    if (Connection* connection = findByName(name)) {
        connection->disconnecting = true;
        notifyChange();
    }
}

void SimRas::setStatusFails(const std::string& name) {
    if (Connection* connection = findByName(name)) {
        connection->statusFails = true;
        notifyChange();
    }
}

bool SimRas::loadScenario(const std::string& text, std::string* error) {
    std::vector<Event> events;
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        line = trimmed(line.substr(0, line.find('#')));
        if (line.empty())
            continue;
        auto fail = [&](const std::string& problem) {
            if (error)
                *error = "line " + std::to_string(lineNumber) + " (\"" + line + "\"): " + problem;
            return false;
        };
        // A value out of its range is refused rather than wrapped round into another one.
        auto inRange = [](const std::string& word, std::uint64_t max) -> std::optional<std::uint64_t> {
            const auto value = number(word);
            return value && *value <= max ? value : std::nullopt;
        };
        std::istringstream words(line);
        std::string at, seconds, verb;
        words >> at >> seconds >> verb;
        if (at != "at" || !number(seconds))
            return fail("expected \"at SECONDS ...\"");
        const auto when = inRange(seconds, LongestScenarioSeconds);
        if (!when)
            return fail("at takes seconds from 0 to " + std::to_string(LongestScenarioSeconds));
        Event event;
        event.atMs = static_cast<std::int64_t>(*when) * 1000;
        event.verb = verb;
        std::vector<std::string> rest;
        for (std::string word; words >> word;)
            rest.push_back(word);
        if (verb == "connect") {
            // The name runs up to the first option word.
            struct Option {
                const char* name;
                std::uint64_t max;
            };
            static constexpr Option options[] = {{"setup", LongestSetupSeconds},
                                                 {"speed", HighestSpeed},
                                                 {"send", HighestByteRate},
                                                 {"receive", HighestByteRate}};
            auto findOption = [](const std::string& word) {
                return std::find_if(std::begin(options), std::end(options),
                                    [&word](const Option& option) { return word == option.name; });
            };
            std::size_t i = 0;
            for (; i < rest.size() && findOption(rest[i]) == std::end(options); ++i)
                event.name += (event.name.empty() ? "" : " ") + rest[i];
            if (event.name.empty())
                return fail("connect needs a connection name");
            for (; i < rest.size(); i += 2) {
                const auto option = findOption(rest[i]);
                if (option == std::end(options))
                    return fail("unknown option " + rest[i]);
                const auto value = i + 1 < rest.size() ? inRange(rest[i + 1], option->max) : std::nullopt;
                if (!value)
                    return fail(rest[i] + " takes a whole number from 0 to " + std::to_string(option->max));
                if (rest[i] == "setup")
                    event.setup = static_cast<int>(*value);
                else if (rest[i] == "speed")
                    event.traffic.speed = *value;
                else if (rest[i] == "send")
                    event.traffic.sendRate = *value;
                else
                    event.traffic.receiveRate = *value;
            }
        } else if (verb == "drop" || verb == "disconnecting" || verb == "status-fails") {
            for (const std::string& word : rest)
                event.name += (event.name.empty() ? "" : " ") + word;
        } else {
            return fail("unknown action \"" + verb + "\" (connect, drop, disconnecting, status-fails)");
        }
        events.push_back(std::move(event));
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const Event& a, const Event& b) { return a.atMs < b.atMs; });
    m_scenario = std::move(events);
    m_nextEvent = 0;
    return true;
}

void SimRas::attach(TimerService& timers) {
    m_attachedAtMs = nowMs();
    m_transitionTimer = &timers.createTimer("SimRasTransitions", 1, false, [this] {
        notifyChange();
        scheduleTransition();
    });
    if (m_scenario.empty())
        return;
    m_eventTimer = &timers.createTimer("SimRasScenario", 1, false, [this] { runDueEvents(); });
    runDueEvents();
}

void SimRas::scheduleTransition() {
    // A connection that finishes setting up reports it, as a real service does.
    if (!m_transitionTimer)
        return;
    const std::int64_t now = nowMs();
    std::int64_t next = 0;
    for (const Connection& connection : m_connections) {
        if (connection.connectedAtMs > now && (next == 0 || connection.connectedAtMs < next))
            next = connection.connectedAtMs;
    }
    if (next == 0) {
        m_transitionTimer->setEnabled(false);
        return;
    }
    m_transitionTimer->setInterval(timerStep(next - now));
    m_transitionTimer->setEnabled(true);
}

void SimRas::runDueEvents() {
    const std::int64_t elapsed = nowMs() - m_attachedAtMs;
    while (m_nextEvent < m_scenario.size() && m_scenario[m_nextEvent].atMs <= elapsed) {
        const Event& event = m_scenario[m_nextEvent++];
        if (event.verb == "connect")
            connect(event.name, event.setup, event.traffic);
        else if (event.verb == "drop")
            drop(event.name);
        else if (event.verb == "disconnecting")
            setDisconnecting(event.name);
        else if (event.verb == "status-fails")
            setStatusFails(event.name);
    }
    if (!m_eventTimer)
        return;
    if (m_nextEvent < m_scenario.size()) {
        m_eventTimer->setInterval(timerStep(m_scenario[m_nextEvent].atMs - elapsed));
        m_eventTimer->setEnabled(true);
    } else {
        m_eventTimer->setEnabled(false);
    }
}

} // namespace vonalor
