#include "fortschritt/progresscharts.h"

#include <QPainter>

#include <algorithm>

namespace Progress {

namespace {

void drawEmpty(QPainter &painter, const QRect &area, const QString &text)
{
    painter.setPen(QColor(110, 110, 110));
    painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, text);
}

} // namespace

QColor kindColour(Core::TaskKind kind)
{
    switch (kind) {
    case Core::TaskKind::Solar:
        return {230, 150, 30};
    case Core::TaskKind::Rectification:
        return {40, 110, 190};
    case Core::TaskKind::Sidereal:
        return {60, 150, 80};
    }
    return Qt::gray;
}

WeekChart::WeekChart(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void WeekChart::setShares(QList<WeekShare> shares)
{
    m_shares = std::move(shares);
    update();
}

QSize WeekChart::sizeHint() const
{
    return {560, 260};
}

QSize WeekChart::minimumSizeHint() const
{
    return {320, 200};
}

namespace {

// The kinds' colours and names in a row above the plot.
void drawLegend(QPainter &painter, const QPalette &palette, const QFontMetrics &metrics, int x)
{
    const int line = metrics.height();
    for (const Core::TaskKind kind : Kinds) {
        painter.fillRect(QRect(x, 4 + (line - 10) / 2, 10, 10), kindColour(kind));
        x += 14;
        painter.setPen(palette.text().color());
        painter.drawText(QPoint(x, 4 + metrics.ascent()), kindName(kind));
        x += metrics.horizontalAdvance(kindName(kind)) + 16;
    }
}

// The lines at 0, 25, 50, 75 and 100 % with their labels on the left.
void drawPercentAxis(QPainter &painter, const QPalette &palette, const QRect &plot, int axisWidth,
                     int line)
{
    for (int percent = 0; percent <= 100; percent += 25) {
        const int y = plot.bottom() - plot.height() * percent / 100;
        painter.setPen(percent == 0 ? palette.text().color() : QColor(215, 215, 215));
        painter.drawLine(plot.left(), y, plot.right(), y);
        painter.setPen(palette.text().color());
        painter.drawText(QRect(0, y - line / 2, axisWidth, line), Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("%1 %").arg(percent));
    }
}

// The weeks that fit, the latest.
QList<Week> shownWeeks(const QList<WeekShare> &shares, int fitting)
{
    QList<Week> weeks;
    for (const WeekShare &share : shares) {
        if (weeks.isEmpty() || weeks.last() != share.week)
            weeks.append(share.week);
    }
    if (weeks.size() > fitting)
        weeks = weeks.mid(weeks.size() - fitting);
    return weeks;
}

} // namespace

void WeekChart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    const QFontMetrics metrics = fontMetrics();
    const int line = metrics.height();
    if (m_shares.isEmpty()) {
        drawEmpty(painter, rect(), QStringLiteral("Noch keine Antworten im Übungsprotokoll."));
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing, false);

    // The legend on top, the week labels below, the axis on the left.
    const int axisWidth = metrics.horizontalAdvance(QStringLiteral("100 %")) + 8;
    // Two rows of week labels, every other week in the lower one.
    const QRect plot(axisWidth + 4, line + 12, width() - axisWidth - 12, height() - 4 * line - 16);
    drawLegend(painter, palette(), metrics, plot.left());
    drawPercentAxis(painter, palette(), plot, axisWidth, line);

    // Each week a group of three bars, at least half as wide as its label.
    const int labelWidth = metrics.horizontalAdvance(QStringLiteral("KW 52/2026")) + 10;
    const QList<Week> weeks = shownWeeks(m_shares, std::max(1, 2 * plot.width() / labelWidth));
    const int group = plot.width() / static_cast<int>(weeks.size());
    const int bar = std::clamp((group - 10) / static_cast<int>(Kinds.size()), 3, 28);
    for (const WeekShare &share : m_shares) {
        const auto at = weeks.indexOf(share.week);
        if (at < 0)
            continue;
        const auto kindIndex =
            static_cast<int>(std::find(Kinds.begin(), Kinds.end(), share.kind) - Kinds.begin());
        const int groupLeft = plot.left() + static_cast<int>(at) * group;
        const int barsLeft = groupLeft + (group - bar * static_cast<int>(Kinds.size())) / 2;
        const int h = static_cast<int>(plot.height() * share.share() + 0.5);
        const QRect drawn(barsLeft + kindIndex * bar, plot.bottom() - h, bar - 1, h);
        painter.fillRect(drawn, kindColour(share.kind));
    }
    painter.setPen(palette().text().color());
    for (qsizetype i = 0; i < weeks.size(); ++i) {
        const int groupLeft = plot.left() + static_cast<int>(i) * group;
        const int middle = groupLeft + group / 2;
        const int row = group < labelWidth ? static_cast<int>(i % 2) : 0;
        painter.drawLine(middle, plot.bottom(), middle, plot.bottom() + 3 + row * line);
        // Kept whole at the chart's edges.
        const int left = std::clamp(middle - labelWidth / 2, 0, width() - labelWidth);
        painter.drawText(QRect(left, plot.bottom() + 4 + row * line, labelWidth, line),
                         Qt::AlignHCenter | Qt::AlignTop, weekLabel(weeks.at(i)));
    }
}

CauseBars::CauseBars(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CauseBars::setCauses(QList<CauseCount> causes)
{
    m_causes = std::move(causes);
    update();
}

QSize CauseBars::sizeHint() const
{
    return {380, 260};
}

QSize CauseBars::minimumSizeHint() const
{
    return {260, 200};
}

void CauseBars::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    if (m_causes.isEmpty()) {
        drawEmpty(painter, rect().adjusted(8, 0, -8, 0),
                  QStringLiteral("In den letzten 30 Tagen wurde nichts falsch gerechnet."));
        return;
    }
    const QFontMetrics metrics = fontMetrics();
    const int line = metrics.height();
    // Each cause: its name, and below it the bar with its count; as many as
    // fit whole.
    const int leastRow = 2 * line + 6;
    const int rows = std::clamp((height() - 8) / leastRow, 1, static_cast<int>(Shown));
    const qsizetype shown = std::min<qsizetype>(m_causes.size(), rows);
    const int rowHeight = std::max(leastRow, (height() - 8) / rows);
    const int most = m_causes.first().count;
    const int countWidth = metrics.horizontalAdvance(QString::number(most)) + 6;
    const int barSpace = width() - 16 - countWidth;
    for (qsizetype i = 0; i < shown; ++i) {
        const CauseCount &cause = m_causes.at(i);
        const int top = 4 + static_cast<int>(i) * rowHeight;
        painter.setPen(palette().text().color());
        painter.drawText(QRect(8, top, width() - 16, line), Qt::AlignLeft | Qt::AlignVCenter,
                         metrics.elidedText(causeLabel(cause), Qt::ElideRight, width() - 16));
        const int length = std::max(2, barSpace * cause.count / most);
        const QRect barRect(8, top + line + 2, length, line - 4);
        painter.fillRect(barRect, QColor(200, 70, 60));
        painter.drawText(QRect(barRect.right() + 6, top + line, countWidth, line),
                         Qt::AlignLeft | Qt::AlignVCenter, QString::number(cause.count));
    }
}

} // namespace Progress
