#include "ui/qt_timer_service.h"

#include "platform/paced_timer.h"

#include <QDateTime>
#include <QTimer>

namespace vonalor {

// The pacing rules of PacedTimer on a QTimer.
class QtTimerService::QtTimer final : public PacedTimer {
public:
    QtTimer(std::string name, int interval, bool enabled, std::function<void()> onTick)
        : PacedTimer(std::move(name), interval, enabled, std::move(onTick)) {
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] {
            const bool changes = periodChangesAfterTick();
            tick();
            if (changes)
                rearm();
        });
        rearm();
    }

private:
    void rearm() override {
        const auto period = nextPeriod(QDateTime::currentMSecsSinceEpoch());
        if (!period) {
            m_timer.stop();
            return;
        }
        // Timers of one second start together and must keep their order: precise up to a second.
        m_timer.setTimerType(interval() <= 1000 ? Qt::PreciseTimer : Qt::CoarseTimer);
        // A coarse timer is aligned anew each second; the others repeat without drifting.
        m_timer.setSingleShot(coarse() && interval() < 1000);
        m_timer.start(*period);
    }

    QTimer m_timer;
};

QtTimerService::QtTimerService() = default;
QtTimerService::~QtTimerService() = default;

Timer& QtTimerService::createTimer(std::string name, int intervalMs, bool enabled,
                                   std::function<void()> onTick) {
    m_timers.push_back(std::make_unique<QtTimer>(std::move(name), intervalMs, enabled, std::move(onTick)));
    return *m_timers.back();
}

} // namespace vonalor
