#include "core/examlock.h"

namespace Core {

void ExamLock::lock(int solarNumber, int rectificationNumber)
{
    m_running = true;
    m_solar = solarNumber;
    m_rectification = rectificationNumber;
}

void ExamLock::release()
{
    m_running = false;
}

bool ExamLock::locks(TaskKind kind, int number) const
{
    if (!m_running)
        return false;
    switch (kind) {
    case TaskKind::Solar:
        return number == m_solar;
    case TaskKind::Rectification:
        return number == m_rectification;
    case TaskKind::Sidereal:
        return false;
    }
    return false;
}

QString ExamLock::checkLockedMessage()
{
    return QStringLiteral("Während der Prüfung ist die Kontrolle dieser Aufgabe gesperrt.");
}

QString ExamLock::solutionLockedMessage()
{
    return QStringLiteral("Während der Prüfung ist die Lösung dieser Aufgabe gesperrt.");
}

} // namespace Core
