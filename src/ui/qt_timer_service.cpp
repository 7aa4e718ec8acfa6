#include "ui/qt_timer_service.h"

#include <QTimer>

namespace vonalor {

class QtTimerService::QtTimer final : public Timer {
public:
    QtTimer(std::string name, int interval, bool enabled, std::function<void()> onTick)
        : m_name(std::move(name)), m_onTick(std::move(onTick)) {
        m_timer.setTimerType(interval < 1000 ? Qt::PreciseTimer : Qt::CoarseTimer);
        m_timer.setInterval(interval);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] {
            if (m_onTick)
                m_onTick();
        });
        if (enabled)
            m_timer.start();
    }

    const std::string& name() const override { return m_name; }
    int interval() const override { return m_timer.interval(); }
    void setInterval(int ms) override {
        m_timer.setInterval(ms);
        if (m_timer.isActive())
            m_timer.start();
    }
    bool enabled() const override { return m_timer.isActive(); }
    void setEnabled(bool on) override {
        if (on)
            m_timer.start();
        else
            m_timer.stop();
    }

private:
    std::string m_name;
    std::function<void()> m_onTick;
    QTimer m_timer;
};

QtTimerService::QtTimerService() = default;
QtTimerService::~QtTimerService() = default;

Timer& QtTimerService::createTimer(std::string name, int intervalMs, bool enabled, std::function<void()> onTick) {
    m_timers.push_back(std::make_unique<QtTimer>(std::move(name), intervalMs, enabled, std::move(onTick)));
    return *m_timers.back();
}

} // namespace vonalor
