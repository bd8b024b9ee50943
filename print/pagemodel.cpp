#include "print/pagemodel.h"
#include "print/rowsource.h"
#include "store/displayformat.h"

namespace print {

QStringList Page::texts() const
{
    QStringList out;
    for (const PageItem &item : items)
        if (item.kind == Item::Kind::Text && !item.text.isEmpty())
            out << item.text;
    return out;
}

QStringList Page::texts(BandKind band) const
{
    QStringList out;
    for (const PageItem &item : items)
        if (item.band == band && item.kind == Item::Kind::Text && !item.text.isEmpty())
            out << item.text;
    return out;
}

QStringList PageModel::texts() const
{
    QStringList out;
    for (const Page &p : pages)
        out << p.texts();
    return out;
}

namespace {
const qreal kEpsilon = 1e-6;

class NoRows : public RowSource {
public:
    int count() const override { return 0; }
    QVariant value(int, const QString &) const override { return {}; }
};
} // namespace

// Places the bands top to bottom, opening a new page when the next band does not fit
// above the page footer. A band taller than a whole page is placed anyway and clipped.
class PageBuilder {
public:
    PageBuilder(const Report &report, const RowSource &rows, const QVariantMap &values)
        : m_report(report), m_rows(rows), m_values(values), m_count(rows.count())
    {
        m_model.name = report.name;
        m_model.page = report.page;
        m_bodyBottom = report.page.contentHeight() - report.pageFooter.extent();
    }

    PageModel run()
    {
        if (m_count == 0 && !m_report.printWhenEmpty)
            return m_model;
        const int groupCount = int(m_report.groups.size());
        std::vector<int> groupStart(groupCount, 0);
        openPage(true);
        for (int row = 0; row < m_count; ++row) {
            const int level = row == 0 ? 0 : changedGroupLevel(row);
            if (row > 0)
                for (int g = groupCount - 1; g >= level; --g)
                    placeBand(m_report.groups[g].footer, BandKind::GroupFooter, context(row - 1, groupStart[g], row), 0, true);
            for (int g = level; g < groupCount; ++g) {
                groupStart[g] = row;
                placeBand(m_report.groups[g].header, BandKind::GroupHeader, context(row, row, groupEnd(g, row)),
                     m_report.detail.extent(), true);
            }
            placeBand(m_report.detail, BandKind::Detail, context(row, 0, m_count), 0, true);
            m_lastRow = row;
        }
        for (int g = groupCount - 1; g >= 0 && m_count > 0; --g)
            placeBand(m_report.groups[g].footer, BandKind::GroupFooter, context(m_count - 1, groupStart[g], m_count), 0, true);
        placeBand(m_report.summary, BandKind::Summary, context(m_count - 1, 0, m_count), 0, false);
        closePage();
        replacePageTokens();
        return std::move(m_model);
    }

private:
    Context context(int row, int scopeBegin, int scopeEnd) const
    {
        Context c;
        c.m_rows = &m_rows;
        c.m_values = &m_values;
        c.m_row = row;
        c.m_scopeBegin = scopeBegin;
        c.m_scopeEnd = scopeEnd;
        c.m_page = int(m_model.pages.size());
        return c;
    }

    QString key(int row, int group) const
    {
        return m_rows.value(row, m_report.groups[group].key).toString();
    }

    int changedGroupLevel(int row) const
    {
        for (int g = 0; g < int(m_report.groups.size()); ++g)
            if (key(row, g) != key(row - 1, g))
                return g;
        return int(m_report.groups.size());
    }

    int groupEnd(int group, int first) const
    {
        int end = first + 1;
        while (end < m_count) {
            bool same = true;
            for (int g = 0; g <= group && same; ++g)
                same = key(end, g) == key(first, g);
            if (!same) break;
            ++end;
        }
        return end;
    }

    // Places a band, first opening a new page when it (and `keepWith` more) does not fit.
    void placeBand(const Band &band, BandKind kind, const Context &ctx, qreal keepWith, bool continuesDetail)
    {
        if (band.isEmpty() || (band.when && !band.when(ctx)))
            return;
        const qreal needed = band.extent() + keepWith;
        if (m_y + needed > m_bodyBottom + kEpsilon && m_y > m_bodyTop + kEpsilon) {
            closePage();
            openPage(continuesDetail);
        }
        Context placed = ctx;
        placed.m_page = int(m_model.pages.size());
        place(band, kind, placed);
    }

    void openPage(bool withColumnHeader)
    {
        m_model.pages.emplace_back();
        m_y = 0;
        m_pageFirstRow = m_lastRow + 1;
        const int next = m_pageFirstRow < m_count ? m_pageFirstRow : m_count - 1;
        placeIfWanted(m_report.pageHeader, BandKind::PageHeader, context(next, 0, m_count));
        if (m_model.pages.size() == 1)
            placeIfWanted(m_report.title, BandKind::Title, context(next, 0, m_count));
        if (withColumnHeader)
            placeIfWanted(m_report.columnHeader, BandKind::ColumnHeader, context(next, 0, m_count));
        m_bodyTop = m_y;
    }

    void closePage()
    {
        m_y = m_report.page.contentHeight() - m_report.pageFooter.extent();
        placeIfWanted(m_report.pageFooter, BandKind::PageFooter, context(m_lastRow, m_pageFirstRow, m_lastRow + 1));
    }

    void placeIfWanted(const Band &band, BandKind kind, const Context &ctx)
    {
        if (!band.isEmpty() && (!band.when || band.when(ctx)))
            place(band, kind, ctx);
    }

    void place(const Band &band, BandKind kind, const Context &ctx)
    {
        Page &page = m_model.pages.back();
        const QPointF origin(m_report.page.margins.left(), m_report.page.margins.top() + m_y);
        for (const Item &item : band.items) {
            if (item.when && !item.when(ctx))
                continue;
            PageItem out;
            out.kind = item.kind;
            out.band = kind;
            out.rect = item.kind == Item::Kind::Line
                           ? QRectF(item.rect.topLeft() + origin, item.rect.bottomRight() + origin)
                           : item.rect.translated(origin);
            out.style = item.style;
            if (out.style.family.isEmpty())
                out.style.family = m_report.fontFamily;
            out.pen = item.pen;
            if (item.kind == Item::Kind::Text) {
                out.text = textOf(item, ctx);
                if (out.text.isEmpty() && item.style.sides == NoSides)
                    continue;
                if (item.source == Item::Source::Literal && out.text.contains(QLatin1String("{page")))
                    m_tokenItems.push_back({int(m_model.pages.size()) - 1, int(page.items.size())});
            }
            page.items.push_back(std::move(out));
        }
        m_y += band.extent();
    }

    QString textOf(const Item &item, const Context &ctx) const
    {
        switch (item.source) {
        case Item::Source::Literal: return item.text;
        case Item::Source::Field: return store::formatValue(ctx.field(item.text), item.mask);
        case Item::Source::Value: return store::formatValue(ctx.value(item.text), item.mask);
        case Item::Source::Sum: return store::formatValue(ctx.sum(item.text), item.mask);
        case Item::Source::Computed: return item.compute ? item.compute(ctx) : QString();
        }
        return {};
    }

    void replacePageTokens()
    {
        const QString pages = QString::number(m_model.pages.size());
        for (const auto &[pageIndex, itemIndex] : m_tokenItems) {
            QString &text = m_model.pages[pageIndex].items[itemIndex].text;
            text.replace(QLatin1String("{pages}"), pages);
            text.replace(QLatin1String("{page}"), QString::number(pageIndex + 1));
        }
    }

    const Report &m_report;
    const RowSource &m_rows;
    const QVariantMap &m_values;
    const int m_count;
    PageModel m_model;
    qreal m_y = 0;
    qreal m_bodyTop = 0;
    qreal m_bodyBottom = 0;
    int m_pageFirstRow = 0;
    int m_lastRow = -1;
    std::vector<std::pair<int, int>> m_tokenItems;
};

PageModel buildPages(const Report &report, const RowSource &rows, const QVariantMap &values)
{
    return PageBuilder(report, rows, values).run();
}

PageModel buildPages(const Report &report, const QVariantMap &values)
{
    return buildPages(report, NoRows(), values);
}

} // namespace print
