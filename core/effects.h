#ifndef CORE_EFFECTS_H
#define CORE_EFFECTS_H

#include "core/sexagesimal.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// The calculator steps are pure functions: they read the values of their form
// through FormValues and answer with an ordered list of Effects (field writes,
// list selections, the ResultReady flag, the focus, at most one message). The
// form hands that list to one writer that applies it to its controls in order;
// tests apply it to a ValueMap instead.
//
// Controls are addressed as their objectName is formed: the control name, and
// for an element of a control array "_" and its index (txtDeg1_0, Text1_3);
// index -1 addresses a single control (cmbGMT, Combo1).

QString ControlKey(const QString &control, int index);

class FormValues {
public:
    virtual ~FormValues() = default;
    // The text of a text field.
    virtual QString text(const QString &control, int index = -1) const = 0;
    // The selected position of a drop-down list (0-based), its number of
    // entries and the text of its selected entry.
    virtual int position(const QString &control, int index = -1) const = 0;
    virtual int count(const QString &control, int index = -1) const = 0;
    virtual QString selectedText(const QString &control, int index = -1) const = 0;

    FieldTexts triple(const QString &control) const;
};

struct Effect {
    enum class Kind { SetText, SelectPosition, SetResultReady, SetFocus, ShowMessage };

    Kind kind = Kind::SetText;
    QString control; // SetText, SelectPosition, SetFocus
    int index = -1;
    QString text;      // SetText: the new text; ShowMessage: the message
    QString title;     // ShowMessage: the title of the box
    int position = 0;  // SelectPosition
    bool flag = false; // SetResultReady

    static Effect setText(const QString &control, int index, const QString &text);
    static Effect select(const QString &control, int index, int position);
    static Effect resultReady(bool ready);
    static Effect focus(const QString &control, int index = -1);
    static Effect message(const QString &text, const QString &title);

    friend bool operator==(const Effect &, const Effect &) = default;
};

using Effects = QList<Effect>;

// The three writes that put a triple into a field triple, elements 0, 1, 2.
Effects WriteTriple(const QString &control, const FieldTexts &texts);
Effects WriteTriple(const QString &control, const SexagesimalTriple &triple);

// The one message of a step, if it has one (else an empty text).
QString MessageOf(const Effects &effects);

// The values of a form held in memory: what tests and fuzzers give the steps.
// apply() carries out field writes and list selections; the other effects are
// left to the caller.
class ValueMap : public FormValues {
public:
    void setText(const QString &control, int index, const QString &text);
    void setTriple(const QString &control, const FieldTexts &texts);
    void setList(const QString &control, int index, const QStringList &entries, int position = 0);

    QString text(const QString &control, int index = -1) const override;
    int position(const QString &control, int index = -1) const override;
    int count(const QString &control, int index = -1) const override;
    QString selectedText(const QString &control, int index = -1) const override;

    void apply(const Effects &effects);

private:
    struct List {
        QStringList entries;
        int position = 0;
    };
    QHash<QString, QString> m_texts;
    QHash<QString, List> m_lists;
};

#endif
