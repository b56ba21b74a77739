// One run of the program's save or restore sequence on a given store folder,
// for tst_store: "store_peer save <folder>" fills pickers, fields and the
// result list with awkward texts and saves them as the forms do when they
// unload; "store_peer restore <folder>" loads fresh controls as the forms do.
// Both print every value, one per line, for the two runs to compare.

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

#include <cstdio>

namespace {

// Texts that the store's file format has to quote or escape.
QString awkward(int i)
{
    static const QStringList texts{QStringLiteral("Maria, Muster"),
                                   QStringLiteral("a=b"),
                                   QStringLiteral("[solar]"),
                                   QStringLiteral("Zeile 1\nZeile 2"),
                                   QStringLiteral("äöüß°"),
                                   QStringLiteral(" blank "),
                                   QStringLiteral("@Invalid()"),
                                   QStringLiteral("\"x\""),
                                   QStringLiteral("back\\slash"),
                                   QStringLiteral(";#"),
                                   QString()};
    return texts.at(i % texts.size());
}

template <typename Control> void addControls(QWidget &form, const QString &name, int count)
{
    for (int i = 0; i < count; ++i)
        (new Control(&form))->setObjectName(name + u'_' + QString::number(i));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3 || (args[1] != u"save" && args[1] != u"restore")) {
        std::fputs("usage: store_peer save|restore <folder>\n", stderr);
        return 2;
    }
    const bool save = args[1] == u"save";
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, args[2]);
    QTextStream out(stdout);
    const auto print = [&out](const QString &key, const QString &value) {
        out << key << u'\t' << QString::fromLatin1(value.toUtf8().toPercentEncoding()) << u'\n';
    };

    // The Solar form's pickers (under a prefix) and its Text1 (by number), the
    // rectification's sidereal times and the main window's date (by name).
    QWidget form;
    addControls<QComboBox>(form, QStringLiteral("cmbDeg13"), 3);
    addControls<QLineEdit>(form, QStringLiteral("Text1"), 5);
    addControls<QLineEdit>(form, QStringLiteral("txtSTernZeit2"), 2);
    addControls<QLineEdit>(form, QStringLiteral("txtDateh"), 3);

    PickerArray pickers(&form, QStringLiteral("cmbDeg13"), 3);
    FillDegreePicker(pickers);
    FillMinutePicker(pickers);
    FillSecondPicker(pickers);
    for (int e = 0; save && e < 3; ++e)
        pickers.select(e, 17 + e);
    save ? SavePickers(pickers, QStringLiteral("13"))
         : RestorePickers(pickers, QStringLiteral("13"));
    for (int e = 0; e < 3; ++e)
        print(pickers.at(e)->objectName(), QString::number(pickers.position(e)));

    int n = 0;
    for (const auto &[name, count] :
         {std::pair{"Text1", 5}, {"txtSTernZeit2", 2}, {"txtDateh", 3}}) {
        FieldArray fields(&form, QLatin1String(name), count);
        for (int i = 0; save && i < count; ++i)
            fields.setText(i, awkward(n++));
        const bool byNumber = fields.name() == u"Text1";
        if (save)
            (byNumber ? SaveFieldsByNumber : SaveFieldsByName)(fields, count - 1);
        else
            (byNumber ? RestoreFieldsByNumber : RestoreFieldsByName)(fields, count - 1);
        for (int i = 0; i < count; ++i)
            print(fields.at(i)->objectName(), fields.text(i));
    }

    QTreeView view;
    ResultList list(&view);
    for (int i = 0; save && i < 12; ++i)
        list.appendRow({awkward(i), awkward(i + 1), awkward(i + 2)});
    save ? SaveResultList(list) : RestoreResultList(list);
    for (int i = 1; i <= list.rowCount(); ++i) {
        const ResultRow row = list.row(i);
        print(QStringLiteral("List1 row ") + QString::number(i),
              row.column1 + u'|' + row.column2 + u'|' + row.column3);
    }
    return 0;
}
