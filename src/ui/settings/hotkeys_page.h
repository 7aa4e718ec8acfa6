#pragma once

#include "ui/connection_chooser.h"
#include "ui/page.h"

class QComboBox;

namespace vonalor {

// "Gyorsbillentyűk": the hotkeys' letters, the connection they dial and the web address.
class HotkeysPage final : public CorePage {
    Q_DISABLE_COPY_MOVE(HotkeysPage)

public:
    explicit HotkeysPage(ProgramCore& core, QWidget* parent = nullptr);

    Aspects watches() const override;
    void load(const MainWindowState& state) override;
    void render(const MainWindowState& state, Aspects aspects) override;

private:
    QComboBox* m_dialLetter = nullptr;
    ConnectionChooser* m_dialEntry = nullptr;
    QComboBox* m_webAddresses = nullptr;
};

} // namespace vonalor
