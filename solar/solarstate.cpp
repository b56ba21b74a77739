#include "solar/solarstate.h"

using namespace Core;

namespace Solar {

namespace {

StepLedger::Inputs numbers(std::initializer_list<const Sexagesimal *> values,
                           std::initializer_list<double> more = {})
{
    StepLedger::Inputs inputs;
    for (const Sexagesimal *v : values)
        inputs << v->units << v->minutes << v->seconds;
    for (double d : more)
        inputs << d;
    return inputs;
}

// A result as its field shows it once written, and as the field reads back.
Sexagesimal shown(const SexagesimalTriple &t)
{
    return Sexagesimal::of(t);
}

Sexagesimal shown(const Sexagesimal &s)
{
    return Sexagesimal::readWithRegionalPoint(s.plainTexts());
}

} // namespace

int stepNumber(int step)
{
    static const int numbers[StepCount] = {2, 3, 4, 5, 5};
    return numbers[step];
}

QString stepName(int step)
{
    static const char *const names[StepCount] = {"Differenz Sonnenbewegung", "Entfernungswert",
                                                 "Uhrzeit Greenwich", "Zeitzone", "Tageskorrektur"};
    return QString::fromUtf8(names[step]);
}

// Step 4 reads A and B, step 5 the Greenwich time, the day shift the zone time.
QList<int> feedsOf(int step)
{
    static const QList<QList<int>> feeds = {
        {}, {}, {MotionStep, DistanceStep}, {GreenwichStep}, {ZoneStep}};
    return feeds.at(step);
}

State::State()
    : m_ledger({feedsOf(MotionStep), feedsOf(DistanceStep), feedsOf(GreenwichStep),
                feedsOf(ZoneStep), feedsOf(FinalStep)})
{}

StepLedger::Inputs State::inputsOf(int step) const
{
    const Entries &e = entries;
    switch (step) {
    case MotionStep:
        return numbers({&e.date1, &e.date2, &motionShown});
    case DistanceStep: {
        const Sexagesimal radix = Sexagesimal::of(e.radix);
        return numbers({&radix, &e.date1OfStep3, &distanceShown});
    }
    case GreenwichStep:
        return numbers({&e.motion, &e.distance, &greenwichShown});
    case ZoneStep:
        return numbers({&e.greenwichTime, &e.zoneTime}, {e.zoneHours});
    default:
        return numbers({&e.zoneTime, &e.finalTime}, {e.dayShiftHours});
    }
}

StepLedger::InputsOf State::reader() const
{
    return [this](int step) {
        return inputsOf(step);
    };
}

std::optional<QString> State::run(Step step)
{
    std::optional<QString> message;
    const auto keep = [&message](const auto &result, auto &slot) {
        if (result.ok())
            slot = result.value();
        else
            message = result.message();
    };
    switch (step) {
    case MotionStep:
        keep(sunMotion(entries.date1, entries.date2), m_results.motion);
        break;
    case DistanceStep:
        keep(distanceToRadix(entries.radix, entries.date1OfStep3), m_results.distance);
        break;
    case GreenwichStep:
        keep(greenwichTime(entries.motion, entries.distance), m_results.greenwich);
        break;
    case ZoneStep:
        keep(zoneTime(entries.greenwichTime, entries.zoneHours), m_results.zone);
        break;
    default:
        keep(finalTime(entries.zoneTime, entries.dayShiftHours), m_results.final);
        break;
    }
    if (message) {
        m_ledger.failed(step);
        return message;
    }
    // The result belongs to the inputs as they stand once it is shown.
    showResult(step);
    m_ledger.succeeded(step, inputsOf(step));
    return std::nullopt;
}

// The result goes into its field and into the fields of the next step that
// read it, as the form writes them and reads them back.
void State::showResult(int step)
{
    const Results &r = m_results;
    switch (step) {
    case MotionStep:
        motionShown = entries.motion = shown(*r.motion);
        break;
    case DistanceStep:
        distanceShown = entries.distance = shown(*r.distance);
        break;
    case GreenwichStep:
        greenwichShown = entries.greenwichTime = shown(*r.greenwich);
        break;
    case ZoneStep:
        entries.zoneTime = shown(*r.zone);
        break;
    default:
        entries.finalTime = shown(*r.final);
        break;
    }
}

StepLedger::Status State::status(int step) const
{
    return m_ledger.status(step, reader());
}

int State::firstStale(int step) const
{
    return m_ledger.firstStale(step, reader());
}

int State::firstSkipped(int step) const
{
    const QList<int> never = m_ledger.skipped(step);
    return never.isEmpty() ? -1 : never.first();
}

Worked State::worked() const
{
    Worked w;
    w.header = header;
    w.entries = entries;
    w.results = m_results;
    w.task = task;
    for (int s = 0; s < StepCount; ++s)
        w.status[static_cast<std::size_t>(s)] = status(s);
    for (int s = StepCount - 1; s >= 0; --s) {
        if (m_ledger.computed(s)) {
            w.firstSkipped = firstSkipped(s);
            break;
        }
    }
    return w;
}

} // namespace Solar
