#pragma once

#include "ui/page.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace vonalor {

// "Konfiguráció": the discounts and the billing day.
class ConfigPage final : public QWidget, public Page {
    Q_DISABLE_COPY_MOVE(ConfigPage)

public:
    ConfigPage(ProgramCore& core, QWidget* parent = nullptr);

    Aspects watches() const override;
    void load(const MainWindowState& state) override;
    void render(const MainWindowState& state, Aspects aspects) override;

private:
    QWidget* buildDiscountGroup();

    ProgramCore& m_core;
    QCheckBox* m_checkKedv = nullptr;
    QCheckBox* m_checkJelezOra = nullptr;
    QCheckBox* m_checkJelez = nullptr;
    QCheckBox* m_chbKedvHang = nullptr;
    QComboBox* m_comboKedvKapcs = nullptr;
    QComboBox* m_comboKedvOraKapcs = nullptr;
    QLineEdit* m_edKedv = nullptr;
    QSpinBox* m_spinEdit1 = nullptr;
    QComboBox* m_billingDay = nullptr;
};

} // namespace vonalor
