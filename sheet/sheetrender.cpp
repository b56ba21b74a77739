#include "sheet/sheetrender.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QScreen>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace Sheets {

namespace {

// The colours of the forms, so that the sheet looks like the calculator
// the student used: the grey of the step numbers, and a pale tint of the
// yellow that marks the final result field.
const QColor StepNumberGrey(192, 192, 192);
const QColor FinalTint(255, 252, 204);
const QColor Explanation(70, 70, 70);
const QColor Pending(120, 120, 120);

class SheetLayout {
public:
    SheetLayout(const Sheet &sheet, QPagedPaintDevice *device);

    // Page by page onto the device that the layout was made for.
    bool paint(QPagedPaintDevice *device);

private:
    // The text is laid out in pixels of the screen, with the font's design
    // metrics so that nothing depends on that screen, and drawn scaled to the
    // device; the footer is drawn in the device's own pixels.
    qreal pt(qreal points) const { return points * screenDpi() / 72.0; }
    qreal devicePt(qreal points) const { return points * m_dpi / 72.0; }
    static qreal screenDpi();
    QTextCharFormat text(qreal size, bool bold = false, bool italic = false) const;

    QTextCursor newUnit(const QTextFrameFormat &format = {});
    void addHead();
    void addStep(const SheetStep &step);
    void addFinal();
    void addClosing(const SheetTable &table);
    void keepUnitsTogether();

    const Sheet &m_sheet;
    qreal m_dpi;
    qreal m_scale;      // device pixels to one pixel of the layout
    qreal m_bodyHeight; // of a page, in pixels of the layout
    qreal m_footerHeight;
    QTextDocument m_doc;
    QList<QTextFrame *> m_units;
    QTextFrame *m_final = nullptr; // the frame of the final result, if any
};

SheetLayout::SheetLayout(const Sheet &sheet, QPagedPaintDevice *device)
    : m_sheet(sheet), m_dpi(device->logicalDpiY()), m_scale(m_dpi / screenDpi())
{
    m_doc.setUseDesignMetrics(true);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(10.5);
    m_doc.setDefaultFont(font);
    m_doc.setDocumentMargin(0);

    m_footerHeight = devicePt(22);
    m_bodyHeight = (device->height() - m_footerHeight) / m_scale;
    m_doc.setPageSize(QSizeF(device->width() / m_scale, m_bodyHeight));

    addHead();
    for (const SheetStep &step : m_sheet.steps)
        addStep(step);
    if (!m_sheet.finalCaption.isEmpty())
        addFinal();
    if (m_sheet.closing)
        addClosing(*m_sheet.closing);
    keepUnitsTogether();
}

// The resolution that the text layout takes for the screen's: that of the
// primary screen, 96 dpi where the application asks for it, 100 without a
// screen.
qreal SheetLayout::screenDpi()
{
    if (QCoreApplication::testAttribute(Qt::AA_Use96Dpi))
        return 96;
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        return qRound(screen->logicalDotsPerInchY());
    return 100;
}

QTextCharFormat SheetLayout::text(qreal size, bool bold, bool italic) const
{
    QTextCharFormat format;
    format.setFontPointSize(size);
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(italic);
    return format;
}

// Each part of the sheet (the head, a step, the final result, the closing
// table) is a frame of its own, so that a page break can be put before it
// as a whole.
QTextCursor SheetLayout::newUnit(const QTextFrameFormat &format)
{
    QTextCursor cursor = m_doc.rootFrame()->lastCursorPosition();
    // The empty paragraph that separates two frames stays low.
    cursor.setBlockCharFormat(text(2));
    QTextFrame *frame = cursor.insertFrame(format);
    m_units << frame;
    return frame->firstCursorPosition();
}

void SheetLayout::addHead()
{
    QTextCursor cursor = newUnit();
    QTextBlockFormat titleBlock;
    titleBlock.setBottomMargin(pt(8));
    cursor.setBlockFormat(titleBlock);
    cursor.insertText(m_sheet.title, text(18, true));

    // The person on the left, the calculation's own data on the right.
    QList<SheetFact> left = {{QStringLiteral("Name"), m_sheet.person.name},
                             {QStringLiteral("Geburtsdatum"), m_sheet.person.birthDate},
                             {QStringLiteral("Geburtszeit"), m_sheet.person.birthTime},
                             {QStringLiteral("Geburtsort"), m_sheet.person.birthPlace}};
    QList<SheetFact> right = m_sheet.facts;
    right << SheetFact{QStringLiteral("Gedruckt am"),
                       QLocale(QLocale::German, QLocale::Germany)
                           .toString(m_sheet.printed, QStringLiteral("dd.MM.yyyy"))};
    const int rows = int(qMax(left.size(), right.size()));

    QTextTableFormat format;
    format.setBorder(0);
    format.setCellPadding(pt(1.5));
    format.setCellSpacing(0);
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    format.setColumnWidthConstraints({QTextLength(QTextLength::PercentageLength, 17),
                                      QTextLength(QTextLength::PercentageLength, 33),
                                      QTextLength(QTextLength::PercentageLength, 20),
                                      QTextLength(QTextLength::PercentageLength, 30)});
    QTextTable *table = cursor.insertTable(rows, 4, format);
    const auto put = [&](const QList<SheetFact> &facts, int column) {
        for (int r = 0; r < facts.size(); ++r) {
            QTextCursor cell = table->cellAt(r, column).firstCursorPosition();
            QTextCharFormat caption = text(9.5);
            caption.setForeground(Explanation);
            cell.insertText(facts[r].caption + u':', caption);
            table->cellAt(r, column + 1)
                .firstCursorPosition()
                .insertText(facts[r].value, text(10.5, true));
        }
    };
    put(left, 0);
    put(right, 2);

    // A rule under the head, as under the heading of an exam paper.
    cursor = table->lastCursorPosition();
    cursor.movePosition(QTextCursor::NextBlock);
    QTextBlockFormat rule;
    rule.setProperty(QTextFormat::BlockTrailingHorizontalRulerWidth,
                     QTextLength(QTextLength::PercentageLength, 100));
    rule.setTopMargin(pt(4));
    cursor.setBlockFormat(rule);
    cursor.setBlockCharFormat(text(4));
}

void SheetLayout::addStep(const SheetStep &step)
{
    QTextFrameFormat frame;
    frame.setTopMargin(pt(7));
    QTextCursor cursor = newUnit(frame);

    // "  3.  Entfernungswert": the number on grey as on the form.
    QTextBlockFormat heading;
    heading.setBottomMargin(pt(3));
    cursor.setBlockFormat(heading);
    QTextCharFormat number = text(12, true);
    number.setBackground(StepNumberGrey);
    cursor.insertText(QStringLiteral("\u2002%1.\u2002").arg(step.number), number);
    cursor.insertText(QStringLiteral("\u2002") + step.heading, text(12, true));

    QTextBlockFormat body;
    body.setLeftMargin(pt(30));
    body.setBottomMargin(pt(2));
    if (!step.explanation.isEmpty()) {
        QTextBlockFormat explanation = body;
        explanation.setBottomMargin(pt(5));
        cursor.insertBlock(explanation);
        QTextCharFormat format = text(9.5, false, true);
        format.setForeground(Explanation);
        cursor.insertText(step.explanation, format);
    }
    for (const QString &line : step.lines) {
        cursor.insertBlock(body);
        cursor.insertText(line, text(10.5));
    }
    if (step.computed && step.result.isEmpty())
        return;
    QTextBlockFormat result = body;
    result.setTopMargin(pt(2));
    cursor.insertBlock(result);
    if (step.computed) {
        QTextCharFormat format = text(11, true);
        format.setFontUnderline(true);
        cursor.insertText(step.result, format);
    } else {
        QTextCharFormat format = text(11, false, true);
        format.setForeground(Pending);
        cursor.insertText(step.pending.isEmpty() ? notComputedText() : step.pending, format);
    }
}

// The answer of the whole calculation, framed and tinted like the form's
// result field.
void SheetLayout::addFinal()
{
    QTextFrameFormat frame;
    frame.setTopMargin(pt(12));
    frame.setBorder(pt(1.2));
    frame.setBorderBrush(Qt::black);
    frame.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    frame.setPadding(pt(8));
    frame.setBackground(FinalTint);
    QTextCursor cursor = newUnit(frame);
    m_final = m_units.last();
    cursor.insertText(m_sheet.finalCaption + QStringLiteral(": "), text(13, true));
    if (m_sheet.finalResult.isEmpty()) {
        QTextCharFormat format = text(13, false, true);
        format.setForeground(Pending);
        cursor.insertText(m_sheet.finalPending.isEmpty() ? notComputedText() : m_sheet.finalPending,
                          format);
    } else {
        cursor.insertText(m_sheet.finalResult, text(13, true));
    }
}

void SheetLayout::addClosing(const SheetTable &closing)
{
    QTextFrameFormat frame;
    frame.setTopMargin(pt(18));
    if (closing.ownPage)
        frame.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    QTextCursor cursor = newUnit(frame);
    cursor.insertText(closing.title, text(12, true));

    const int columns = int(closing.columnHeaders.size());
    if (columns > 0) {
        QTextTableFormat format;
        format.setBorder(pt(0.6));
        format.setBorderBrush(Qt::black);
        format.setBorderCollapse(true);
        format.setCellPadding(pt(3));
        format.setCellSpacing(0);
        format.setTopMargin(pt(5));
        format.setHeaderRowCount(1);
        QTextTable *table = cursor.insertTable(int(closing.rows.size()) + 1, columns, format);
        for (int c = 0; c < columns; ++c)
            table->cellAt(0, c).firstCursorPosition().insertText(closing.columnHeaders[c],
                                                                 text(10, true));
        for (int r = 0; r < closing.rows.size(); ++r)
            for (int c = 0; c < columns && c < closing.rows[r].size(); ++c)
                table->cellAt(r + 1, c).firstCursorPosition().insertText(closing.rows[r][c],
                                                                         text(10, c == 0));
        cursor = table->lastCursorPosition();
        cursor.movePosition(QTextCursor::NextBlock);
    }
    if (!closing.finding.isEmpty()) {
        QTextBlockFormat finding;
        finding.setTopMargin(pt(6));
        cursor.setBlockFormat(finding);
        cursor.insertText(closing.finding, text(11));
    }
}

// A part that would run over the end of a page starts on the next one,
// unless it is longer than a page anyway. The final result never stands alone
// at the top of a page: the last step goes over with it.
void SheetLayout::keepUnitsTogether()
{
    QAbstractTextDocumentLayout *layout = m_doc.documentLayout();
    const auto pageOf = [&](QTextFrame *unit, bool last) {
        const QRectF r = layout->frameBoundingRect(unit);
        return int((last ? r.bottom() - 1 : r.top()) / m_bodyHeight);
    };
    const auto breakBefore = [](QTextFrame *unit) {
        QTextFrameFormat format = unit->frameFormat();
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        unit->setFrameFormat(format);
    };
    const qsizetype final = m_units.indexOf(m_final);
    for (qsizetype i = 0; i < m_units.size(); ++i) {
        QTextFrame *unit = m_units.at(i);
        // The last step and the final result go over together.
        QTextFrame *end = i + 1 == final ? m_final : unit;
        const qreal height =
            layout->frameBoundingRect(end).bottom() - layout->frameBoundingRect(unit).top();
        if (pageOf(unit, false) != pageOf(end, true) && height < m_bodyHeight)
            breakBefore(unit);
    }
}

bool SheetLayout::paint(QPagedPaintDevice *device)
{
    QPainter painter;
    if (!painter.begin(device))
        return false;
    const int pages = m_doc.pageCount();
    const qreal width = device->width();
    QFont footerFont = m_doc.defaultFont();
    footerFont.setPointSizeF(8);
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device->newPage())
            return false;
        painter.save();
        painter.scale(m_scale, m_scale);
        painter.translate(0, -page * m_bodyHeight);
        m_doc.drawContents(&painter, QRectF(0, page * m_bodyHeight, width / m_scale, m_bodyHeight));
        painter.restore();

        const qreal bottom = m_bodyHeight * m_scale;
        const QRectF footer(0, bottom + devicePt(8), width, m_footerHeight - devicePt(8));
        painter.setPen(QPen(StepNumberGrey, devicePt(0.5)));
        painter.drawLine(QPointF(0, footer.top()), QPointF(width, footer.top()));
        painter.setPen(Explanation);
        painter.setFont(footerFont);
        QString left = m_sheet.title;
        if (!m_sheet.person.name.isEmpty())
            left += QStringLiteral(" \u2013 ") + m_sheet.person.name;
        painter.drawText(footer, Qt::AlignLeft | Qt::AlignBottom, left);
        painter.drawText(footer, Qt::AlignRight | Qt::AlignBottom,
                         QStringLiteral("Seite %1 von %2").arg(page + 1).arg(pages));
    }
    return painter.end();
}

} // namespace

QPageLayout sheetPageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(25, 15, 15, 12),
                       QPageLayout::Millimeter);
}

bool renderSheet(const Sheet &sheet, QPagedPaintDevice *device)
{
    SheetLayout layout(sheet, device);
    return layout.paint(device);
}

QString writeSheetPdf(const Sheet &sheet, const QString &path)
{
    const QString shown =
        QStringLiteral("\u201e") + QDir::toNativeSeparators(path) + QStringLiteral("\u201c");
    if (QFileInfo(path).isDir())
        return shown + QStringLiteral(" ist ein Ordner.");
    // QSaveFile writes into a new file beside the target and renames it
    // over the target only on commit; anything that fails before leaves
    // neither a half-written file nor a damaged older one.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return shown + QStringLiteral(" lässt sich nicht anlegen (") + file.errorString() +
               QStringLiteral(").");
    bool painted = false;
    {
        QPdfWriter writer(&file);
        writer.setPageLayout(sheetPageLayout());
        writer.setTitle(sheet.title);
        writer.setCreator(QStringLiteral("velmora"));
        painted = renderSheet(sheet, &writer);
    }
    if (!painted) {
        file.cancelWriting();
        return shown + QStringLiteral(" lässt sich nicht beschreiben.");
    }
    if (!file.commit())
        return shown + QStringLiteral(" lässt sich nicht schreiben (") + file.errorString() +
               QStringLiteral(").");
    return {};
}

} // namespace Sheets
