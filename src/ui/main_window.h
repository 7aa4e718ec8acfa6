#pragma once

#include "core/program_core.h"

#include <QIcon>
#include <QWidget>

#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QMenu;
class QSpinBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSystemTrayIcon;
class QTabWidget;
class QTreeWidget;

namespace vonalor {

class LogViewerPage;
class PasswordPrompt;

// The main window: renders the program core and forwards the user's actions to it.
class TfrmVonalor final : public QWidget, public CoreView {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfrmVonalor)

public:
    // Runs the core's FormCreate; `onFailure` shows a conversion failure that ended it.
    TfrmVonalor(ProgramCore& core, std::function<void(const std::string&)> onFailure, QWidget* parent = nullptr);
    ~TfrmVonalor() override;

    // Closes as the user's close does, with the close question answered Yes (a signal, a logout).
    void closeAnsweringYes();

    QSystemTrayIcon* trayIcon() const { return m_tray; }
    QMenu* trayMenu() const { return m_trayMenu; }
    // The picture the tray icon shows now (0 to 4).
    int trayPicture() const { return m_shownTrayPicture ? static_cast<int>(*m_shownTrayPicture) : -1; }
    QTabWidget* mainTabs() const { return m_pages; }
    QTabWidget* settingsTabs() const { return m_settingsPages; }

    // CoreView
    void changed(Aspects aspects) override;
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
    void stateChanged();
    void trafficChanged();
    void trayChanged();
    void phonebookChanged();
    void buildPages();
    void buildTray();
    QWidget* buildGeneralPage();
    QWidget* buildSettingsPage();
    QWidget* buildDiscountGroup(QWidget* parent);
    void fillConnectionChoosers();
    void refreshProgramLog();

    ProgramCore& m_core;
    std::function<void(const std::string&)> m_onFailure;
    bool m_answerYes = false;
    bool m_rendering = false;
    bool m_renderPending = false;

    QTabWidget* m_pages = nullptr;
    QTabWidget* m_settingsPages = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_connectionName = nullptr;
    QLabel* m_speed = nullptr;
    QLabel* m_sent = nullptr;
    QLabel* m_received = nullptr;
    QLabel* m_addresses = nullptr;
    QLabel* m_hours = nullptr;
    QLabel* m_minutes = nullptr;
    QLabel* m_seconds = nullptr;
    QPushButton* m_hangUp = nullptr;
    QLabel* m_currentCost = nullptr;
    QLabel* m_totalCost = nullptr;
    QLabel* m_bill = nullptr;
    QLabel* m_totalHours = nullptr;
    QLabel* m_totalMinutes = nullptr;
    QLabel* m_totalSeconds = nullptr;
    QLabel* m_totalSent = nullptr;
    QLabel* m_totalReceived = nullptr;
    QLabel* m_month = nullptr;
    QGroupBox* m_discountGroup = nullptr;
    QCheckBox* m_checkKedv = nullptr;
    QCheckBox* m_checkJelezOra = nullptr;
    QCheckBox* m_checkJelez = nullptr;
    QCheckBox* m_chbKedvHang = nullptr;
    QComboBox* m_comboKedvKapcs = nullptr;
    QComboBox* m_comboKedvOraKapcs = nullptr;
    QLineEdit* m_edKedv = nullptr;
    QSpinBox* m_spinEdit1 = nullptr;
    QWidget* m_tariffEditing = nullptr;
    QGroupBox* m_tariffGroup = nullptr;
    QGroupBox* m_costGroup = nullptr;
    QLabel* m_periodStart = nullptr;
    QLabel* m_periodEnd = nullptr;
    QLabel* m_elapsed = nullptr;
    QListWidget* m_phonebookList = nullptr;
    QComboBox* m_devices = nullptr;
    std::vector<QComboBox*> m_connectionChoosers;
    QComboBox* m_adjustChooser = nullptr;
    QComboBox* m_webAddresses = nullptr;
    QComboBox* m_dialLetter = nullptr;
    QComboBox* m_billingDay = nullptr;
    QPushButton* m_diagramButton = nullptr;
    QRadioButton* m_companionCurrent = nullptr;
    QRadioButton* m_companionTotals = nullptr;
    QTreeWidget* m_taskList = nullptr;
    QTreeWidget* m_programLog = nullptr;
    QSystemTrayIcon* m_tray = nullptr;
    QMenu* m_trayMenu = nullptr;
    QAction* m_trayHangUp = nullptr;
    std::vector<QIcon> m_trayPictures;
    std::optional<TrayPicture> m_shownTrayPicture;
    QLabel* m_trafficPicture = nullptr;
    PasswordPrompt* m_restorePrompt = nullptr;
    LogViewerPage* m_logViewer = nullptr;
};

} // namespace vonalor
