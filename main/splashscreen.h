#ifndef MAIN_SPLASHSCREEN_H
#define MAIN_SPLASHSCREEN_H

#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace Ui {
class SplashScreen;
}
class QCloseEvent;

namespace App {

// The start-up window: a borderless picture with the program's title, shown
// centred for two seconds; then it opens the main window and gives way to it.
// Clicks and keys on it do nothing.
//
// The main window is created and shown before the splash closes, so that at
// no moment is there no window open: the application, which ends when its
// last window closes, keeps running. The timer fires once; a main window
// that is slow to load delays its own appearance but never shows the splash
// again.
class SplashScreen : public QWidget {
    Q_OBJECT

public:
    // openMainWindow creates the main window (its load sequence runs) and
    // returns it; the caller owns it. The splash shows it and makes it the
    // active window.
    explicit SplashScreen(std::function<QWidget *()> openMainWindow, int intervalMs = 2000,
                          QWidget *parent = nullptr);
    ~SplashScreen() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void showMainWindow();

    std::unique_ptr<Ui::SplashScreen> ui;
    std::function<QWidget *()> m_openMainWindow;
    QTimer m_timer;
    bool m_done = false;
};

} // namespace App

#endif
