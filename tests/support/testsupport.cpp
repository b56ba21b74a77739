#include "tests/support/testsupport.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QSettings>
#include <QTabWidget>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace Core;
using namespace Gui;

bool IsolatedStore::clear()
{
    auto dir = std::make_unique<QTemporaryDir>();
    if (!dir->isValid())
        return false;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir->path());
    // The record of the work goes beside the store, never into the user's.
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir->path()));
    m_dir = std::move(dir);
    return true;
}

bool IsolatedStore::install(const QString &fixture, const QString &application)
{
    const QString folder = m_dir->path() + u"/velmora";
    const QString target = folder + u'/' + application + u".conf";
    return QDir().mkpath(folder) && QFile::copy(fixture, target) &&
           QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
}

void typeInto(QWidget *window, const char *name, const QString &text)
{
    auto *field = window->findChild<QLineEdit *>(QLatin1String(name));
    QVERIFY2(field, name);
    // Bring its page forward first.
    for (QWidget *w = field; w; w = w->parentWidget()) {
        if (auto *tabs = qobject_cast<QTabWidget *>(
                w->parentWidget() ? w->parentWidget()->parentWidget() : nullptr))
            tabs->setCurrentWidget(w);
    }
    field->setFocus();
    field->selectAll();
    if (text.isEmpty())
        QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

void click(QWidget *window, const char *name)
{
    auto *button = window->findChild<QAbstractButton *>(QLatin1String(name));
    QVERIFY2(button, name);
    button->click();
}

void type(QWidget *form, const char *fields, const QStringList &texts)
{
    for (int i = 0; i < texts.size(); ++i) {
        const QByteArray name = QByteArray(fields) + '_' + QByteArray::number(i);
        typeInto(form, name.constData(), texts[i]);
    }
}

QString shown(QWidget *form, const char *fields, int count)
{
    QStringList texts;
    for (int i = 0; i < count; ++i)
        texts << form->findChild<QLineEdit *>(QLatin1String(fields) + u'_' + QString::number(i))
                     ->text();
    return texts.join(u'|');
}

void closeNow(QWidget *window)
{
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void choose(QWidget *form, const char *list, const QString &entry)
{
    auto *box = form->findChild<QComboBox *>(QLatin1String(list));
    box->setCurrentIndex(box->findText(entry));
}

QStringList pdfPages(const QString &path)
{
    QProcess pdftotext;
    pdftotext.start(u"pdftotext"_s, {u"-layout"_s, path, u"-"_s});
    if (!pdftotext.waitForFinished() || pdftotext.exitCode() != 0)
        return {};
    QStringList pages = QString::fromUtf8(pdftotext.readAllStandardOutput()).split(u'\f');
    for (QString &page : pages)
        page = page.simplified();
    pages.removeAll(QString());
    return pages;
}

QString firstOutOfOrder(const QString &text, const QStringList &fragments)
{
    qsizetype from = 0;
    for (const QString &fragment : fragments) {
        const qsizetype at = text.indexOf(fragment, from);
        if (at < 0)
            return fragment;
        from = at + fragment.size();
    }
    return {};
}

ResultRow numberedRow(int n)
{
    return {u"Solar"_s, QString::number(n), u"1h2m3s"_s};
}

QList<ResultRow> rowsOf(const ResultList &list)
{
    QList<ResultRow> rows;
    for (int position = 1; position <= list.rowCount(); ++position)
        rows.append(list.row(position));
    return rows;
}
