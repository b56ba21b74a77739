#include "main/deletions.h"

#include "record/recorder.h"
#include "ui/resultlist.h"
#include "ui/services.h"

#include <QTreeView>
#include <QUndoStack>

#include <utility>

namespace App {

using namespace Gui;

RowRemoval::RowRemoval(ResultList &list, QUndoStack &steps, int first, int count,
                       const QString &text)
    : QUndoCommand(text), m_list(list), m_steps(steps), m_first(first),
      m_marked(list.currentPosition())
{
    for (int position = first; position < first + count; ++position)
        m_rows.append(list.row(position));
}

void RowRemoval::redo()
{
    // After a refused undo the stack only steps forward again.
    if (std::exchange(m_refused, false))
        return;
    m_list.removeRows(m_first, static_cast<int>(m_rows.size()));
}

void RowRemoval::undo()
{
    if (m_list.insertRows(m_first, m_rows)) {
        m_list.setCurrentPosition(m_marked);
        return;
    }
    // Rows added since the deletion leave no room for these. The stack has
    // counted this step as taken back once this returns: it is redone at
    // once, which leaves it the next step to take back, and only then is
    // the user told.
    m_refused = true;
    QObject::connect(
        &m_steps, &QUndoStack::indexChanged, &m_steps,
        [steps = &m_steps, window = m_list.view()->window()] {
            steps->redo();
            services().showMessage(window, QStringLiteral("Liste ist voll"),
                                   QStringLiteral("velmora"));
        },
        Qt::SingleShotConnection);
}

RecordRemoval::RecordRemoval(Record::Recorder &recorder, QUndoStack &steps, QWidget *window)
    : QUndoCommand(QStringLiteral("Übungsprotokoll löschen")), m_recorder(recorder), m_steps(steps),
      m_window(window)
{}

void RecordRemoval::redo()
{
    // Redone at once after a refused undo: the entries are still removed.
    if (m_removed)
        return;
    const std::optional<QList<Record::Entry>> removed = m_recorder.removeAll();
    if (!removed) {
        setObsolete(true);
        services().showMessage(m_window,
                               QStringLiteral("Das Übungsprotokoll konnte nicht gelöscht werden."),
                               QStringLiteral("velmora"));
        return;
    }
    m_entries = *removed;
    m_removed = true;
}

void RecordRemoval::undo()
{
    if (m_recorder.restore(m_entries)) {
        m_removed = false;
        return;
    }
    QObject::connect(
        &m_steps, &QUndoStack::indexChanged, &m_steps,
        [steps = &m_steps, window = m_window] {
            steps->redo();
            services().showMessage(
                window,
                QStringLiteral("Das Übungsprotokoll konnte nicht wiederhergestellt werden."),
                QStringLiteral("velmora"));
        },
        Qt::SingleShotConnection);
}

PersonChange::PersonChange(const QString &text, PersonState before, PersonState after,
                           std::function<void(const PersonState &)> apply)
    : QUndoCommand(text), m_before(std::move(before)), m_after(std::move(after)),
      m_apply(std::move(apply))
{}

void PersonChange::redo()
{
    m_apply(m_after);
}

void PersonChange::undo()
{
    m_apply(m_before);
}

} // namespace App
