// pdfgen: renders one of velmora's German HTML documents into a PDF file.
//
//   pdfgen <source.html> <target.pdf>
//
// The <title> of the source becomes the title of the PDF. Runs at build time,
// also on machines without a display, and reads nothing but its source file.

#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

#include <cstdio>

namespace {

// Tables with a thin rule, headings in the serif face of the splash screen.
const char StyleSheet[] = R"(
body { font-family: "Liberation Sans"; font-size: 11pt; }
h1 { font-family: "Liberation Serif"; font-size: 20pt; color: #000080; }
h2 { font-family: "Liberation Serif"; font-size: 15pt; color: #000080; margin-top: 14px; }
h3 { font-size: 12pt; margin-top: 10px; }
th { background-color: #e6e9f5; text-align: left; }
td.zahl { text-align: right; }
p.merke { margin-top: 10px; color: #000060; }
.klein { font-size: 9pt; color: #404040; }
)";

int fail(const QString &text)
{
    std::fprintf(stderr, "pdfgen: %s\n", qPrintable(text));
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3)
        return fail(QStringLiteral("usage: pdfgen <source.html> <target.pdf>"));

    QFile source(args.at(1));
    if (!source.open(QIODevice::ReadOnly))
        return fail(source.fileName() + QStringLiteral(": ") + source.errorString());

    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("Liberation Sans"), 11));
    document.setDefaultStyleSheet(QString::fromLatin1(StyleSheet));
    document.setHtml(QString::fromUtf8(source.readAll()));
    const QString title = document.metaInformation(QTextDocument::DocumentTitle);
    if (title.isEmpty())
        return fail(source.fileName() + QStringLiteral(": the document has no <title>"));

    // Written beside the target and renamed at the end, so that an interrupted
    // build never leaves half a PDF behind under the real name.
    QSaveFile target(args.at(2));
    if (!target.open(QIODevice::WriteOnly))
        return fail(target.fileName() + QStringLiteral(": ") + target.errorString());
    {
        QPdfWriter writer(&target);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("velmora"));
        writer.setPageSize(QPageSize(QPageSize::A4));
        // print() lays an unpaginated document out with 2 cm margins of its own
        // and numbers the pages at the foot.
        writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        document.print(&writer);
    }
    if (!target.commit())
        return fail(target.fileName() + QStringLiteral(": ") + target.errorString());
    return 0;
}
