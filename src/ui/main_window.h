#pragma once

#include <QWidget>

namespace vonalor {

class ProgramCore;

// The main window: renders the program core and forwards the user's actions to it.
class TfrmVonalor final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfrmVonalor)

public:
    explicit TfrmVonalor(ProgramCore& core, QWidget* parent = nullptr);

    // Closes as the user's close does, with the close question answered Yes (a signal, a logout).
    void closeAnsweringYes();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    ProgramCore& m_core;
};

} // namespace vonalor
