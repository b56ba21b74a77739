#include "main/documents.h"

#include "main/weblinks.h"
#include "ui/services.h"

#include <QAction>
#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPalette>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace App {

using namespace Gui;

QString programFolder()
{
    return QCoreApplication::applicationDirPath();
}

QString documentPath(const QString &programFolder, const QString &folder, const QString &fileName)
{
    return QDir::toNativeSeparators(QDir(programFolder).filePath(folder + u'/' + fileName));
}

QList<TeachingItem> teachingItems(QStringList fileNames)
{
    std::sort(fileNames.begin(), fileNames.end(), [](const QString &a, const QString &b) {
        const int folded = QString::compare(a, b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });

    static const QString Extension = QStringLiteral(".pdf");
    QList<TeachingItem> items;
    items.reserve(fileNames.size());
    for (const QString &name : std::as_const(fileNames)) {
        QString caption;
        if (name.size() >= 2 + Extension.size())
            caption = name.mid(2, name.size() - 2 - Extension.size());
        else if (name.endsWith(Extension, Qt::CaseInsensitive))
            caption = name.chopped(Extension.size());
        else
            caption = name;
        items.append({caption, name});
    }
    return items;
}

QStringList pdfFileNames(const QString &folder)
{
    // Matched without regard to case, as the desktop where the teaching files
    // are usually collected does; hidden files are left out.
    return QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Unsorted);
}

QString providerText()
{
    return QString::fromUtf8(VELMORA_PROVIDER_URL);
}
QUrl providerUrl()
{
    return QUrl::fromUserInput(providerText());
}
QString publisherText()
{
    return QString::fromUtf8(VELMORA_PUBLISHER_URL);
}
// Handed over as it is shown ("www.example.com"), the address would be taken
// for a file in the current folder; read as a user would type it into a
// browser, it becomes http://www.example.com.
QUrl publisherUrl()
{
    return QUrl::fromUserInput(publisherText());
}

void showAsLink(QLabel *label, const QString &text, const QUrl &url)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::Link, QColor(0, 0, 128));
    label->setPalette(palette);
    label->setTextFormat(Qt::RichText);
    label->setText(QStringLiteral("<a href=\"%1\">%2</a>")
                       .arg(url.toString().toHtmlEscaped(), text.toHtmlEscaped()));
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    label->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(label, &QLabel::linkActivated, label,
                     [label, url] { openForWindow(label, url); });
}

namespace {

QAction *addItem(QMenu *menu, const QString &name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

} // namespace

DocumentLinks::DocumentLinks(QWidget *window, const QString &folder)
    : QObject(window), m_programFolder(folder),
      m_documentMenu(new QMenu(QStringLiteral("programmbedienung"), window)),
      m_teachingMenu(new QMenu(QStringLiteral("lehrmat"), window))
{
    // The menus and their items carry the names by which the program is
    // driven from outside.
    m_documentMenu->setObjectName(QStringLiteral("pb_0"));
    const struct {
        const char16_t *name;
        const char16_t *caption;
        const QString &fileName;
    } documents[] = {
        {u"prog", u"Programmbedienung", Documents::ProgramUse},
        {u"fpsolar", u"Fahrplan Solar", Documents::SolarRoadmap},
        {u"fpgzk", u"Fahrplan GZK", Documents::RectificationRoadmap},
    };
    for (const auto &[name, caption, fileName] : documents) {
        QAction *item =
            addItem(m_documentMenu, QString::fromUtf16(name), QString::fromUtf16(caption));
        connect(item, &QAction::triggered, this,
                [this, file = fileName] { openDocument(Documents::OtherFolder, file); });
    }

    // The placeholder stands in the menu until it is built; it carries no file.
    m_teachingMenu->setObjectName(QStringLiteral("lehrmat_0"));
    m_teachingItems.append(
        addItem(m_teachingMenu, QStringLiteral("unter_0"), QStringLiteral("unter")));
}

void DocumentLinks::buildTeachingMenu()
{
    const QString folder = documentPath(m_programFolder, Documents::TeachingFolder, {});
    const QList<TeachingItem> items = teachingItems(pdfFileNames(folder));
    for (const TeachingItem &item : items) {
        const int index = static_cast<int>(m_teachingItems.size());
        // An ampersand in a file name is shown as such, not taken for a shortcut.
        QString caption = item.caption;
        caption.replace(u'&', QStringLiteral("&&"));
        QAction *action = addItem(m_teachingMenu, QStringLiteral("unter_%1").arg(index), caption);
        action->setData(item.fileName);
        connect(action, &QAction::triggered, this, [this, index] { openTeachingDocument(index); });
        m_teachingItems.append(action);
    }
    m_teachingItems.constFirst()->setVisible(false);
}

void DocumentLinks::openDocument(const QString &folder, const QString &fileName, QWidget *asker)
{
    openForWindow(asker ? asker : qobject_cast<QWidget *>(parent()),
                  QUrl::fromLocalFile(documentPath(m_programFolder, folder, fileName)));
}

void DocumentLinks::openFixedDocument(const QString &fileName, QWidget *asker)
{
    openDocument(Documents::OtherFolder, fileName, asker);
}

void DocumentLinks::showDocumentMenu(const QPoint &where)
{
    m_documentMenu->exec(where);
}

void DocumentLinks::openProgramUse()
{
    openDocument(Documents::OtherFolder, Documents::ProgramUse);
}

void DocumentLinks::openSolarExample()
{
    openDocument(Documents::OtherFolder, Documents::SolarExample);
}

void DocumentLinks::openRectificationExample()
{
    openDocument(Documents::OtherFolder, Documents::RectificationExample);
}

void DocumentLinks::showTeachingMenu(const QPoint &where)
{
    // With no teaching documents there is nothing to choose: no empty pop-up.
    const bool any = std::any_of(m_teachingItems.cbegin(), m_teachingItems.cend(),
                                 [](const QAction *a) { return a->isVisible(); });
    if (any)
        m_teachingMenu->exec(where);
}

void DocumentLinks::openTeachingDocument(int index)
{
    if (index < 1 || index >= m_teachingItems.size())
        return;
    openDocument(Documents::TeachingFolder, m_teachingItems.at(index)->data().toString());
}

} // namespace App
