#pragma once

#include "ui/page.h"
#include "ui/widget_builders.h"

#include <QIcon>

#include <optional>
#include <vector>

class QLabel;
class QPushButton;

namespace vonalor {

// "Általános": the connection, its duration, traffic and addresses, and the hang-up button.
class GeneralPage final : public CorePage {
    Q_DISABLE_COPY_MOVE(GeneralPage)

public:
    explicit GeneralPage(ProgramCore& core, QWidget* parent = nullptr);

    Aspects watches() const override;
    void load(const MainWindowState& state) override;
    void render(const MainWindowState& state, Aspects aspects) override;

private:
    QLabel* m_status = nullptr;
    QLabel* m_connectionName = nullptr;
    QLabel* m_speed = nullptr;
    QLabel* m_sent = nullptr;
    QLabel* m_received = nullptr;
    QLabel* m_addresses = nullptr;
    ClockFields m_duration;
    QLabel* m_trafficPicture = nullptr;
    QPushButton* m_hangUp = nullptr;
    std::vector<QIcon> m_pictures;
    std::optional<TrayPicture> m_shownPicture;
};

} // namespace vonalor
