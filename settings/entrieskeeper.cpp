#include "settings/entrieskeeper.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>

namespace Store {

EntriesKeeper::EntriesKeeper(QObject *parent, QList<Controls> table)
    : QObject(parent), m_table(std::move(table)), m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("entriesKeeper"));
    m_timer->setSingleShot(true);
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &EntriesKeeper::saveNow);
    const auto restart = [this] {
        m_timer->start();
        emit changed();
    };
    for (const Controls &controls : std::as_const(m_table)) {
        for (QWidget *element : controls.elements) {
            if (auto *field = qobject_cast<QLineEdit *>(element))
                connect(field, &QLineEdit::textChanged, this, restart);
            else if (auto *list = qobject_cast<QComboBox *>(element))
                connect(list, &QComboBox::currentIndexChanged, this, restart);
        }
    }
}

void EntriesKeeper::saveNow()
{
    m_timer->stop();
    saveControls(m_table);
}

void keepEntriesAsTheyChange(QWidget *form, const QList<Controls> &table)
{
    new EntriesKeeper(form, table);
}

bool openCalculation(const QString &taskKey, const Gui::CalculatorStart &start)
{
    if (!start.task) {
        keepTask(taskKey, std::nullopt);
        return start.restoreEntries;
    }
    const std::optional<Core::GivenTask> kept = keptTask(taskKey);
    keepTask(taskKey, start.task);
    return kept && kept->sameTask(*start.task);
}

} // namespace Store
