#pragma once

#include "core/main_window_state.h"

#include <QIcon>
#include <QObject>

#include <optional>
#include <vector>

class QAction;
class QMenu;
class QSystemTrayIcon;
class QWidget;

namespace vonalor {

class ProgramCore;

// The tray's pictures in the order of TrayPicture: a connection plug in the colours of what
// moved in the last second.
std::vector<QIcon> trayPictures();

// The tray icon and its menu.
class Tray final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tray)

public:
    // `window` is closed by the menu's "Bezárás", as the user's own close.
    explicit Tray(ProgramCore& core, QWidget* window);

    // The hint, the picture and the visibility.
    void render(const TrayState& state);
    void showBalloon(const QString& title, const QString& text, int seconds);

    QSystemTrayIcon* icon() const { return m_icon; }
    QMenu* menu() const { return m_menu; }
    std::optional<TrayPicture> shownPicture() const { return m_shownPicture; }

private:
    ProgramCore& m_core;
    std::vector<QIcon> m_pictures;
    QSystemTrayIcon* m_icon = nullptr;
    QMenu* m_menu = nullptr;
    QAction* m_hangUp = nullptr;
    std::optional<TrayPicture> m_shownPicture;
};

} // namespace vonalor
