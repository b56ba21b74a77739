#ifndef FUZZ_FUZZSUPPORT_H
#define FUZZ_FUZZSUPPORT_H

#include "core/effects.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <fuzzer/FuzzedDataProvider.h>

#include <functional>
#include <vector>

// What the fuzz targets share: turning fuzzer bytes into the texts and list
// entries of a form, and the checks that every answer of a calculator step
// must pass whatever the user typed.

// Ends the run: libFuzzer keeps the input that led here as a crash artefact.
[[noreturn]] void Finding(const char *what, const QString &detail = QString());

// Sets the desktop's regional settings (the default QLocale) to one that
// students have: German and French write a decimal comma, English, Swiss
// German and the C locale a full stop.
void PinLocale(FuzzedDataProvider &data);

// A short text as someone might type or paste it into a field.
QString ConsumeText(FuzzedDataProvider &data, size_t maxLength = 24);

// A number written as plain text: an optional '-', ASCII digits, the
// desktop's decimal separator followed by digits, and for very large or
// small magnitudes an exponent "E+20" / "E-05".
bool IsPlainNumber(const QString &text);
// A whole number as plain text: an optional '-' and ASCII digits, no leading zeros.
bool IsPlainInteger(const QString &text);
bool MentionsInfOrNan(const QString &text);

QString Describe(const Effects &effects);

// With VELMORA_FUZZ_TRACE set, the step targets print every action and
// answer: run a target on one input to see the session it encodes.
void Trace(const QString &line);

// A control of a form, with the number of elements of its control array
// (0 for a single control).
struct Control {
    QString name;
    int elements = 0;
};

// Replaces the text of one field (or one element of a field array).
void EditText(FuzzedDataProvider &data, ValueMap &form, const std::vector<Control> &fields);

// Replaces the entries of one drop-down list, or selects another of its
// entries (or none), always a position that a real drop-down list can hold.
void EditList(FuzzedDataProvider &data, ValueMap &form, const std::vector<Control> &lists);

// One fuzz input as a session of up to 64 actions on a freshly loaded form:
// typing into a field, changing a list, or pressing a step (press), each
// answer applied to the form before the next action. Any exception that
// escapes is a finding.
int RunSession(const uint8_t *data, size_t size, const ValueMap &loaded,
               const std::vector<Control> &fields, const std::vector<Control> &lists,
               const std::function<void(FuzzedDataProvider &, ValueMap &)> &press);

// How one step may answer.
struct StepRule {
    QString title;                // the title of its message boxes
    QStringList messages;         // the messages it may show
    QStringList triples;          // controls it writes as whole-number triples
    QStringList integers;         // controls it writes element by element as whole numbers
    QStringList numbers;          // controls it writes as plain numbers
    QStringList copies;           // controls that receive a text unchanged
    QString select;               // the drop-down list it may set
    bool mayBeEmpty = false;      // may answer with nothing at all
    bool setsResultReady = false; // marks the calculation finished, as its first effect
    QString messageWithTail;      // the one message that is followed by...
    Effects tail;                 // ...these effects
};

// The texts a step wrote, by control key (txtDeg1_0).
using Written = QHash<QString, QString>;

// Checks an answer against its rule: exactly one message and nothing else
// (or the documented tail), or writes of the allowed controls only, every
// number written as plain text and every triple a proper sexagesimal value.
// Returns the written texts.
Written CheckAnswer(const char *step, const StepRule &rule, const Effects &effects);

// The total of seconds of a whole-number triple the step wrote.
qint64 TripleTotal(const Written &written, const QString &control);

#endif
