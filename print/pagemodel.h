#pragma once
// The laid-out pages of a report: every item at its place on the paper with its final
// text. Built first, painted after, so a test can read the pages without pixels.

#include "print/report.h"

#include <QStringList>
#include <vector>

namespace print {

class RowSource;

enum class BandKind { PageHeader, Title, ColumnHeader, GroupHeader, Detail, GroupFooter, Summary, PageFooter };

struct PageItem {
    Item::Kind kind = Item::Kind::Text;
    BandKind band = BandKind::Detail;
    QRectF rect;        // mm from the top-left corner of the paper
    QString text;
    Style style;        // family filled in from the report
    qreal pen = 0.25;
};

struct Page {
    std::vector<PageItem> items;
    // The texts of the page in the order they were placed (empty texts left out).
    QStringList texts() const;
    QStringList texts(BandKind band) const;
};

struct PageModel {
    QString name;
    PageSetup page;
    std::vector<Page> pages;

    bool isEmpty() const { return pages.empty(); }
    int pageCount() const { return int(pages.size()); }
    QStringList texts() const;          // all pages in order
};

// Lays the report out over the rows; `values` feed value items and Context::value().
PageModel buildPages(const Report &report, const RowSource &rows, const QVariantMap &values = {});
// A report without detail rows (a receipt ticket, a note's header alone).
PageModel buildPages(const Report &report, const QVariantMap &values);

} // namespace print
