#include "ui/controlarrays.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

// Control arrays hand every change, by the user or by the program, to one
// handler with the element's index.
class tst_ControlArrays : public QObject {
    Q_OBJECT

private slots:
    void reentrantChangeHandler();
    void pickerSelect();
    void copiedPickerArrayKeepsOneHandler();
};

namespace {

template <typename Control> void addControls(QWidget &form, const QString &name, int entries = 0)
{
    for (int i = 0; i < 3; ++i) {
        auto *control = new Control(&form);
        control->setObjectName(name + u'_' + QString::number(i));
        if constexpr (std::is_same_v<Control, QComboBox>) {
            for (int k = 0; k < entries; ++k)
                control->addItem(QString::number(k));
        }
    }
}

} // namespace

void tst_ControlArrays::reentrantChangeHandler()
{
    // A handler that writes its own field runs again inside that write, before
    // the write returns: the range checks rely on it when they empty a field.
    QWidget form;
    addControls<QLineEdit>(form, QStringLiteral("txtJahre"));
    FieldArray fields(&form, QStringLiteral("txtJahre"), 3);
    QList<QPair<int, QString>> calls;
    fields.onChange([&](int index) {
        calls.append({index, fields.text(index)});
        if (fields.text(index).size() > 2)
            fields.setText(index, QString());
    });

    QTest::keyClicks(fields.at(1), QStringLiteral("365"));
    fields.setText(2, QStringLiteral("7"));
    fields.setText(2, QStringLiteral("7")); // no change, no handler
    QCOMPARE(calls, (QList<QPair<int, QString>>{{1, QStringLiteral("3")},
                                                {1, QStringLiteral("36")},
                                                {1, QStringLiteral("365")},
                                                {1, QString()},
                                                {2, QStringLiteral("7")}}));
    QCOMPARE(fields.triple(), (FieldTexts{QString(), QString(), QStringLiteral("7")}));
}

void tst_ControlArrays::pickerSelect()
{
    QWidget form;
    addControls<QComboBox>(form, QStringLiteral("cmbDeg13"), 60);
    PickerArray pickers(&form, QStringLiteral("cmbDeg13"), 3);
    QList<int> clicked;
    pickers.onClick([&](int index) { clicked.append(index); });

    pickers.select(2, 59);
    QCOMPARE(clicked, QList<int>{2});
    // The same entry, and positions the list does not have, change nothing.
    for (int position : {59, 60, -1})
        pickers.select(2, position);
    QCOMPARE(pickers.position(2), 59);
    QCOMPARE(clicked, QList<int>{2});
}

void tst_ControlArrays::copiedPickerArrayKeepsOneHandler()
{
    // Forms keep their arrays as members and may assign them after wiring.
    QWidget form;
    addControls<QComboBox>(form, QStringLiteral("cmbDeg1"), 31);
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
