#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QSettings>

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
