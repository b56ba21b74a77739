#ifndef UI_CONTROLARRAYS_H
#define UI_CONTROLARRAYS_H

#include "core/sexagesimal.h"

#include <QList>
#include <QString>

#include <functional>
#include <memory>

class QComboBox;
class QLineEdit;
class QWidget;

// Groups of like controls indexed from 0, as the forms use them: a field
// triple (degrees or hours, minutes, seconds; for a date day, month, year), a
// pair, or a single field. The elements are found below a form by their
// objectNames, the array's name with "_" and the index appended (txtDeg1_0).
//
// Handlers receive the element index. Every write of a text by the program runs
// the change handler before the write returns (QLineEdit::textChanged), and
// every change of a list position by the program runs the click handler
// (QComboBox::currentIndexChanged), as a user's edit or choice would.
class FieldArray {
public:
    FieldArray() = default;
    FieldArray(QWidget *form, const QString &name, int count);

    QString name() const { return m_name; }
    int size() const { return static_cast<int>(m_fields.size()); }
    QLineEdit *at(int index) const;

    QString text(int index) const;
    void setText(int index, const QString &text);
    FieldTexts triple() const; // elements 0, 1, 2

    // Connects the change handler of every element. Qt reports a change only
    // when the text really changes: writing the text a field already holds
    // runs no handler, as retyping it would not.
    void onChange(std::function<void(int index)> handler);

private:
    QString m_name;
    QList<QLineEdit *> m_fields;
};

class PickerArray {
public:
    PickerArray() = default;
    PickerArray(QWidget *form, const QString &name, int count);

    QString name() const { return m_name; }
    int size() const { return static_cast<int>(m_pickers.size()); }
    QComboBox *at(int index) const;

    int position(int index) const;
    // Selects a position; the click handler runs when the position changes.
    // A position outside the list changes nothing.
    void select(int index, int position);
    // Runs the click handler of one element, as a selection would.
    void click(int index);

    // Sets the click handler of every element (a later call replaces it).
    void onClick(std::function<void(int index)> handler);

private:
    QString m_name;
    QList<QComboBox *> m_pickers;
    // Shared with the connections, so that copies of the array and the
    // connections made before a copy all run the same handler.
    std::shared_ptr<std::function<void(int)>> m_handler;
};

#endif
