#include "shell/common/gridfooter.h"
#include "shell/common/gridview.h"

#include <QHeaderView>
#include <QPainter>

namespace shell {

GridFooter::GridFooter(GridView *view, QWidget *parent) : QWidget(parent), m_view(view)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setAccessibleName(QStringLiteral("合计栏"));
    connect(view, &GridView::layoutUpdated, this, qOverload<>(&QWidget::update));
}

int GridFooter::rowHeight() const
{
    return fontMetrics().height() + 8;
}

void GridFooter::setRowCount(int rows)
{
    m_rows = rows;
    setVisible(rows > 0);
    updateGeometry();
    update();
}

void GridFooter::setCell(int row, int logicalColumn, const QString &text, Qt::Alignment alignment)
{
    m_cells.insert({row, logicalColumn}, {text, alignment});
    updateAccessibleText();
    update();
}

QString GridFooter::cellText(int row, int logicalColumn) const
{
    return m_cells.value({row, logicalColumn}).text;
}

void GridFooter::clearCells()
{
    m_cells.clear();
    updateAccessibleText();
    update();
}

void GridFooter::updateAccessibleText()
{
    QStringList texts;
    for (int r = 0; r < m_rows; ++r)
        for (int c = 0; m_view->model() && c < m_view->model()->columnCount(); ++c)
            if (const QString t = cellText(r, c); !t.isEmpty())
                texts.append(t);
    setAccessibleDescription(texts.join(QLatin1Char(' ')));
}

QSize GridFooter::sizeHint() const
{
    return {100, m_rows * rowHeight() + 2};
}

void GridFooter::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Button));
    const QHeaderView *header = m_view->horizontalHeader();
    if (!m_view->model())
        return;
    const int left = m_view->frameWidth() + m_view->viewport()->x();
    const int right = left + m_view->viewport()->width();
    const QList<int> frozen = m_view->frozenLogicalColumns();
    const int h = rowHeight();
    auto drawColumn = [&](int logical, int x) {
        const int w = header->sectionSize(logical);
        for (int r = 0; r < m_rows; ++r) {
            const QRect cell(x, 1 + r * h, w, h);
            p.fillRect(cell.adjusted(0, 0, -1, -1), palette().color(QPalette::Button));
            p.setPen(palette().color(QPalette::Mid));
            p.drawRect(cell.adjusted(0, 0, -1, -1));
            const auto it = m_cells.constFind({r, logical});
            if (it != m_cells.cend() && !it->text.isEmpty()) {
                p.setPen(palette().color(QPalette::ButtonText));
                p.drawText(cell.adjusted(4, 0, -4, 0), int(it->alignment | Qt::AlignVCenter), it->text);
            }
        }
    };
    p.setClipRect(QRect(left, 0, right - left, height()));
    for (int v = 0; v < header->count(); ++v) {
        const int logical = header->logicalIndex(v);
        if (header->isSectionHidden(logical) || frozen.contains(logical))
            continue;
        drawColumn(logical, left + header->sectionViewportPosition(logical));
    }
    // Frozen columns are drawn last, over whatever scrolled beneath them.
    for (int logical : frozen)
        drawColumn(logical, left + header->sectionPosition(logical));
}

} // namespace shell
