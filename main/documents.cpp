#include "main/documents.h"

#include "main/weblinks.h"
#include "ui/services.h"

#include <QAbstractButton>
#include <QAction>
#include <QColor>
#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPalette>
#include <QWidget>

#include <algorithm>
#include <functional>
#include <utility>

QString ProgramFolder()
{
    return QCoreApplication::applicationDirPath();
}

QString DocumentPath(const QString &programFolder, const QString &folder, const QString &fileName)
{
    return QDir::toNativeSeparators(QDir(programFolder).filePath(folder + u'/' + fileName));
}

QList<TeachingItem> TeachingItems(QStringList fileNames)
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

QStringList PdfFileNames(const QString &folder)
{
    // Matched without regard to case, as the desktop where the teaching files
    // are usually collected does; hidden files are left out.
    return QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Unsorted);
}

QString ProviderText()
{
    return QString::fromUtf8(VELMORA_PROVIDER_URL);
}
QUrl ProviderUrl()
{
    return QUrl::fromUserInput(ProviderText());
}
QString PublisherText()
{
    return QString::fromUtf8(VELMORA_PUBLISHER_URL);
}
// Handed over as it is shown ("www.example.com"), the address would be taken
// for a file in the current folder; read as a user would type it into a
// browser, it becomes http://www.example.com.
QUrl PublisherUrl()
{
    return QUrl::fromUserInput(PublisherText());
}

namespace {

// Makes a label look and act like a link: dark blue, underlined, a pointing
// hand over it, and a click with the left button runs the handler.
class LinkClickFilter : public QObject {
public:
    LinkClickFilter(QLabel *label, std::function<void()> onClick)
        : QObject(label), m_onClick(std::move(onClick))
    {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, QColor(0, 0, 128));
        label->setPalette(palette);
        QFont font = label->font();
        font.setUnderline(true);
        label->setFont(font);
        label->setCursor(Qt::PointingHandCursor);
        label->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonRelease) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            auto *label = static_cast<QLabel *>(watched);
            if (mouse->button() == Qt::LeftButton &&
                label->rect().contains(mouse->position().toPoint())) {
                m_onClick();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_onClick;
};

// Tells which input pressed a menu button: a mouse button released over it,
// or a key (Space, Enter) while it has the focus.
class MouseClickFilter : public QObject {
public:
    MouseClickFilter(QAbstractButton *button, std::function<void(bool)> byMouse)
        : QObject(button), m_byMouse(std::move(byMouse))
    {
        button->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonRelease)
            m_byMouse(true);
        else if (event->type() == QEvent::KeyPress)
            m_byMouse(false);
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void(bool)> m_byMouse;
};

QAction *addItem(QMenu *menu, const QString &name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

} // namespace

DocumentLinks::DocumentLinks(QWidget *window, const QString &programFolder)
    : QObject(window), m_window(window), m_programFolder(programFolder),
      m_documentMenu(new QMenu(QStringLiteral("programmbedienung"), window)),
      m_teachingMenu(new QMenu(QStringLiteral("lehrmat"), window))
{
    m_documentMenu->setObjectName(QStringLiteral("pb_0"));
    connect(addItem(m_documentMenu, QStringLiteral("prog"), QStringLiteral("Programmbedienung")),
            &QAction::triggered, this, &DocumentLinks::prog_Click);
    connect(addItem(m_documentMenu, QStringLiteral("fpsolar"), QStringLiteral("Fahrplan Solar")),
            &QAction::triggered, this, &DocumentLinks::fpsolar_Click);
    connect(addItem(m_documentMenu, QStringLiteral("fpgzk"), QStringLiteral("Fahrplan GZK")),
            &QAction::triggered, this, &DocumentLinks::fpgzk_Click);

    // The placeholder stands in the menu until it is built; it carries no file.
    m_teachingMenu->setObjectName(QStringLiteral("lehrmat_0"));
    m_teachingItems.append(
        addItem(m_teachingMenu, QStringLiteral("unter_0"), QStringLiteral("unter")));

    const auto button = [window](const char *name) {
        return window->findChild<QAbstractButton *>(QLatin1String(name));
    };
    m_documentButton = button("Command1");
    m_teachingButton = button("Command6");
    for (QAbstractButton *b : {m_documentButton, m_teachingButton}) {
        if (b)
            new MouseClickFilter(
                b, [this, b](bool byMouse) { m_clickedByMouse = byMouse ? b : nullptr; });
    }
    if (auto *b = m_documentButton)
        connect(b, &QAbstractButton::clicked, this, &DocumentLinks::Command1_Click);
    if (auto *b = button("Command4"))
        connect(b, &QAbstractButton::clicked, this, &DocumentLinks::Command4_Click);
    if (auto *b = button("Command5"))
        connect(b, &QAbstractButton::clicked, this, &DocumentLinks::Command5_Click);
    if (auto *b = m_teachingButton)
        connect(b, &QAbstractButton::clicked, this, &DocumentLinks::Command6_Click);

    if (auto *label = window->findChild<QLabel *>(QStringLiteral("Label6"))) {
        label->setText(ProviderText());
        new LinkClickFilter(label, [this] { Label6_Click(); });
    }
    if (auto *label = window->findChild<QLabel *>(QStringLiteral("Label7"))) {
        label->setText(PublisherText());
        new LinkClickFilter(label, [this] { Label7_Click(); });
    }
}

void DocumentLinks::buildTeachingMenu()
{
    const QString folder = DocumentPath(m_programFolder, Documents::TeachingFolder, {});
    const QList<TeachingItem> items = TeachingItems(PdfFileNames(folder));
    for (const TeachingItem &item : items) {
        const int index = static_cast<int>(m_teachingItems.size());
        // An ampersand in a file name is shown as such, not taken for a shortcut.
        QString caption = item.caption;
        caption.replace(u'&', QStringLiteral("&&"));
        QAction *action = addItem(m_teachingMenu, QStringLiteral("unter_%1").arg(index), caption);
        action->setData(item.fileName);
        connect(action, &QAction::triggered, this, [this, index] { unter_Click(index); });
        m_teachingItems.append(action);
    }
    m_teachingItems.constFirst()->setVisible(false);
}

// A click with the mouse opens the menu at the pointer. A button pressed from
// the keyboard (or by a screen reader) opens it just below the button's left
// edge, where the user is looking, since the pointer may be anywhere on the
// screen. No item is marked until the user moves to one.
void DocumentLinks::popUp(QMenu *menu, QAbstractButton *button)
{
    const bool byMouse = !button || m_clickedByMouse == button;
    m_clickedByMouse = nullptr;
    menu->exec(byMouse ? QCursor::pos() : button->mapToGlobal(button->rect().bottomLeft()));
}

void DocumentLinks::openDocument(const QString &folder, const QString &fileName)
{
    services().openUrl(QUrl::fromLocalFile(DocumentPath(m_programFolder, folder, fileName)));
}

void DocumentLinks::Command1_Click()
{
    popUp(m_documentMenu, m_documentButton);
}

void DocumentLinks::prog_Click()
{
    openDocument(Documents::OtherFolder, Documents::ProgramUse);
}

void DocumentLinks::fpsolar_Click()
{
    openDocument(Documents::OtherFolder, Documents::SolarRoadmap);
}

void DocumentLinks::fpgzk_Click()
{
    openDocument(Documents::OtherFolder, Documents::RektiRoadmap);
}

void DocumentLinks::Command4_Click()
{
    openDocument(Documents::OtherFolder, Documents::SolarExample);
}

void DocumentLinks::Command5_Click()
{
    openDocument(Documents::OtherFolder, Documents::RektiExample);
}

void DocumentLinks::Command6_Click()
{
    // With no teaching documents there is nothing to choose: no empty pop-up.
    const bool any = std::any_of(m_teachingItems.cbegin(), m_teachingItems.cend(),
                                 [](const QAction *a) { return a->isVisible(); });
    if (any)
        popUp(m_teachingMenu, m_teachingButton);
}

void DocumentLinks::unter_Click(int index)
{
    if (index < 1 || index >= m_teachingItems.size())
        return;
    openDocument(Documents::TeachingFolder, m_teachingItems.at(index)->data().toString());
}

void DocumentLinks::Label6_Click()
{
    services().openUrl(ProviderUrl());
}

void DocumentLinks::Label7_Click()
{
    services().openUrl(PublisherUrl());
}
