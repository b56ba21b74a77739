#ifndef FORTSCHRITT_PROGRESSCHARTS_H
#define FORTSCHRITT_PROGRESSCHARTS_H

#include "fortschritt/progress.h"

#include <QList>
#include <QWidget>

// The two small charts of the window "Fortschritt", drawn with QPainter.

namespace Progress {

// The share of right answers per week, a group of bars per week with one
// bar per kind, the axis 0 to 100 % and a legend. Where not all weeks fit,
// the latest are shown.
class WeekChart : public QWidget {
    Q_OBJECT
public:
    explicit WeekChart(QWidget *parent = nullptr);
    void setShares(QList<WeekShare> shares);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QList<WeekShare> m_shares;
};

// The most frequent causes as horizontal bars with their names and counts.
class CauseBars : public QWidget {
    Q_OBJECT
public:
    // At most this many causes are drawn.
    static constexpr int Shown = 8;

    explicit CauseBars(QWidget *parent = nullptr);
    void setCauses(QList<CauseCount> causes);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QList<CauseCount> m_causes;
};

// The colour of a kind in the charts.
QColor kindColour(Core::TaskKind kind);

} // namespace Progress

#endif
