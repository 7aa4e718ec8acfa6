#pragma once

#include "ui/connection_chooser.h"
#include "ui/page.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace vonalor {

// "Konfiguráció": the discounts and the billing day.
class ConfigPage final : public CorePage {
    Q_DISABLE_COPY_MOVE(ConfigPage)

public:
    explicit ConfigPage(ProgramCore& core, QWidget* parent = nullptr);

    Aspects watches() const override;
    void load(const MainWindowState& state) override;
    void render(const MainWindowState& state, Aspects aspects) override;

private:
    QWidget* buildDiscountGroup();

    QCheckBox* m_checkKedv = nullptr;
    QCheckBox* m_checkJelezOra = nullptr;
    QCheckBox* m_checkJelez = nullptr;
    QCheckBox* m_chbKedvHang = nullptr;
    ConnectionChooser* m_comboKedvKapcs = nullptr;
    ConnectionChooser* m_comboKedvOraKapcs = nullptr;
    QLineEdit* m_edKedv = nullptr;
    QSpinBox* m_spinEdit1 = nullptr;
    QComboBox* m_billingDay = nullptr;
};

} // namespace vonalor
