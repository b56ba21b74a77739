#ifndef MAIN_DOCUMENTS_H
#define MAIN_DOCUMENTS_H

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>

class QAction;
class QLabel;
class QMenu;
class QPoint;
class QWidget;

namespace App {

// The teaching documents and web sites of the main window.
//
// The documents are PDF files in two folders below the program's own folder:
// five fixed ones in "pdf/other/" and any number of teaching documents in
// "pdf/lehrmaterialien/". The program never reads them; it hands a local-file
// URL to the desktop's open action (services().openUrl), which starts the
// user's PDF viewer. A missing file is the viewer's business: nothing is
// checked. When the desktop has nothing to open it with, the window that
// asked says so (openForWindow). The program runs from whatever folder it is
// copied to together with its "pdf/" folder.

namespace Documents {
inline const QString OtherFolder = QStringLiteral("pdf/other");
inline const QString TeachingFolder = QStringLiteral("pdf/lehrmaterialien");

inline const QString ProgramUse = QStringLiteral("Programmbedienung.pdf");
inline const QString SolarRoadmap = QStringLiteral("Fahrplan Solar.pdf");
inline const QString RectificationRoadmap = QStringLiteral("Fahrplan GZK.pdf");
inline const QString SolarExample = QStringLiteral("Berechnung des Solars.pdf");
inline const QString RectificationExample = QStringLiteral("Berechnung der Rektifikation.pdf");
inline const QString SiderealExample = QStringLiteral("Berechnung der Sternzeit.pdf");
} // namespace Documents

// The folder that holds the program file.
QString programFolder();

// A document's full path in the platform's notation: the program folder, the
// document folder ("pdf/other") and the file name.
QString documentPath(const QString &programFolder, const QString &folder, const QString &fileName);

// One item of the teaching-material menu.
struct TeachingItem {
    QString caption;  // the title shown in the menu
    QString fileName; // the whole file name, prefix and extension included

    friend bool operator==(const TeachingItem &, const TeachingItem &) = default;
};

// The items for the given file names, sorted by file name, so that the
// two-character prefix ("01", "02", ...) sets the order of the menu.
//
// A teaching file is named prefix + title + ".pdf": "01Aspekte.pdf" gives
// the caption "Aspekte", and "01.pdf" an empty caption (the item still opens
// its file). A name shorter than six characters has no prefix to strip; it is
// shown under its whole name without the extension ("A.pdf" gives "A").
QList<TeachingItem> teachingItems(QStringList fileNames);

// The names of the normal files matching "*.pdf" in a folder, unordered; none
// when the folder is missing.
QStringList pdfFileNames(const QString &folder);

// The two web sites, fixed when the program is built. The training provider's
// address is shown and opened with its scheme; the publisher's is shown
// without one and opened as a web address all the same.
QString providerText();
QUrl providerUrl();
QString publisherText();
QUrl publisherUrl();

// Shows a label's text as a link to a web address: opened through the
// desktop's open action when clicked, or when the label has the focus and
// Enter is pressed.
void showAsLink(QLabel *label, const QString &text, const QUrl &url);

// The documents part of the main window: the document menu `pb` (items
// `prog`, `fpsolar`, `fpgzk`) behind "Programmbedienung" and the
// teaching-material menu `lehrmat` (items `unter_0` ... `unter_n`) behind
// "Lehrmaterialien". It owns nothing but the two menus, which it creates as
// children of the window; no menu bar shows them. Triggering an item's
// QAction opens its document as choosing it would.
class DocumentLinks : public QObject {
    Q_OBJECT

public:
    explicit DocumentLinks(QWidget *window, const QString &folder = programFolder());

    // The last step of the main window's load: one item per teaching document
    // found in "pdf/lehrmaterialien/", then the placeholder `unter_0` is
    // hidden. Files added later show up after the next start.
    void buildTeachingMenu();

    // The two menus at a place on the screen (openMenuOnClick).
    void showDocumentMenu(const QPoint &where);
    void showTeachingMenu(const QPoint &where); // only if it has items
    void openProgramUse();
    void openSolarExample();
    void openRectificationExample();
    // One of the fixed documents ("Berechnung des Solars.pdf") for the window
    // `asker`, which tells of a failure (the main window when none is given).
    void openFixedDocument(const QString &fileName, QWidget *asker = nullptr);

private:
    void openDocument(const QString &folder, const QString &fileName, QWidget *asker = nullptr);
    void openTeachingDocument(int index);

    QString m_programFolder;
    QMenu *m_documentMenu;
    QMenu *m_teachingMenu;
    QList<QAction *> m_teachingItems; // unter_0 ... unter_n
};

} // namespace App

#endif
