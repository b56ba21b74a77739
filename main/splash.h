#ifndef MAIN_SPLASH_H
#define MAIN_SPLASH_H

#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace Ui {
class Form1;
}
class QCloseEvent;

// The start-up window: a borderless picture with the program's title, shown
// centred for two seconds; then it opens the main window and gives way to it.
// Clicks and keys on it do nothing.
//
// The main window is created and shown before the splash closes, so that at
// no moment is there no window open: the application, which ends when its
// last window closes, keeps running. The timer fires once; a main window
// that is slow to load delays its own appearance but never shows the splash
// again.
class Form1 : public QWidget {
    Q_OBJECT

public:
    // openMainWindow creates the main window (its load sequence runs) and
    // returns it; the caller owns it. The splash shows it and makes it the
    // active window.
    explicit Form1(std::function<QWidget *()> openMainWindow, int intervalMs = 2000,
                   QWidget *parent = nullptr);
    ~Form1() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Timer1_Timer();

    std::unique_ptr<Ui::Form1> ui;
    std::function<QWidget *()> m_openMainWindow;
    QTimer Timer1;
    bool m_done = false;
};

#endif
