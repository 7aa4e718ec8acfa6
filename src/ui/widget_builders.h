#pragma once

#include "ui/qt_text.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QString>
#include <QWidget>

namespace vonalor {

// Gives a widget the name the tests and the behaviour know it by.
template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

inline QLabel* namedLabel(QWidget* parent, const char* name) {
    return named(new QLabel(parent), name);
}

// A named label after its caption, as one row of a form.
inline QLabel* labelledRow(QFormLayout* form, const QString& caption, QWidget* parent, const char* name) {
    QLabel* label = namedLabel(parent, name);
    form->addRow(caption, label);
    return label;
}

inline QGroupBox* namedGroup(const QString& title, QWidget* parent, const char* name) {
    return named(new QGroupBox(title, parent), name);
}

inline QComboBox* pickOnlyCombo(QWidget* parent, const char* name) {
    auto* combo = named(new QComboBox(parent), name);
    combo->setEditable(false); // an entry can only be picked, typed keys are discarded
    return combo;
}

// A page whose children stand one under the other.
inline QWidget* stackedPage(const char* name, QWidget* parent = nullptr) {
    auto* page = named(new QWidget(parent), name);
    new QVBoxLayout(page);
    return page;
}

inline void addToStack(QWidget* page, QWidget* child) {
    static_cast<QVBoxLayout*>(page->layout())->addWidget(child);
}

// Hours, minutes and seconds as three labels with colons between them.
struct ClockFields {
    QLabel* hours = nullptr;
    QLabel* minutes = nullptr;
    QLabel* seconds = nullptr;
    QHBoxLayout* row = nullptr;
};

inline ClockFields clockFields(QWidget* parent, const char* hours, const char* minutes, const char* seconds) {
    ClockFields fields{namedLabel(parent, hours), namedLabel(parent, minutes), namedLabel(parent, seconds),
                       new QHBoxLayout};
    fields.row->addWidget(fields.hours);
    fields.row->addWidget(new QLabel(QStringLiteral(":"), parent));
    fields.row->addWidget(fields.minutes);
    fields.row->addWidget(new QLabel(QStringLiteral(":"), parent));
    fields.row->addWidget(fields.seconds);
    fields.row->addStretch(1);
    return fields;
}

// Figures that change every second or faster get a fixed size: a label whose size is fixed
// does not make the whole window lay itself out again when its text changes.
inline void fixFigureSize(QLabel* figure) {
    figure->setFixedSize(170, figure->sizeHint().height());
}

inline void fixClockSize(const ClockFields& fields) {
    for (QLabel* field : {fields.hours, fields.minutes, fields.seconds})
        field->setFixedSize(field->fontMetrics().horizontalAdvance(QStringLiteral("0000")),
                            field->sizeHint().height());
}

} // namespace vonalor
