#include "pruefung/examrecord.h"

#include "settings/store.h"

namespace Examination {

namespace {

constexpr int DefaultMinutes = 90;
constexpr int MostMinutes = 600;
// The answer fields hold digits and minus signs only.
constexpr QChar FieldSeparator = u'|';

QString read(const QString &key)
{
    return Store::readSetting(Store::FormsApplication, Store::ExamSection, key);
}

void write(const QString &key, const QString &value)
{
    Store::writeSetting(Store::FormsApplication, Store::ExamSection, key, value);
}

QDateTime readMoment(const QString &key)
{
    QDateTime moment = QDateTime::fromString(read(key), Qt::ISODate);
    return moment.isValid() ? moment.toUTC() : QDateTime();
}

QString momentText(const QDateTime &moment)
{
    return moment.isValid() ? moment.toUTC().toString(Qt::ISODate) : QString();
}

ExamTask readTask(const QString &number, const QString &answer, const QString &calculator,
                  const QString &verdict, const QString &cause, const QString &calculation)
{
    ExamTask task;
    task.number = read(number).toInt();
    task.answer = read(answer).split(FieldSeparator);
    task.calculatorSeconds = qMax(qint64{0}, read(calculator).toLongLong());
    task.verdict = read(verdict);
    task.cause = read(cause);
    task.calculation = read(calculation) == QStringLiteral("1");
    return task;
}

void writeTask(const ExamTask &task, const QString &number, const QString &answer,
               const QString &calculator, const QString &verdict, const QString &cause,
               const QString &calculation)
{
    write(number, QString::number(task.number));
    write(answer, task.answer.join(FieldSeparator));
    write(calculator, QString::number(task.calculatorSeconds));
    write(verdict, task.verdict);
    write(cause, task.cause);
    write(calculation, task.calculation ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace

qint64 ExamRecord::remainingSeconds(const QDateTime &now) const
{
    const qint64 left = now.msecsTo(deadline());
    return left <= 0 ? 0 : (left + 999) / 1000;
}

QString durationText(qint64 seconds)
{
    return QString::number(seconds / 60).rightJustified(2, u'0') + u':' +
           QString::number(seconds % 60).rightJustified(2, u'0');
}

QString remainingText(qint64 seconds)
{
    return QStringLiteral("Restzeit ") + durationText(qMax(qint64{0}, seconds));
}

std::optional<ExamRecord> readExam()
{
    ExamRecord record;
    record.start = readMoment(Store::ExamStart);
    bool ok = false;
    record.minutes = read(Store::ExamLimit).toInt(&ok);
    if (!record.start.isValid() || !ok || record.minutes < 1 || record.minutes > MostMinutes)
        return std::nullopt;
    record.solar =
        readTask(Store::ExamSolarTask, Store::ExamSolarAnswer, Store::ExamSolarCalculator,
                 Store::ExamSolarVerdict, Store::ExamSolarCause, Store::ExamSolarCalculation);
    record.rectification =
        readTask(Store::ExamRectificationTask, Store::ExamRectificationAnswer,
                 Store::ExamRectificationCalculator, Store::ExamRectificationVerdict,
                 Store::ExamRectificationCause, Store::ExamRectificationCalculation);
    if (record.solar.number < 1 || record.rectification.number < 1)
        return std::nullopt;
    record.handedIn = readMoment(Store::ExamHandedIn);
    return record;
}

void writeExam(const ExamRecord &record)
{
    write(Store::ExamStart, momentText(record.start));
    write(Store::ExamLimit, QString::number(record.minutes));
    writeTask(record.solar, Store::ExamSolarTask, Store::ExamSolarAnswer,
              Store::ExamSolarCalculator, Store::ExamSolarVerdict, Store::ExamSolarCause,
              Store::ExamSolarCalculation);
    writeTask(record.rectification, Store::ExamRectificationTask, Store::ExamRectificationAnswer,
              Store::ExamRectificationCalculator, Store::ExamRectificationVerdict,
              Store::ExamRectificationCause, Store::ExamRectificationCalculation);
    write(Store::ExamHandedIn, momentText(record.handedIn));
}

int readExamMinutes()
{
    bool ok = false;
    const int minutes = read(Store::ExamMinutes).toInt(&ok);
    return ok && minutes >= 1 && minutes <= MostMinutes ? minutes : DefaultMinutes;
}

void writeExamMinutes(int minutes)
{
    write(Store::ExamMinutes, QString::number(minutes));
}

} // namespace Examination
