#include "ui/settings/config_page.h"

#include "ui/qt_text.h"
#include "ui/widget_builders.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>

namespace vonalor {

namespace {

// The allowance field takes digits, the comma and backspace; other keys are refused with a beep.
class AllowanceKeyFilter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const QString text = key->text();
            const bool editing = key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Tab ||
                                 key->key() == Qt::Key_Backtab || text.isEmpty();
            if (!editing && !(text.size() == 1 && (text[0].isDigit() || text[0] == QLatin1Char(',')))) {
                QApplication::beep();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

// One kind of allowance: its box with the rest of its sentence, the connection it is for, and
// its value with the unit.
struct AllowanceRows {
    QCheckBox* box;
    QString rest;
    QComboBox* connection;
    QWidget* value;
    QString unit;
};

void addAllowanceRows(QGridLayout* layout, int row, const AllowanceRows& rows) {
    QWidget* group = layout->parentWidget();
    layout->addWidget(rows.box, row, 0);
    layout->addWidget(new QLabel(rows.rest, group), row, 1, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("Kapcsolat:"), group), row + 1, 0);
    layout->addWidget(rows.connection, row + 1, 1, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("Értéke:"), group), row + 2, 0);
    layout->addWidget(rows.value, row + 2, 1);
    layout->addWidget(new QLabel(rows.unit, group), row + 2, 2);
}

} // namespace

ConfigPage::ConfigPage(ProgramCore& core, QWidget* parent) : CorePage(core, "TabSheet12", parent) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildDiscountGroup());
    auto* dates = namedGroup(QStringLiteral("Kezdő és befejező dátum"), this, "GroupBox20");
    auto* datesLayout = new QFormLayout(dates);
    m_billingDay = pickOnlyCombo(dates, "comboTol");
    for (int day = 1; day <= 28; ++day)
        m_billingDay->addItem(QString::number(day));
    datesLayout->addRow(QStringLiteral("Dátum Tol - Ig"), m_billingDay);
    connect(m_billingDay, &QComboBox::activated, this, [this](int index) { m_core.comboTolChange(index); });
    layout->addWidget(dates);
}

QWidget* ConfigPage::buildDiscountGroup() {
    auto* group = namedGroup(QStringLiteral("Kedvezmény"), this, "GroupBox21");
    auto* layout = new QGridLayout(group);
    m_checkKedv = named(new QCheckBox(QStringLiteral("Előfizetés meghatározott"), group), "checkKedv");
    m_comboKedvKapcs = new ConnectionChooser(group, "comboKedvKapcs", ConnectionChooser::Lock::Never);
    m_edKedv = named(new QLineEdit(group), "edKedv");
    m_edKedv->installEventFilter(new AllowanceKeyFilter(m_edKedv));
    addAllowanceRows(layout, 0,
                     {m_checkKedv, QStringLiteral("része le internetezhető."), m_comboKedvKapcs, m_edKedv,
                      QStringLiteral("Ft")});

    m_checkJelezOra =
        named(new QCheckBox(QStringLiteral("Az előfizetésben az órák "), group), "CheckJelezOra");
    m_comboKedvOraKapcs = new ConnectionChooser(group, "ComboKedvOraKapcs", ConnectionChooser::Lock::Never);
    m_spinEdit1 = named(new QSpinBox(group), "SpinEdit1");
    m_spinEdit1->setRange(0, 100);
    addAllowanceRows(layout, 3,
                     {m_checkJelezOra, QStringLiteral("száma meghatározott."), m_comboKedvOraKapcs,
                      m_spinEdit1, QStringLiteral("Óra")});

    m_checkJelez =
        named(new QCheckBox(QStringLiteral("Jelezze a program  ha lejár a megjelölt kedvezmény"), group),
              "checkJelez");
    layout->addWidget(m_checkJelez, 6, 0, 1, 3);
    m_chbKedvHang =
        named(new QCheckBox(QStringLiteral("Hang lejátszása ha lejár a kedvezmény"), group), "chbKedvHang");
    auto* soundRow = new QHBoxLayout;
    soundRow->addWidget(m_chbKedvHang);
    auto* listen = named(new QPushButton(group), "Image11");
    listen->setIcon(style()->standardIcon(QStyle::SP_MediaVolume));
    listen->setFlat(true);
    soundRow->addWidget(listen);
    soundRow->addStretch(1);
    layout->addLayout(soundRow, 7, 0, 1, 3);

    // Clicks store the value; the page's own loading sets the boxes without a click.
    connect(m_checkKedv, &QCheckBox::clicked, this, [this](bool on) { m_core.checkKedvClick(on); });
    connect(m_checkJelezOra, &QCheckBox::clicked, this, [this](bool on) { m_core.CheckJelezOraClick(on); });
    connect(m_checkJelez, &QCheckBox::clicked, this, [this](bool on) { m_core.checkJelezClick(on); });
    connect(m_chbKedvHang, &QCheckBox::clicked, this, [this](bool on) { m_core.chbKedvHangClick(on); });
    connect(m_comboKedvKapcs, &QComboBox::activated, this, [this] {
        const QSignalBlocker block(m_edKedv);
        m_edKedv->setText(qs(m_core.comboKedvKapcsChange(utf8(m_comboKedvKapcs->currentText()))));
    });
    connect(m_edKedv, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_core.edKedvChange(utf8(m_comboKedvKapcs->currentText()), utf8(text));
    });
    connect(m_edKedv, &QLineEdit::editingFinished, this,
            [this] { m_core.edKedvExit(utf8(m_edKedv->text())); });
    connect(m_comboKedvOraKapcs, &QComboBox::activated, this, [this] {
        const QSignalBlocker block(m_spinEdit1);
        const std::string stored = m_core.ComboKedvOraKapcsChange(utf8(m_comboKedvOraKapcs->currentText()));
        m_spinEdit1->setValue(qs(stored).toInt());
    });
    connect(m_spinEdit1, &QSpinBox::valueChanged, this,
            [this](int hours) { m_core.SpinEdit1Change(utf8(m_comboKedvOraKapcs->currentText()), hours); });
    connect(listen, &QPushButton::clicked, this, [this] {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_core.playAllowanceSound();
        QApplication::restoreOverrideCursor();
    });
    return group;
}

Aspects ConfigPage::watches() const {
    return Aspect::Discount | Aspect::Phonebook;
}

void ConfigPage::load(const MainWindowState& state) {
    m_comboKedvKapcs->load(state);
    m_comboKedvOraKapcs->load(state);
}

void ConfigPage::render(const MainWindowState& state, Aspects aspects) {
    m_comboKedvKapcs->render(state, aspects);
    m_comboKedvOraKapcs->render(state, aspects);
    if (!has(aspects, Aspect::Discount))
        return;
    const DiscountState& discount = state.discount;
    m_comboKedvKapcs->setEnabled(discount.discountMoneyEnabled);
    m_edKedv->setEnabled(discount.discountMoneyEnabled);
    m_comboKedvOraKapcs->setEnabled(discount.discountHoursEnabled);
    m_spinEdit1->setReadOnly(!discount.discountHoursEnabled);
    m_spinEdit1->setEnabled(discount.discountHoursEnabled);
    m_checkKedv->setChecked(discount.checkKedvChecked);
    m_checkJelezOra->setChecked(discount.CheckJelezOraChecked);
    m_checkJelez->setChecked(discount.checkJelezChecked);
    m_chbKedvHang->setChecked(discount.chbKedvHangChecked);
    m_checkJelez->setEnabled(discount.warningOptionsEnabled);
    m_chbKedvHang->setEnabled(discount.warningOptionsEnabled);
    if (discount.billingDayIndex >= 0)
        m_billingDay->setCurrentIndex(discount.billingDayIndex);
}

} // namespace vonalor
