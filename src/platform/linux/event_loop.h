#pragma once

#include "platform/timer_service.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace vonalor {

// Timers and file descriptors on the real clock without a window system: the loop sleeps in
// poll() until the next timer is due or a descriptor can be read. Dormant timers do not wake
// it; coarse ones wake just after each second; paced ones at their pace.
class EventLoop final : public TimerService {
public:
    EventLoop();
    ~EventLoop() override;

    Timer& createTimer(std::string name, int intervalMs, bool enabled, std::function<void()> onTick) override;
    // Calls `onReadable` whenever the descriptor has data.
    void watch(int fd, std::function<void()> onReadable);

    // Runs until quit(); returns the code given to it.
    int run();
    void quit(int code = 0);

    // How many times the loop has woken (from poll()); lets tests see that it sleeps.
    std::uint64_t wakeUps() const { return m_wakeUps; }

private:
    class LoopTimer;
    struct Watch {
        int fd;
        std::function<void()> onReadable;
    };

    std::vector<std::unique_ptr<LoopTimer>> m_timers;
    std::vector<Watch> m_watches;
    bool m_running = false;
    int m_exitCode = 0;
    std::uint64_t m_wakeUps = 0;
};

} // namespace vonalor
