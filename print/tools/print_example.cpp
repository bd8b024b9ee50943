// juncheng-print-example: shows the example note form, or writes the note as PDF.
//   juncheng-print-example                 the form (preview, PDF export)
//   juncheng-print-example --pdf FILE [N]  the note with N lines (default 7) as PDF

#include "print/examplenote.h"
#include "print/examplenoteform.h"
#include "print/renderer.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int pdfAt = int(args.indexOf(QStringLiteral("--pdf")));
    if (pdfAt > 0) {
        if (pdfAt + 1 >= args.size()) {
            std::fprintf(stderr, "usage: juncheng-print-example --pdf FILE [LINES]\n");
            return 2;
        }
        const int lines = pdfAt + 2 < args.size() ? args.at(pdfAt + 2).toInt() : 7;
        QString error;
        if (!print::writePdf(print::buildExampleNote(lines), args.at(pdfAt + 1), &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        return 0;
    }
    print::ExampleNoteForm form;
    form.exec();
    return 0;
}
