#pragma once
// A printed layout, declared as bands of items the way printed notes and reports are
// drawn: a title, a page header and a column header, a detail band printed once per
// data row, optional groups, a summary after the last row and a page footer.
//
// Positions are millimetres from the top-left corner of the band; the band is placed
// inside the page margins. buildPages() (pagemodel.h) lays a report out over its rows;
// the renderer paints the result. See docs/print.md for a worked example.

#include <QMarginsF>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QVariant>
#include <functional>
#include <initializer_list>
#include <vector>

namespace print {

class RowSource;

enum class Align { Left, Center, Right };

// Ruled sides of an item's rectangle; combine with |.
enum Sides : int { NoSides = 0, LeftSide = 1, TopSide = 2, RightSide = 4, BottomSide = 8, AllSides = 15 };

struct Style {
    qreal pt = 10;              // font size in points
    bool bold = false;
    Align align = Align::Left;
    int sides = NoSides;        // ruled sides of the rectangle
    bool wrap = false;          // long text breaks over lines; otherwise it shrinks to fit
    bool underline = false;
    QString family;             // empty: the report's font
};

// What a computed text or a condition can read while its band is being placed.
class Context {
public:
    // The current data row: for a detail band its own row, for headers the next row to
    // print, for footers and the summary the last row printed. Null when there is none.
    QVariant field(const QString &name) const;
    // A value handed to the report as a whole (the note's header row, the department...).
    QVariant value(const QString &name) const;
    // The exact total (a store::Money) of a field over the band's rows: the group's
    // rows in a group footer, the page's rows in the page footer, all rows elsewhere.
    QVariant sum(const QString &name) const;
    int rowNumber() const { return m_row + 1; }   // 1-based, within the whole report
    int page() const { return m_page; }

private:
    friend class PageBuilder;
    const RowSource *m_rows = nullptr;
    const QVariantMap *m_values = nullptr;
    int m_row = -1;
    int m_scopeBegin = 0;
    int m_scopeEnd = 0;
    int m_page = 0;
};

using Compute = std::function<QString(const Context &)>;
using Condition = std::function<bool(const Context &)>;

struct Item {
    enum class Kind { Text, Line, Box };
    enum class Source { Literal, Field, Value, Sum, Computed };
    Kind kind = Kind::Text;
    Source source = Source::Literal;
    QRectF rect;        // a line runs from rect.topLeft() to rect.bottomRight()
    QString text;       // the literal text ({page} and {pages} are replaced), or the field/value name
    QString mask;       // display mask of a field, value or sum (store/displayformat.h)
    Compute compute;
    Condition when;     // printed only when it holds
    Style style;
    qreal pen = 0.25;   // width in mm of a line, a box or ruled sides
};

// One cell of a ruled row (Band::cells, table columns).
struct Cell {
    qreal width = 0;
    Item::Source source = Item::Source::Literal;
    QString text;
    QString mask;
    Compute compute;
    Align align = Align::Left;

    static Cell label(const QString &text, qreal width, Align align = Align::Left);
    static Cell field(const QString &name, qreal width, const QString &mask = {}, Align align = Align::Left);
    static Cell value(const QString &name, qreal width, const QString &mask = {}, Align align = Align::Left);
    static Cell sum(const QString &name, qreal width, const QString &mask, Align align = Align::Right);
    static Cell computed(Compute compute, qreal width, Align align = Align::Left);
    static Cell blank(qreal width);
};

class Band {
public:
    // The band is at least this tall and at least as tall as its lowest item.
    qreal height = 0;
    Condition when;     // the whole band prints only when it holds
    std::vector<Item> items;

    Band &label(const QRectF &rect, const QString &text, const Style &style = {});
    Band &field(const QRectF &rect, const QString &name, const QString &mask = {}, const Style &style = {});
    Band &value(const QRectF &rect, const QString &name, const QString &mask = {}, const Style &style = {});
    Band &sum(const QRectF &rect, const QString &name, const QString &mask, const Style &style = {});
    Band &computed(const QRectF &rect, Compute compute, const Style &style = {});
    Band &line(const QPointF &from, const QPointF &to, qreal pen = 0.25);
    Band &box(const QRectF &rect, qreal pen = 0.25);
    // Cells side by side from x, each ruled on style.sides (all sides by default).
    Band &cells(qreal x, qreal y, qreal h, std::initializer_list<Cell> cells, Style style = {.sides = AllSides});
    Band &cells(qreal x, qreal y, qreal h, const std::vector<Cell> &cells, Style style = {.sides = AllSides});
    // The last item added prints only when the condition holds.
    Band &onlyIf(Condition condition);

    bool isEmpty() const { return items.empty() && height <= 0; }
    qreal extent() const;   // the height the band takes on the page

private:
    Band &add(Item item);
};

// Rows grouped by equal consecutive values of a key field (sort the rows by it).
struct Group {
    QString key;
    Band header;        // before the first row of each group
    Band footer;        // after its last row; sums run over the group's rows
};

struct PageSetup {
    QSizeF paper{210, 297};                 // mm, as the sheet is read
    QMarginsF margins{10, 10, 10, 10};      // mm

    static PageSetup a4Portrait(const QMarginsF &margins = {10, 10, 10, 10});
    static PageSetup a4Landscape(const QMarginsF &margins = {10, 10, 10, 10});
    static PageSetup custom(const QSizeF &paper, const QMarginsF &margins);
    bool isLandscape() const { return paper.width() > paper.height(); }
    qreal contentWidth() const { return paper.width() - margins.left() - margins.right(); }
    qreal contentHeight() const { return paper.height() - margins.top() - margins.bottom(); }
};

class Report {
public:
    QString name;                   // document name: previewer title, PDF title
    PageSetup page;
    QString fontFamily = QStringLiteral("Noto Sans CJK SC");
    bool printWhenEmpty = true;     // with no rows: print the other bands anyway, else no pages

    Band pageHeader;                // top of every page
    Band title;                     // first page, under the page header
    Band columnHeader;              // every page that has detail rows
    Band detail;                    // once per row
    std::vector<Group> groups;      // outermost first
    Band summary;                   // after the last row
    Band pageFooter;                // bottom of every page
};

// A ruled table: the column header band gets the titles, the detail band the fields.
struct Column {
    QString title;
    QString field;                  // empty with compute: a computed column; both empty: blank
    qreal width = 20;
    QString mask;
    Align align = Align::Left;
    Compute compute;
};

struct TableStyle {
    qreal x = 0;
    qreal headerHeight = 8;
    qreal rowHeight = 7;
    qreal headerPt = 10;
    qreal pt = 10;
    bool headerBold = true;
};

void addTable(Report &report, const std::vector<Column> &columns, const TableStyle &style = {});

} // namespace print
