#ifndef RECORD_CAUSES_H
#define RECORD_CAUSES_H

#include "core/giventask.h"
#include "core/sexagesimal.h"
#include "exercise/answerhint.h"
#include "rekti/rectificationcheck.h"
#include "solar/solarcheck.h"
#include "sternzeit/siderealcheck.h"

#include <QList>
#include <QString>

// The first cause of a wrong answer as the record keeps it: a short stable
// code ("solar.zone", "gzk.table-value") that a later version still reads,
// with the German name the progress view shows ("Zeitzone vergessen"). The
// checks of the calculators and the hints of the exercise pages name their
// causes in their own terms; this is the one place that maps them.

namespace Record {

struct CauseName {
    QString code;
    QString name;
};

// Every code with its German name.
const QList<CauseName> &causeNames();
// The German name of a code; the code itself for one this version does not know.
QString causeName(const QString &code);

// The code of a cause; empty for a right answer.
QString causeCode(Solar::Cause cause);
QString causeCode(Rectification::Cause cause);
QString causeCode(Sidereal::Cause cause);
// The code of the hint to an answer typed on an exercise page of `kind`;
// empty for none.
QString causeCode(Core::TaskKind kind, Exercise::AnswerHint hint);

// The answer as the record keeps it. Of a worked calculation: the final
// clock time and the date of the Solar ("14h05m33s 12.03.2031"), the
// correction of the rectification ("-1m04s"); "–" for what is not worked.
// Typed on an exercise page: the fields as typed, "14 | 5 | 33 · 12.3.2031".
QString answerOf(const Solar::Worked &worked);
QString answerOf(const Rectification::Worked &worked);
QString answerOf(const Sidereal::Worked &worked);
QString typedAnswer(const Core::FieldTexts &time, const Core::FieldTexts &date = {});

} // namespace Record

#endif
