#pragma once

#include "ui/page.h"

#include <QWidget>

class QComboBox;

namespace vonalor {

// "Gyorsbillentyűk": the hotkeys' letters, the connection they dial and the web address.
class HotkeysPage final : public QWidget, public Page {
    Q_DISABLE_COPY_MOVE(HotkeysPage)

public:
    HotkeysPage(ProgramCore& core, QWidget* parent = nullptr);

    Aspects watches() const override;
    void load(const MainWindowState& state) override;
    void render(const MainWindowState& state, Aspects aspects) override;

private:
    ProgramCore& m_core;
    QComboBox* m_dialLetter = nullptr;
    QComboBox* m_dialEntry = nullptr;
    QComboBox* m_webAddresses = nullptr;
};

} // namespace vonalor
