#ifndef MAIN_TRANSLATIONS_H
#define MAIN_TRANSLATIONS_H

#include <QString>

class QCoreApplication;

namespace App {

// Qt's own texts (the text fields' context menu, the file dialog, the
// overwrite question, the print preview, the standard buttons) come in
// English unless Qt's German translations are loaded. They are a separate
// Debian package (qt6-translations-l10n) found in Qt's translations folder;
// without it the program runs all the same, with those texts in English.
//
// Loads "qtbase_de" from `folder` (Qt's translations folder when empty) into
// the application; false when it is not there.
bool loadQtGermanTexts(QCoreApplication &app, const QString &folder = {});

} // namespace App

#endif
