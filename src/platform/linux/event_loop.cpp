#include "platform/linux/event_loop.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <optional>
#include <poll.h>

namespace vonalor {

namespace {

using SteadyClock = std::chrono::steady_clock;

std::int64_t wallMs() {
    timespec ts{};
    ::clock_gettime(CLOCK_REALTIME, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1'000'000;
}

} // namespace

class EventLoop::LoopTimer final : public Timer {
public:
    LoopTimer(std::string name, int interval, bool enabled, std::function<void()> onTick)
        : m_name(std::move(name)), m_interval(std::max(1, interval)), m_enabled(enabled), m_onTick(std::move(onTick)) {
        restart();
    }

    const std::string& name() const override { return m_name; }
    int interval() const override { return m_interval; }
    void setInterval(int ms) override {
        m_interval = std::max(1, ms);
        restart();
    }
    bool enabled() const override { return m_enabled; }
    void setEnabled(bool on) override {
        m_enabled = on;
        restart();
    }
    void setDormant(bool dormant) override {
        if (m_dormant && !dormant) {
            m_woken = true;
            m_due = SteadyClock::now() + std::chrono::milliseconds(m_interval);
        }
        m_dormant = dormant;
    }
    void setCoarse(bool coarse) override {
        m_coarse = coarse;
        restart();
    }
    void setPace(int ms) override { m_pace = ms; }
    bool dormant() const override { return m_dormant; }
    bool coarse() const override { return m_coarse; }
    int pace() const override { return m_pace; }

    std::optional<SteadyClock::time_point> due() const {
        if (!m_enabled || m_dormant)
            return std::nullopt;
        return m_due;
    }
    void fire() {
        schedule(false);
        if (m_onTick)
            m_onTick();
    }

private:
    void restart() { schedule(true); }
    void schedule(bool fresh) {
        const auto now = SteadyClock::now();
        if (m_coarse && m_interval < 1000) {
            // Just after the next whole second of the wall clock.
            m_due = now + std::chrono::milliseconds(1000 - wallMs() % 1000 + 2);
            return;
        }
        int step = m_interval;
        if (!m_woken && m_pace > m_interval)
            step = m_pace;
        m_woken = false;
        m_due = (fresh ? now : std::max(now, m_due)) + std::chrono::milliseconds(step);
    }

    std::string m_name;
    int m_interval;
    bool m_enabled;
    bool m_dormant = false;
    bool m_coarse = false;
    bool m_woken = false;
    int m_pace = 0;
    SteadyClock::time_point m_due{};
    std::function<void()> m_onTick;
};

EventLoop::EventLoop() = default;
EventLoop::~EventLoop() = default;

Timer& EventLoop::createTimer(std::string name, int intervalMs, bool enabled, std::function<void()> onTick) {
    m_timers.push_back(std::make_unique<LoopTimer>(std::move(name), intervalMs, enabled, std::move(onTick)));
    return *m_timers.back();
}

void EventLoop::watch(int fd, std::function<void()> onReadable) {
    m_watches.push_back({fd, std::move(onReadable)});
}

void EventLoop::quit(int code) {
    m_exitCode = code;
    m_running = false;
}

int EventLoop::run() {
    m_running = true;
    while (m_running) {
        // The timer due first (ties: the one created first).
        LoopTimer* next = nullptr;
        std::optional<SteadyClock::time_point> nextDue;
        for (const auto& timer : m_timers) {
            const auto due = timer->due();
            if (due && (!nextDue || *due < *nextDue)) {
                nextDue = due;
                next = timer.get();
            }
        }
        int timeout = -1;
        if (nextDue) {
            const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(*nextDue - SteadyClock::now());
            timeout = static_cast<int>(std::max<std::int64_t>(0, wait.count()));
        }
        std::vector<pollfd> fds;
        for (const Watch& w : m_watches)
            fds.push_back({w.fd, POLLIN, 0});
        const int ready = ::poll(fds.data(), fds.size(), timeout);
        if (ready < 0 && errno != EINTR)
            return 1;
        if (ready > 0) {
            for (std::size_t i = 0; i < fds.size() && m_running; ++i) {
                if (fds[i].revents & (POLLIN | POLLHUP))
                    m_watches[i].onReadable();
            }
            continue;
        }
        if (next && next->due() && *next->due() <= SteadyClock::now())
            next->fire();
    }
    return m_exitCode;
}

} // namespace vonalor
