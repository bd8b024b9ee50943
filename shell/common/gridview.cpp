#include "shell/common/gridview.h"

#include <QHeaderView>
#include <QScrollBar>

namespace shell {

GridView::GridView(QWidget *parent) : QTableView(parent), m_frozen(new QTableView(this))
{
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    setHorizontalScrollMode(ScrollPerPixel);
    setAlternatingRowColors(true);

    m_frozen->setFocusPolicy(Qt::NoFocus);
    m_frozen->verticalHeader()->hide();
    m_frozen->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
    m_frozen->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_frozen->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_frozen->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_frozen->setAlternatingRowColors(true);
    m_frozen->setStyleSheet(QStringLiteral("QTableView { border: none; }"));
    m_frozen->hide();
    viewport()->stackUnder(m_frozen);

    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int logical, int, int size) {
        m_frozen->setColumnWidth(logical, size);
        placeFrozen();
        emit layoutUpdated();
    });
    connect(horizontalHeader(), &QHeaderView::sectionMoved, this, [this] { emit layoutUpdated(); });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &GridView::layoutUpdated);
    connect(m_frozen->verticalScrollBar(), &QScrollBar::valueChanged, verticalScrollBar(), &QScrollBar::setValue);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, m_frozen->verticalScrollBar(), &QScrollBar::setValue);
    connect(m_frozen, &QTableView::doubleClicked, this, &QTableView::doubleClicked);
}

void GridView::setModel(QAbstractItemModel *model)
{
    QTableView::setModel(model);
    m_frozen->setModel(model);
    m_frozen->setSelectionModel(selectionModel());
    syncFrozen();
}

QList<int> GridView::frozenLogicalColumns() const
{
    QList<int> cols;
    const QHeaderView *h = horizontalHeader();
    for (int v = 0; v < h->count() && cols.size() < m_frozenCount; ++v) {
        const int logical = h->logicalIndex(v);
        if (!isColumnHidden(logical))
            cols.append(logical);
    }
    return cols;
}

void GridView::setFrozenColumns(int count)
{
    m_frozenCount = count;
    syncFrozen();
}

void GridView::syncFrozen()
{
    if (!model())
        return;
    m_frozen->setSelectionBehavior(selectionBehavior());
    m_frozen->setEditTriggers(editTriggers());
    QHeaderView *mine = horizontalHeader();
    QHeaderView *theirs = m_frozen->horizontalHeader();
    // Same column order as the main view, then only the frozen columns shown.
    for (int v = 0; v < mine->count() && v < theirs->count(); ++v) {
        const int logical = mine->logicalIndex(v);
        const int at = theirs->visualIndex(logical);
        if (at != v)
            theirs->moveSection(at, v);
    }
    const QList<int> frozen = frozenLogicalColumns();
    for (int c = 0; c < model()->columnCount(); ++c) {
        m_frozen->setColumnHidden(c, !frozen.contains(c));
        m_frozen->setColumnWidth(c, columnWidth(c));
    }
    m_frozen->setVisible(!frozen.isEmpty());
    placeFrozen();
}

int GridView::frozenWidth() const
{
    int w = 0;
    for (int c : frozenLogicalColumns())
        w += columnWidth(c);
    return w;
}

void GridView::placeFrozen()
{
    if (m_frozenCount <= 0)
        return;
    m_frozen->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
    m_frozen->setGeometry(viewport()->x(), frameWidth(), frozenWidth(),
                          viewport()->height() + horizontalHeader()->height());
}

void GridView::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    placeFrozen();
    emit layoutUpdated();
}

void GridView::updateGeometries()
{
    QTableView::updateGeometries();
    placeFrozen();
}

QModelIndex GridView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex current = QTableView::moveCursor(cursorAction, modifiers);
    // Keep the cursor out from under the frozen columns when moving left.
    if (cursorAction == MoveLeft && current.isValid() && !frozenLogicalColumns().contains(current.column())) {
        const int x = visualRect(current).topLeft().x();
        if (x < frozenWidth())
            horizontalScrollBar()->setValue(horizontalScrollBar()->value() + x - frozenWidth());
    }
    return current;
}

void GridView::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    if (!index.isValid() || frozenLogicalColumns().contains(index.column())) {
        // Only scroll vertically for a frozen cell.
        if (index.isValid()) {
            const int oldX = horizontalScrollBar()->value();
            QTableView::scrollTo(index, hint);
            horizontalScrollBar()->setValue(oldX);
        }
        return;
    }
    QTableView::scrollTo(index, hint);
}

} // namespace shell
