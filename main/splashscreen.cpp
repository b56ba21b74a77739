#include "main/splashscreen.h"

#include "ui_splashscreen.h"

#include <QCloseEvent>
#include <QFont>
#include <QGuiApplication>
#include <QScreen>

#include <utility>

namespace App {

SplashScreen::SplashScreen(std::function<QWidget *()> openMainWindow, int intervalMs,
                           QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::SplashScreen>()),
      m_openMainWindow(std::move(openMainWindow))
{
    ui->setupUi(this);
    // No border, no title bar, no taskbar button.
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    setFixedSize(size());

    // The title in Times New Roman, or in its metric twin where the desktop
    // lacks it.
    QFont title;
    title.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")});
    title.setPointSizeF(27.75);
    ui->Label1->setFont(title);
    ui->Label6->setFont(title);
    ui->Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    ui->Label6->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    // The two seconds count from the moment the splash is built.
    m_timer.setSingleShot(true);
    m_timer.setInterval(intervalMs);
    connect(&m_timer, &QTimer::timeout, this, &SplashScreen::showMainWindow);
    m_timer.start();
}

SplashScreen::~SplashScreen() = default;

void SplashScreen::closeEvent(QCloseEvent *event)
{
    // Only the timer ends the splash. Closed from outside (a window manager's
    // close key) before the main window exists, it would end the program.
    if (m_done)
        event->accept();
    else
        event->ignore();
}

void SplashScreen::showMainWindow()
{
    if (m_done)
        return;
    m_done = true;
    m_timer.stop();

    QWidget *mainWindow = m_openMainWindow();
    if (mainWindow) {
        mainWindow->show();
        mainWindow->raise();
        mainWindow->activateWindow();
    }
    close();
}

} // namespace App
