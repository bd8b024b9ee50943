#include "print/report.h"
#include "print/rowsource.h"
#include "store/money.h"

#include <algorithm>

namespace print {

QVariant Context::field(const QString &name) const
{
    if (!m_rows || m_row < 0 || m_row >= m_rows->count())
        return {};
    return m_rows->value(m_row, name);
}

QVariant Context::value(const QString &name) const
{
    return m_values ? m_values->value(name) : QVariant();
}

QVariant Context::sum(const QString &name) const
{
    store::Money total;
    if (m_rows) {
        for (int r = m_scopeBegin; r < m_scopeEnd && r < m_rows->count(); ++r)
            total += store::Money::fromVariant(m_rows->value(r, name));
    }
    return total.toVariant();
}

Cell Cell::label(const QString &text, qreal width, Align align)
{
    return Cell{width, Item::Source::Literal, text, {}, {}, align};
}

Cell Cell::field(const QString &name, qreal width, const QString &mask, Align align)
{
    return Cell{width, Item::Source::Field, name, mask, {}, align};
}

Cell Cell::value(const QString &name, qreal width, const QString &mask, Align align)
{
    return Cell{width, Item::Source::Value, name, mask, {}, align};
}

Cell Cell::sum(const QString &name, qreal width, const QString &mask, Align align)
{
    return Cell{width, Item::Source::Sum, name, mask, {}, align};
}

Cell Cell::computed(Compute compute, qreal width, Align align)
{
    return Cell{width, Item::Source::Computed, {}, {}, std::move(compute), align};
}

Cell Cell::blank(qreal width)
{
    return Cell{width, Item::Source::Literal, {}, {}, {}, Align::Left};
}

Band &Band::add(Item item)
{
    items.push_back(std::move(item));
    return *this;
}

Band &Band::label(const QRectF &rect, const QString &text, const Style &style)
{
    return add(Item{.kind = Item::Kind::Text, .source = Item::Source::Literal, .rect = rect, .text = text, .style = style});
}

Band &Band::field(const QRectF &rect, const QString &name, const QString &mask, const Style &style)
{
    return add(Item{.kind = Item::Kind::Text, .source = Item::Source::Field, .rect = rect, .text = name, .mask = mask,
                    .style = style});
}

Band &Band::value(const QRectF &rect, const QString &name, const QString &mask, const Style &style)
{
    return add(Item{.kind = Item::Kind::Text, .source = Item::Source::Value, .rect = rect, .text = name, .mask = mask,
                    .style = style});
}

Band &Band::sum(const QRectF &rect, const QString &name, const QString &mask, const Style &style)
{
    return add(Item{.kind = Item::Kind::Text, .source = Item::Source::Sum, .rect = rect, .text = name, .mask = mask,
                    .style = style});
}

Band &Band::computed(const QRectF &rect, Compute compute, const Style &style)
{
    return add(Item{.kind = Item::Kind::Text, .source = Item::Source::Computed, .rect = rect,
                    .compute = std::move(compute), .style = style});
}

Band &Band::line(const QPointF &from, const QPointF &to, qreal pen)
{
    return add(Item{.kind = Item::Kind::Line, .rect = QRectF(from, to), .pen = pen});
}

Band &Band::box(const QRectF &rect, qreal pen)
{
    return add(Item{.kind = Item::Kind::Box, .rect = rect, .pen = pen});
}

Band &Band::cells(qreal x, qreal y, qreal h, std::initializer_list<Cell> list, Style style)
{
    return cells(x, y, h, std::vector<Cell>(list), style);
}

Band &Band::cells(qreal x, qreal y, qreal h, const std::vector<Cell> &list, Style style)
{
    for (const Cell &cell : list) {
        Style cellStyle = style;
        cellStyle.align = cell.align;
        add(Item{.kind = Item::Kind::Text, .source = cell.source, .rect = QRectF(x, y, cell.width, h),
                 .text = cell.text, .mask = cell.mask, .compute = cell.compute, .style = cellStyle});
        x += cell.width;
    }
    return *this;
}

Band &Band::onlyIf(Condition condition)
{
    if (!items.empty())
        items.back().when = std::move(condition);
    return *this;
}

qreal Band::extent() const
{
    qreal bottom = height;
    for (const Item &item : items)
        bottom = std::max({bottom, item.rect.top(), item.rect.bottom()});
    return bottom;
}

PageSetup PageSetup::a4Portrait(const QMarginsF &margins)
{
    return PageSetup{QSizeF(210, 297), margins};
}

PageSetup PageSetup::a4Landscape(const QMarginsF &margins)
{
    return PageSetup{QSizeF(297, 210), margins};
}

PageSetup PageSetup::custom(const QSizeF &paper, const QMarginsF &margins)
{
    return PageSetup{paper, margins};
}

void addTable(Report &report, const std::vector<Column> &columns, const TableStyle &style)
{
    std::vector<Cell> titles;
    std::vector<Cell> fields;
    for (const Column &c : columns) {
        titles.push_back(Cell::label(c.title, c.width, Align::Center));
        if (c.compute)
            fields.push_back(Cell::computed(c.compute, c.width, c.align));
        else if (!c.field.isEmpty())
            fields.push_back(Cell::field(c.field, c.width, c.mask, c.align));
        else
            fields.push_back(Cell::blank(c.width));
    }
    report.columnHeader.cells(style.x, 0, style.headerHeight, titles,
                              {.pt = style.headerPt, .bold = style.headerBold, .sides = AllSides});
    report.detail.cells(style.x, 0, style.rowHeight, fields, {.pt = style.pt, .sides = AllSides});
}

} // namespace print
