#include "rekti/rectificationstate.h"

using namespace Core;

namespace Rectification {

namespace {

void add(StepLedger::Inputs &inputs, const Sexagesimal &v)
{
    inputs << v.units << v.minutes << v.seconds;
}

} // namespace

int stepNumber(int step)
{
    static const int numbers[StepCount] = {2, 2, 3, 4, 4, 5, 5, 5, 6, 6, 7, 8};
    return numbers[step];
}

QString stepName(int step)
{
    static const char *const names[StepCount] = {"Dezimaljahre",
                                                 "Direktionsbogen",
                                                 "Bogen in Zeit",
                                                 "Sternzeit",
                                                 "Sternzeit am Tag",
                                                 "Tabellendifferenz",
                                                 "Differenz zum Planeten",
                                                 "Quotient",
                                                 "RAMC plus Quotient",
                                                 "korrigierte RAMC",
                                                 "korrigierte RAMC in Zeit",
                                                 "Zeitdifferenz"};
    return QString::fromUtf8(names[step]);
}

QList<int> feedsOf(int step)
{
    static const QList<QList<int>> feeds = {{},
                                            {DecimalYearsStep},
                                            {ArcStep},
                                            {ArcTimeStep},
                                            {SumStep},
                                            {},
                                            {},
                                            {TableStepStep, TowardsPlanetStep},
                                            {QuotientStep},
                                            {RamcSumStep, ArcStep},
                                            {CorrectedRamcStep},
                                            {RamcTimeStep}};
    return feeds.at(step);
}

State::State()
    : m_ledger([] {
          QList<QList<int>> feeds;
          for (int step = 0; step < StepCount; ++step)
              feeds << feedsOf(step);
          return feeds;
      }())
{}

StepLedger::Inputs State::inputsOf(int step) const
{
    const Entries &e = entries;
    StepLedger::Inputs in;
    switch (step) {
    case DecimalYearsStep:
        in << e.age.years << e.age.days;
        break;
    case ArcStep:
        in << e.decimalYears;
        break;
    case ArcTimeStep:
        add(in, e.directionArc);
        break;
    case SumStep:
        add(in, e.birthSiderealTime);
        add(in, e.arcInTime);
        break;
    case WithinDayStep:
        add(in, e.eventSiderealTime);
        in << e.dayHours;
        break;
    case TableStepStep:
        add(in, e.greaterTableValue);
        add(in, e.smallerTableValue);
        in << e.firstSignCorrection;
        break;
    case TowardsPlanetStep:
        add(in, e.correctedTableValue);
        add(in, e.smallerTableValue2);
        in << e.secondSignCorrection;
        break;
    case QuotientStep:
        add(in, e.towardsPlanet);
        add(in, e.tableStep);
        break;
    case RamcSumStep:
        in << e.ramc;
        add(in, e.quotient);
        break;
    case CorrectedRamcStep:
        add(in, e.ramcPlusQuotient);
        add(in, e.arcOfStep6);
        in << e.circleCorrection;
        break;
    case RamcTimeStep:
        add(in, e.correctedRamc);
        break;
    default:
        add(in, e.ramcInTime);
        add(in, e.birthSiderealTimeOfStep8);
        break;
    }
    return in;
}

std::optional<QString> State::run(Step step)
{
    const Entries &e = entries;
    std::optional<QString> message;
    const auto keep = [&](const StepResult<SexagesimalTriple> &r) {
        if (r.ok())
            m_results.triples[step] = r.value();
        else
            message = r.message();
    };
    switch (step) {
    case DecimalYearsStep: {
        const auto r = decimalYears(e.age);
        if (r.ok())
            m_results.decimalYears = r.value();
        else
            message = r.message();
        break;
    }
    case ArcStep:
        keep(directionArc(e.decimalYears));
        break;
    case ArcTimeStep:
        keep(arcInTime(e.directionArc));
        break;
    case SumStep: {
        const auto r = eventSiderealTime(e.birthSiderealTime, e.arcInTime);
        if (r.ok())
            m_results.sum = r.value();
        else
            message = r.message();
        break;
    }
    case WithinDayStep:
        keep(siderealTimeWithinDay(e.eventSiderealTime, e.dayHours));
        break;
    case TableStepStep:
        keep(tableDifference(e.greaterTableValue, e.smallerTableValue, e.firstSignCorrection));
        break;
    case TowardsPlanetStep:
        keep(tableDifference(e.correctedTableValue, e.smallerTableValue2, e.secondSignCorrection));
        break;
    case QuotientStep: {
        const auto q = tableQuotient(e.towardsPlanet, e.tableStep);
        keep(tableInterpolation(e.towardsPlanet, e.tableStep));
        if (q.ok())
            m_results.quotient = q.value();
        break;
    }
    case RamcSumStep:
        keep(ramcPlusQuotient(e.ramc, e.quotient));
        break;
    case CorrectedRamcStep:
        keep(correctedRamc(e.ramcPlusQuotient, e.arcOfStep6, e.circleCorrection));
        break;
    case RamcTimeStep:
        keep(ramcInTime(e.correctedRamc));
        break;
    default:
        keep(birthTimeCorrection(e.ramcInTime, e.birthSiderealTimeOfStep8));
        break;
    }
    if (message) {
        m_ledger.failed(step);
        return message;
    }
    m_ledger.succeeded(step, inputsOf(step));
    copyResult(step);
    return std::nullopt;
}

// The result goes into the fields of the later steps that read it, as the
// form writes them and reads them back; step 4's sum preselects "-24h" when
// it passes a day.
void State::copyResult(int step)
{
    Entries &e = entries;
    const Results &r = m_results;
    const auto of = [&r, step] {
        return Sexagesimal::of(*r.triples[step]);
    };
    switch (step) {
    case DecimalYearsStep:
        e.decimalYears = asWritten(*r.decimalYears);
        break;
    case ArcStep:
        e.directionArc = e.arcOfStep6 = of();
        break;
    case ArcTimeStep:
        e.arcInTime = of();
        break;
    case SumStep:
        e.eventSiderealTime = Sexagesimal::of(r.sum->time);
        e.dayHours = r.sum->beyondADay ? -24.0 : 0.0;
        break;
    case TableStepStep:
        e.tableStep = of();
        break;
    case TowardsPlanetStep:
        e.towardsPlanet = of();
        break;
    case QuotientStep:
        e.quotient = of();
        break;
    case RamcSumStep:
        e.ramcPlusQuotient = of();
        break;
    case CorrectedRamcStep:
        e.correctedRamc = of();
        break;
    case RamcTimeStep:
        e.ramcInTime = of();
        break;
    case CorrectionStep:
        e.correction = of();
        break;
    default:
        break;
    }
}

StepLedger::Status State::status(int step) const
{
    return m_ledger.status(step, [this](int s) { return inputsOf(s); });
}

int State::firstStale(int step) const
{
    return m_ledger.firstStale(step, [this](int s) { return inputsOf(s); });
}

Worked State::worked() const
{
    Worked w{header, entries, m_results, {}, task};
    for (int s = 0; s < StepCount; ++s)
        w.status[static_cast<std::size_t>(s)] = status(s);
    return w;
}

} // namespace Rectification
