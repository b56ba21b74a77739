#include "testsupport.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTabWidget>
#include <QTest>

namespace {

template <typename T> T *control(QWidget *window, const QString &name)
{
    T *found = window->findChild<T *>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

void showPageOf(QWidget *window, QWidget *control)
{
    for (auto *tabs : window->findChildren<QTabWidget *>()) {
        for (int page = 0; page < tabs->count(); ++page) {
            if (tabs->widget(page)->isAncestorOf(control))
                tabs->setCurrentIndex(page);
        }
    }
}

QString element(const QString &array, qsizetype index)
{
    return array + u'_' + QString::number(index);
}

} // namespace

void typeInto(QWidget *window, const QString &field, const QString &text)
{
    auto *edit = control<QLineEdit>(window, field);
    showPageOf(window, edit);
    window->setFocus(); // so that the click selects even in the field last typed into
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(4, edit->height() / 2));
    for (const QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(edit, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), {});
    }
}

void act(QWidget *window, const QString &actions)
{
    for (const QString &action : actions.split(u' ', Qt::SkipEmptyParts)) {
        const qsizetype split = action.indexOf(QRegularExpression(QStringLiteral("[=:]")));
        const QString name = action.left(split);
        const QStringList values = action.mid(split + 1).split(u',');
        for (qsizetype i = 0; split >= 0 && i < values.size(); ++i) {
            const QString target = values.size() > 1 ? element(name, i) : name;
            if (action[split] == u'=')
                typeInto(window, target, values[i]);
            else
                control<QComboBox>(window, target)->setCurrentIndex(values[i].toInt());
        }
        if (split < 0) {
            auto *button = control<QPushButton>(window, action);
            showPageOf(window, button);
            QTest::mouseClick(button, Qt::LeftButton);
        }
    }
}

QString state(QWidget *window, const QString &items)
{
    QStringList shown;
    for (const QString &item : items.split(u' ', Qt::SkipEmptyParts)) {
        if (item.startsWith(u'@')) {
            const QWidget *focused = QApplication::focusWidget();
            shown << u'@' + (focused ? focused->objectName() : QString());
            continue;
        }
        const qsizetype split = item.indexOf(QRegularExpression(QStringLiteral("[=:]")));
        const QString name = item.left(split);
        const qsizetype count = item.count(u',') + 1;
        QStringList values;
        for (qsizetype i = 0; i < count; ++i) {
            const QString target = count > 1 ? element(name, i) : name;
            values << (item[split] == u'='
                           ? control<QLineEdit>(window, target)->text()
                           : QString::number(control<QComboBox>(window, target)->currentIndex()));
        }
        shown << item.left(split + 1) + values.join(u',');
    }
    return shown.join(u' ');
}

RecordingServices::RecordingServices()
{
    setServices(this);
}

RecordingServices::~RecordingServices()
{
    if (&services() == this) // unless a newer recorder has taken over
        setServices(nullptr);
}

void RecordingServices::showMessage(QWidget *parent, const QString &text, const QString &title)
{
    messages.append({text, title});
    messageParents.append(parent);
    if (whileShown)
        whileShown(messages.constLast());
}

void RecordingServices::openUrl(const QUrl &url)
{
    openedUrls.append(url);
}

void RecordingServices::clear()
{
    messages.clear();
    messageParents.clear();
    openedUrls.clear();
}

QStringList cutCaptions(const QWidget *form, bool covering, bool listEntries)
{
    QStringList cut;
    for (const QLabel *label : form->findChildren<QLabel *>()) {
        const QFontMetrics metrics(label->font());
        const QRect room = label->contentsRect();
        const QRect needed =
            label->wordWrap()
                ? metrics.boundingRect(room, Qt::TextWordWrap | label->alignment(), label->text())
                : QStyle::alignedRect(Qt::LeftToRight, label->alignment(),
                                      {metrics.horizontalAdvance(label->text()),
                                       metrics.tightBoundingRect(label->text()).height()},
                                      room);
        bool covered = false;
        for (const QWidget *sibling : label->parentWidget()->findChildren<QWidget *>(
                 QString(), Qt::FindDirectChildrenOnly)) {
            covered |= covering && !qobject_cast<const QLabel *>(sibling) && !sibling->isHidden() &&
                       sibling->geometry().intersects(needed.translated(label->pos()));
        }
        if (!label->text().isEmpty() && (!room.contains(needed) || covered))
            cut << label->objectName();
    }
    for (const QPushButton *button : form->findChildren<QPushButton *>()) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QRect face =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        if (button->fontMetrics().horizontalAdvance(button->text()) > face.width())
            cut << button->objectName();
    }
    for (const QComboBox *list : form->findChildren<QComboBox *>()) {
        QStyleOptionComboBox option;
        option.initFrom(list);
        const QRect face = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                         QStyle::SC_ComboBoxEditField, list);
        for (int i = 0; listEntries && i < list->count(); ++i) {
            if (list->fontMetrics().horizontalAdvance(list->itemText(i)) > face.width())
                cut << list->objectName();
        }
    }
    cut.removeDuplicates();
    return cut;
}

IsolatedStore::IsolatedStore()
{
    clear();
}

IsolatedStore::~IsolatedStore() = default;

bool IsolatedStore::clear()
{
    auto dir = std::make_unique<QTemporaryDir>();
    if (!dir->isValid()) {
        qWarning("no temporary folder for the settings store: %s", qPrintable(dir->errorString()));
        return false;
    }
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir->path());
    m_dir = std::move(dir);
    return true;
}

QString IsolatedStore::path() const
{
    return m_dir ? m_dir->path() : QString();
}

// Formed by hand: a QSettings object made only to ask would let QSettings
// remember the file before a fixture is copied in.
QString IsolatedStore::fileOf(const QString &application) const
{
    return path() + QStringLiteral("/velmora/") + application + QStringLiteral(".conf");
}

bool IsolatedStore::install(const QString &fixtureFile, const QString &application)
{
    const QString target = fileOf(application);
    QFile::remove(target);
    return QDir().mkpath(path() + QStringLiteral("/velmora")) && QFile::copy(fixtureFile, target) &&
           QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
}
