#pragma once

#include "platform/timer_service.h"

#include <memory>
#include <vector>

namespace vonalor {

// Timers on the Qt event loop.
class QtTimerService final : public TimerService {
public:
    QtTimerService();
    ~QtTimerService() override;
    Timer& createTimer(std::string name, int intervalMs, bool enabled, std::function<void()> onTick) override;

private:
    class QtTimer;
    std::vector<std::unique_ptr<QtTimer>> m_timers;
};

} // namespace vonalor
