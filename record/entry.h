#ifndef RECORD_ENTRY_H
#define RECORD_ENTRY_H

#include "core/giventask.h"

#include <QDateTime>
#include <QString>

#include <optional>

// One line of the record of the work: a task answered, and how.

namespace Record {

// Where the answer was judged.
enum class Source {
    Exercise,    // "Prüfen" on an exercise page
    Check,       // "Kontrolle…" in a calculator, for a calculation of a task
    Examination, // an answer given in an examination
};

// As the database keeps it: "pruefen", "kontrolle", "pruefung".
QString sourceText(Source source);
std::optional<Source> sourceNamed(const QString &text);

struct Entry {
    qint64 id = 0;    // given by the database; 0 before it is written
    QDateTime time{}; // when it was judged, UTC to the millisecond
    Core::TaskKind kind = Core::TaskKind::Solar;
    int taskNumber = 0;
    QString given{};  // the task's values, Core::GivenTask::toText()
    QString answer{}; // the answer as the student gave it
    bool right = false;
    QString cause{};  // the first cause as a code of causes.h; empty when right
    int seconds = -1; // since the task was shown; -1 when not known
    Source source = Source::Exercise;
    bool exam = false; // part of an examination

    friend bool operator==(const Entry &, const Entry &) = default;
};

// The entry of a task's answer judged `seconds` after the task was shown (or
// its calculator opened); a right answer has no cause.
Entry entryOf(const Core::GivenTask &task, const QString &answer, bool right, const QString &cause,
              qint64 seconds, Source source);

} // namespace Record

#endif
