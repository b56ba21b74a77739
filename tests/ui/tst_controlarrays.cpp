#include "ui/controlarrays.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

// Control arrays find their elements by name and hand every change, by the
// user or by the program, to one handler with the element's index.
class tst_ControlArrays : public QObject {
    Q_OBJECT

private slots:
    void programWritesRunTheChangeHandlerBeforeReturning();
    void reentrantChangeHandler();
    void pickerSelectRunsTheClickHandler_data();
    void pickerSelectRunsTheClickHandler();
    void copiedPickerArrayKeepsOneHandler();
};

namespace {

void addFields(QWidget &form, const QString &name, int count)
{
    for (int i = 0; i < count; ++i)
        (new QLineEdit(&form))->setObjectName(name + u'_' + QString::number(i));
}

void addPickers(QWidget &form, const QString &name, int count, int entries)
{
    for (int i = 0; i < count; ++i) {
        auto *picker = new QComboBox(&form);
        picker->setObjectName(name + u'_' + QString::number(i));
        for (int k = 0; k < entries; ++k)
            picker->addItem(QString::number(k));
    }
}

} // namespace

void tst_ControlArrays::programWritesRunTheChangeHandlerBeforeReturning()
{
    QWidget form;
    addFields(form, QStringLiteral("txtDateh"), 3);
    FieldArray fields(&form, QStringLiteral("txtDateh"), 3);
    QList<QPair<int, QString>> seen;
    fields.onChange([&](int index) { seen.append({index, fields.text(index)}); });

    fields.setText(2, QStringLiteral("2009"));
    QCOMPARE(seen, (QList<QPair<int, QString>>{{2, QStringLiteral("2009")}}));
    QTest::keyClicks(fields.at(0), QStringLiteral("5"));
    QCOMPARE(seen.last(), (QPair<int, QString>{0, QStringLiteral("5")}));
    QCOMPARE(fields.triple(), (FieldTexts{QStringLiteral("5"), QString(), QStringLiteral("2009")}));
}

void tst_ControlArrays::reentrantChangeHandler()
{
    // A handler that writes its own field runs again inside that write, as the
    // range checks rely on when they empty a field.
    QWidget form;
    addFields(form, QStringLiteral("txtJahre"), 2);
    FieldArray fields(&form, QStringLiteral("txtJahre"), 2);
    QStringList calls;
    fields.onChange([&](int index) {
        calls.append(fields.text(index));
        if (fields.text(index).size() > 2)
            fields.setText(index, QString());
    });

    QTest::keyClicks(fields.at(1), QStringLiteral("365"));
    QCOMPARE(calls, (QStringList{QStringLiteral("3"), QStringLiteral("36"), QStringLiteral("365"),
                                 QString()}));
    QCOMPARE(fields.text(1), QString());
}

void tst_ControlArrays::pickerSelectRunsTheClickHandler_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("expectedPosition");
    QTest::addColumn<int>("clicks");

    QTest::newRow("another entry") << 0 << 59 << 59 << 1;
    QTest::newRow("the same entry") << 7 << 7 << 7 << 0;
    QTest::newRow("beyond the last entry") << 7 << 60 << 7 << 0;
    QTest::newRow("negative position") << 7 << -1 << 7 << 0;
}

void tst_ControlArrays::pickerSelectRunsTheClickHandler()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, expectedPosition);
    QFETCH(int, clicks);

    QWidget form;
    addPickers(form, QStringLiteral("cmbDeg13"), 3, 60);
    PickerArray pickers(&form, QStringLiteral("cmbDeg13"), 3);
    pickers.select(2, from);
    QList<int> clicked;
    pickers.onClick([&](int index) { clicked.append(index); });

    pickers.select(2, to);
    QCOMPARE(pickers.position(2), expectedPosition);
    QCOMPARE(clicked, QList<int>(clicks, 2));
}

void tst_ControlArrays::copiedPickerArrayKeepsOneHandler()
{
    // Forms keep their arrays as members and may assign them after wiring.
    QWidget form;
    addPickers(form, QStringLiteral("cmbDeg1"), 3, 31);
    QList<int> first;
    QList<int> second;
    PickerArray copy;
    {
        PickerArray pickers(&form, QStringLiteral("cmbDeg1"), 3);
        pickers.onClick([&](int index) { first.append(index); });
        copy = pickers;
    }
    QTest::keyClick(copy.at(1), Qt::Key_Down); // a user's choice
    copy.click(0);
    QCOMPARE(first, (QList<int>{1, 0}));

    copy.onClick([&](int index) { second.append(index); });
    copy.select(0, 3);
    QCOMPARE(first.size(), 2);
    QCOMPARE(second, QList<int>{0});
}

QTEST_MAIN(tst_ControlArrays)
#include "tst_controlarrays.moc"
