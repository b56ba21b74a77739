// One run of the program's save or restore sequence on a given store folder,
// for tst_store: "store_peer save <folder>" fills the controls of the three
// forms and the result list with awkward texts and saves them as the forms
// do when they unload; "store_peer restore <folder>" loads fresh controls as
// the forms do. Both print every control's value, one per line, so that two
// runs can be compared.

#include "settings/store.h"
#include "ui/controlarrays.h"
#include "ui/inputhelpers.h"
#include "ui/resultlist.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QSettings>
#include <QTextStream>
#include <QTreeView>
#include <QWidget>

#include <cstdio>

namespace {

struct Arrays {
    QString name;
    int count;
};

const Arrays RektiFields[] = {
    {QStringLiteral("Text1"), 4},         {QStringLiteral("Text7"), 1},
    {QStringLiteral("txtTime0"), 3},      {QStringLiteral("txtSternZeit1"), 2},
    {QStringLiteral("txtSTernZeit2"), 2}, {QStringLiteral("txtDeg3"), 3},
    {QStringLiteral("txtDeg4"), 3},       {QStringLiteral("txtDeg6"), 3},
    {QStringLiteral("txtDeg7"), 3},       {QStringLiteral("txtTime2"), 3},
    {QStringLiteral("txtJahre"), 2},      {QStringLiteral("txtJahre2"), 2},
    {QStringLiteral("txtTime7"), 3},
};
const Arrays HauptFields[] = {
    {QStringLiteral("Text1h"), 1},
    {QStringLiteral("txtDateh"), 3},
    {QStringLiteral("Text3h"), 1},
    {QStringLiteral("txtTime0h"), 3},
};
const QString SolarPickers[] = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("5"),
                                QStringLiteral("13")};

// Texts that the store's file format has to quote or escape.
const QString Awkward[] = {
    QStringLiteral("Maria, Muster"),
    QStringLiteral("a=b"),
    QStringLiteral("[solar]"),
    QStringLiteral("Zeile 1\nZeile 2"),
    QStringLiteral("äöüß°"),
    QStringLiteral(" blank "),
    QStringLiteral("@Invalid()"),
    QStringLiteral("\"x\""),
    QStringLiteral("back\\slash"),
    QStringLiteral(";#"),
    QString(),
};

QString awkward(int i)
{
    return Awkward[i % std::size(Awkward)];
}

QWidget *makeForm(const Arrays *arrays, std::size_t count)
{
    auto *form = new QWidget;
    for (std::size_t a = 0; a < count; ++a) {
        for (int i = 0; i < arrays[a].count; ++i)
            (new QLineEdit(form))->setObjectName(arrays[a].name + u'_' + QString::number(i));
    }
    return form;
}

QWidget *makeSolarForm()
{
    auto *form = new QWidget;
    for (const QString &prefix : SolarPickers) {
        for (int i = 0; i < 3; ++i)
            (new QComboBox(form))
                ->setObjectName(QStringLiteral("cmbDeg") + prefix + u'_' + QString::number(i));
    }
    for (int i = 0; i < 5; ++i)
        (new QLineEdit(form))->setObjectName(QStringLiteral("Text1_") + QString::number(i));
    return form;
}

void print(QTextStream &out, const QString &key, const QString &value)
{
    out << key << u'\t' << QString::fromLatin1(value.toUtf8().toPercentEncoding()) << u'\n';
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3 ||
        (args[1] != QLatin1String("save") && args[1] != QLatin1String("restore"))) {
        std::fputs("usage: store_peer save|restore <folder>\n", stderr);
        return 2;
    }
    const bool save = args[1] == QLatin1String("save");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, args[2]);
    QTextStream out(stdout);

    std::unique_ptr<QWidget> solar(makeSolarForm());
    std::unique_ptr<QWidget> rekti(makeForm(RektiFields, std::size(RektiFields)));
    std::unique_ptr<QWidget> haupt(makeForm(HauptFields, std::size(HauptFields)));
    QTreeView view;
    ResultList list(&view);

    int n = 0;
    for (const QString &prefix : SolarPickers) {
        PickerArray pickers(solar.get(), QStringLiteral("cmbDeg") + prefix, 3);
        FillDegreePicker(pickers);
        FillMinutePicker(pickers);
        FillSecondPicker(pickers);
        if (save) {
            for (int e = 0; e < 3; ++e)
                pickers.select(e, (++n * 7) % pickers.at(e)->count());
            SavePickers(pickers, prefix);
        } else {
            RestorePickers(pickers, prefix);
        }
        for (int e = 0; e < 3; ++e)
            print(out, pickers.at(e)->objectName(), QString::number(pickers.position(e)));
    }

    FieldArray text1(solar.get(), QStringLiteral("Text1"), 5);
    auto fields = [&](FieldArray &array, auto saveRoutine, auto restoreRoutine) {
        if (save) {
            for (int i = 0; i < array.size(); ++i)
                array.setText(i, awkward(++n));
            saveRoutine(array, array.size() - 1);
        } else {
            restoreRoutine(array, array.size() - 1);
        }
        for (int i = 0; i < array.size(); ++i)
            print(out, array.at(i)->parentWidget()->objectName() + array.at(i)->objectName(),
                  array.text(i));
    };
    solar->setObjectName(QStringLiteral("Solar."));
    rekti->setObjectName(QStringLiteral("Rekti."));
    haupt->setObjectName(QStringLiteral("Haupt."));
    fields(text1, SaveFieldsByNumber, RestoreFieldsByNumber);
    for (const Arrays &a : RektiFields) {
        FieldArray array(rekti.get(), a.name, a.count);
        fields(array, SaveFieldsByName, RestoreFieldsByName);
    }
    for (const Arrays &a : HauptFields) {
        FieldArray array(haupt.get(), a.name, a.count);
        fields(array, SaveFieldsByName, RestoreFieldsByName);
    }

    if (save) {
        for (int i = 1; i <= 12; ++i)
            list.appendRow({awkward(i), awkward(i + 1), awkward(i + 2)});
        SaveResultList(list);
    } else {
        RestoreResultList(list);
    }
    for (int i = 1; i <= list.rowCount(); ++i) {
        const ResultRow row = list.row(i);
        print(out, QStringLiteral("List1 row ") + QString::number(i),
              row.column1 + u'|' + row.column2 + u'|' + row.column3);
    }
    return 0;
}
