#include "platform/linux/event_loop.h"

#include "platform/paced_timer.h"

#include <algorithm>
#include <cerrno>
#include <climits>
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

// The pacing rules of PacedTimer on the loop's steady clock.
class EventLoop::LoopTimer final : public PacedTimer {
public:
    LoopTimer(std::string name, int interval, bool enabled, std::function<void()> onTick)
        : PacedTimer(std::move(name), interval, enabled, std::move(onTick)) {
        rearm();
    }

    std::optional<SteadyClock::time_point> due() const { return m_due; }
    void fire() {
        const bool changes = periodChangesAfterTick();
        // The next period counts from when this one was due, so a steady timer does not drift.
        if (const auto period = nextPeriod(wallMs()); period && m_due && !changes)
            m_due = std::max(SteadyClock::now(), *m_due) + std::chrono::milliseconds(*period);
        tick();
        if (changes)
            rearm();
    }

private:
    void rearm() override {
        const auto period = nextPeriod(wallMs());
        m_due =
            period ? std::optional(SteadyClock::now() + std::chrono::milliseconds(*period)) : std::nullopt;
    }

    std::optional<SteadyClock::time_point> m_due;
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
            // Rounded up: poll() rounded down would wake just before the due time and then
            // spin with a zero timeout until it comes.
            const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*nextDue - SteadyClock::now());
            timeout = static_cast<int>(std::clamp<std::int64_t>(wait.count(), 0, INT_MAX));
        }
        std::vector<pollfd> fds;
        for (const Watch& w : m_watches)
            fds.push_back({w.fd, POLLIN, 0});
        const int ready = ::poll(fds.data(), fds.size(), timeout);
        ++m_wakeUps;
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
