#include "ui/qt_timer_service.h"

#include <QDateTime>
#include <QTimer>

namespace vonalor {

// A QTimer that sleeps while its owner says there is nothing to do, and that can wake once
// a second, just after the boundary, for handlers whose effect only shows at whole seconds.
class QtTimerService::QtTimer final : public Timer {
public:
    QtTimer(std::string name, int interval, bool enabled, std::function<void()> onTick)
        : m_name(std::move(name)), m_interval(interval), m_enabled(enabled), m_onTick(std::move(onTick)) {
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { tick(); });
        reschedule();
    }

    const std::string& name() const override { return m_name; }
    int interval() const override { return m_interval; }
    void setInterval(int ms) override {
        m_interval = ms;
        reschedule();
    }
    bool enabled() const override { return m_enabled; }
    void setEnabled(bool on) override {
        m_enabled = on;
        reschedule();
    }
    void setDormant(bool dormant) override {
        if (dormant == m_dormant)
            return;
        m_dormant = dormant;
        // Woken: the first tick comes within the interval, the pace applies after it.
        m_woken = !dormant;
        reschedule();
    }
    void setPace(int ms) override {
        if (ms == m_pace)
            return;
        m_pace = ms;
        reschedule();
    }
    int pace() const override { return m_pace; }
    void setCoarse(bool coarse) override {
        if (coarse == m_coarse)
            return;
        m_coarse = coarse;
        reschedule();
    }

    bool dormant() const override { return m_dormant; }
    bool coarse() const override { return m_coarse; }

private:
    bool paced() const { return m_coarse && m_interval < 1000; }

    void reschedule() {
        if (!m_enabled || m_dormant) {
            m_timer.stop();
            return;
        }
        if (paced()) {
            const qint64 now = QDateTime::currentMSecsSinceEpoch();
            m_timer.setTimerType(Qt::PreciseTimer);
            m_timer.setSingleShot(true);
            m_timer.start(static_cast<int>(1000 - now % 1000) + 2);
            return;
        }
        // Timers of one second start together and must keep their order: precise up to a second.
        m_timer.setTimerType(m_interval <= 1000 ? Qt::PreciseTimer : Qt::CoarseTimer);
        m_timer.setSingleShot(false);
        m_timer.start(m_woken || m_pace <= m_interval ? m_interval : m_pace);
    }

    void tick() {
        if (m_woken) {
            m_woken = false;
            if (m_pace > m_interval)
                reschedule();
        }
        if (paced())
            reschedule();
        if (m_onTick)
            m_onTick();
    }

    std::string m_name;
    int m_interval;
    bool m_enabled;
    bool m_dormant = false;
    bool m_coarse = false;
    bool m_woken = false;
    int m_pace = 0;
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
