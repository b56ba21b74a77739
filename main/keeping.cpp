#include "main/keeping.h"

#include "settings/entrieskeeper.h"
#include "ui/resultlist.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QTreeView>
#include <QUndoStack>

namespace App {

using namespace Gui;

Keeping::Keeping(ResultList &list, QList<Store::Controls> personFields, QUndoStack *steps,
                 QObject *parent)
    : QObject(parent), m_list(list),
      m_personFields(new Store::EntriesKeeper(this, std::move(personFields)))
{
    // The list's rows change only by insertion (a new row, rows put back)
    // and removal, each as one block.
    const QAbstractItemModel *rows = list.view()->model();
    connect(rows, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &, int first) { rowsChanged(first + 1); });
    connect(rows, &QAbstractItemModel::rowsRemoved, this,
            [this](const QModelIndex &, int first) { rowsChanged(first + 1); });
    connect(m_personFields, &Store::EntriesKeeper::changed, this,
            [this] { m_savedOnClosing = false; });
    connect(steps, &QUndoStack::indexChanged, m_personFields, &Store::EntriesKeeper::saveNow);

    // The program can also end without the window being closed: at logout
    // the session manager asks for the data first, and the application may be
    // told to quit. Both save what closing the window would have saved.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &Keeping::saveOnClosing);
#ifndef QT_NO_SESSIONMANAGER
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, [this] { saveOnClosing(); });
#endif
}

void Keeping::rowsChanged(int firstPosition)
{
    m_savedOnClosing = false;
    // The rows above the change are as stored.
    Store::saveResultList(m_list, firstPosition);
}

void Keeping::saveOnClosing()
{
    // Closing the window and then quitting the application, or a logout that
    // asks for the data and then quits, would otherwise save twice. A logout
    // that was cancelled and followed by more work saves again at the end.
    if (m_savedOnClosing)
        return;
    Store::saveResultList(m_list);
    m_personFields->saveNow();
    m_savedOnClosing = true;
}

} // namespace App
