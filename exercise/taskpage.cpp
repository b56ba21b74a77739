#include "exercise/taskpage.h"

#include "exercise/solaranswer.h"
#include "ui/services.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QTableWidget>

namespace Exercise {

void TaskPage::checkAnswer(QWidget *window)
{
    showVerdict(window, judge());
}

// The answer in one line: the time or correction as "9 | 46 | 32", a date
// after it as ", 13.3.2031".
QString TaskPage::answerText() const
{
    const QList<QLineEdit *> fields = answerFields();
    if (std::all_of(fields.begin(), fields.end(),
                    [](const QLineEdit *field) { return field->text().isEmpty(); }))
        return {};
    QString text = fields[0]->text() + QStringLiteral(" | ") + fields[1]->text() +
                   QStringLiteral(" | ") + fields[2]->text();
    if (fields.size() > 3)
        text += QStringLiteral(", ") + fields[3]->text() + u'.' + fields[4]->text() + u'.' +
                fields[5]->text();
    return text;
}

Core::FieldTexts fieldTexts(const QList<QLineEdit *> &fields, int first)
{
    return {fields.at(first)->text(), fields.at(first + 1)->text(), fields.at(first + 2)->text()};
}

void acceptSignedDigits(const QList<QLineEdit *> &fields)
{
    for (QLineEdit *field : fields)
        field->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("-?[0-9]{0,3}")), field));
}

void showVerdict(QWidget *window, const TaskVerdict &verdict)
{
    if (verdict.firstEmpty)
        verdict.firstEmpty->setFocus(Qt::OtherFocusReason);
    Gui::services().showMessage(window, verdict.message, exerciseTitle());
}

void preparePageTable(QTableWidget *page)
{
    page->verticalHeader()->hide();
    page->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    page->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    page->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    page->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void fitToContents(QTableWidget *page)
{
    page->resizeColumnsToContents();
    page->resizeRowsToContents();
    const int frame = 2 * page->frameWidth();
    int height = page->horizontalHeader()->height() + frame;
    for (int row = 0; row < page->rowCount(); ++row)
        height += page->rowHeight(row);
    page->setFixedHeight(height);
    page->setFixedWidth(page->horizontalHeader()->length() + frame);
}

} // namespace Exercise
