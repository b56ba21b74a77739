#include "sheet/sheetactions.h"

#include "sheet/sheetrender.h"
#include "ui/services.h"

#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>

namespace Sheets {

using namespace Gui;

SheetTexts calculationSheetTexts()
{
    return {QStringLiteral("Rechenblatt"),
            QStringLiteral("Das Rechenblatt konnte nicht gespeichert werden: "),
            QStringLiteral("Drucken…"),
            QStringLiteral("actRechenblattDrucken"),
            QStringLiteral("Als PDF speichern…"),
            QStringLiteral("actRechenblattPdf")};
}

void printSheet(QWidget *parent, const Sheet &sheet)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(sheetPageLayout());
    printer.setDocName(sheet.title);
    QPrintPreviewDialog preview(&printer, parent);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&sheet](QPrinter *target) { renderSheet(sheet, target); });
    preview.exec();
}

void saveSheetAsPdf(QWidget *parent, const Sheet &sheet, const QString &fileName,
                    const SheetTexts &texts)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QFileDialog dialog(parent, texts.title, QDir(folder).filePath(fileName),
                       QStringLiteral("PDF-Dateien (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    saveSheetPdfTo(parent, sheet, dialog.selectedFiles().constFirst(), texts);
}

bool saveSheetPdfTo(QWidget *parent, const Sheet &sheet, const QString &path,
                    const SheetTexts &texts)
{
    const QString failure = writeSheetPdf(sheet, path);
    if (failure.isEmpty())
        return true;
    services().showMessage(parent, texts.saveFailed + failure, texts.title);
    return false;
}

SheetMenu attachSheetMenu(QPushButton *button, const SheetTexts &texts,
                          std::function<Sheet()> compose, std::function<QString()> fileName)
{
    auto *menu = new QMenu(button);
    SheetMenu actions{menu->addAction(texts.printText), menu->addAction(texts.pdfText)};
    actions.print->setObjectName(texts.printName);
    actions.savePdf->setObjectName(texts.pdfName);
    button->setMenu(menu);
    QObject::connect(actions.print, &QAction::triggered, button,
                     [button, compose] { printSheet(button->window(), compose()); });
    QObject::connect(actions.savePdf, &QAction::triggered, button,
                     [button, compose, fileName, texts] {
                         saveSheetAsPdf(button->window(), compose(), fileName(), texts);
                     });
    return actions;
}

} // namespace Sheets
