#pragma once

#include "core/program_core.h"

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QMenu;
class QSystemTrayIcon;
class QTabWidget;

namespace vonalor {

class LogViewerPage;
class Page;
class PasswordPrompt;
class Timer;
class Tray;

// The main window: a frame around the pages that tells each the aspects it shows, and the
// window's own events to the program core.
class TfrmVonalor final : public QWidget, public CoreView {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfrmVonalor)

public:
    // Runs the core's FormCreate; `onFailure` shows a conversion failure that ended it.
    TfrmVonalor(ProgramCore& core, std::function<void(const std::string&)> onFailure,
                QWidget* parent = nullptr);
    ~TfrmVonalor() override;

    // Closes as the user's close does, with the close question answered Yes (a signal, a logout).
    void closeAnsweringYes();

    QSystemTrayIcon* trayIcon() const;
    QMenu* trayMenu() const;
    // The picture the tray icon shows now (0 to 4).
    int trayPicture() const;
    QTabWidget* mainTabs() const { return m_pages; }
    QTabWidget* settingsTabs() const { return m_settingsPages; }

    // CoreView
    void changed(Aspects aspects) override;
    bool showsTrafficLive() const override { return true; }
    void showMainWindow() override;
    void hideMainWindow() override;
    void showHintBubble(const std::string& text) override;
    void closeHintBubble() override;
    bool askRestorePassword() override;
    void showBalloon(const std::string& title, const std::string& text, int seconds) override;
    void bringToForeground() override;
    void processEvents() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void render(Aspects aspects);
    void buildPages();
    QWidget* buildSettingsPages();
    template <typename P> P* addPage(QTabWidget* tabs, const QString& caption);

    ProgramCore& m_core;
    std::function<void(const std::string&)> m_onFailure;
    bool m_answerYes = false;
    bool m_rendering = false;
    // Five renders a second keep the traffic figures live; a hundred would keep a core busy
    // painting. The traffic waits for this timer, on the program's own timers.
    Timer* m_trafficRender = nullptr;

    QTabWidget* m_pages = nullptr;
    QTabWidget* m_settingsPages = nullptr;
    std::vector<Page*> m_pageList;
    LogViewerPage* m_logViewer = nullptr;
    Tray* m_tray = nullptr;
    PasswordPrompt* m_restorePrompt = nullptr;
};

} // namespace vonalor
