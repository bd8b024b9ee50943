#pragma once
// Paints laid-out pages with QPainter: onto a printer, a PDF file or an image.

#include "print/pagemodel.h"

#include <QImage>
#include <QPageLayout>

class QPainter;
class QPrinter;

namespace print {

// The paper of the page setup, without printer margins (the layout keeps its own).
QPageLayout pageLayout(const PageSetup &setup);

// Paints one page; the painter's origin is the top-left corner of the paper and its
// device's logical resolution gives the scale.
void paintPage(QPainter &painter, const PageModel &model, int pageIndex);

// Sets the printer to the model's paper and paints every page onto it.
void printPages(QPrinter &printer, const PageModel &model);

// Writes the pages as a PDF file. False with a message when the file cannot be written.
bool writePdf(const PageModel &model, const QString &path, QString *error = nullptr);

// One page as a white image at the given resolution.
QImage renderPage(const PageModel &model, int pageIndex, int dpi = 150);

} // namespace print
