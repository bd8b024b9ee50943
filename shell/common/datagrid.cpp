#include "shell/common/datagrid.h"
#include "shell/common/gridfind.h"
#include "shell/common/gridfooter.h"
#include "shell/common/gridproxy.h"
#include "shell/common/gridview.h"
#include "shell/common/linemodel.h"
#include "shell/common/querymodel.h"
#include "shell/common/textrules.h"
#include "store/db.h"
#include "store/displayformat.h"
#include "store/money.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace shell {

namespace {

// Cell editors obey the typing rules of their field: numbers take digits only, texts
// of a line grid keep to their width.
class GridDelegate : public QStyledItemDelegate {
public:
    GridDelegate(DataGrid *grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        auto *edit = qobject_cast<QLineEdit *>(editor);
        if (!edit)
            return editor;
        if (auto *lines = qobject_cast<LineModel *>(m_grid->model())) {
            const LineField &f = lines->fields().at(index.column());
            if (f.kind != LineField::Text)
                makeDigitsOnly(edit);
            else if (f.maxBytes > 0)
                limitGbkBytes(edit, f.maxBytes);
        } else if (isNumberValue(m_grid->model()->data(m_grid->model()->index(index.row(), index.column())))) {
            makeDigitsOnly(edit);
        }
        return edit;
    }

private:
    DataGrid *m_grid;
};

QVariant sumOf(const QAbstractItemModel *model, int column)
{
    bool allMoney = true;
    bool any = false;
    store::Money money;
    double number = 0;
    for (int r = 0; r < model->rowCount(); ++r) {
        const QVariant v = model->data(model->index(r, column));
        if (v.isNull() || !v.isValid())
            continue;
        any = true;
        if (v.metaType() == QMetaType::fromType<store::Money>()) {
            money += v.value<store::Money>();
            number += v.value<store::Money>().toDouble();
        } else {
            allMoney = false;
            number += v.toString().toDouble();
        }
    }
    if (!any)
        return 0;
    return allMoney ? money.toVariant() : QVariant(number);
}

} // namespace

DataGrid::DataGrid(QWidget *parent)
    : QWidget(parent), m_proxy(new GridProxy(this)), m_view(new GridView(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view, 1);
    m_footerBar = new GridFooter(m_view, this);
    m_footerBar->setRowCount(0);
    layout->addWidget(m_footerBar);
    setFocusProxy(m_view);

    m_view->setModel(m_proxy);
    auto *delegate = new GridDelegate(this);
    m_view->setItemDelegate(delegate);
    m_view->frozenView()->setItemDelegate(delegate);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    setReadOnly(true);

    connect(m_view, &QTableView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.isValid())
            emit rowActivated(index.row());
    });
    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) { emit currentRowChanged(current.isValid() ? current.row() : -1); });
    connect(m_proxy, &QAbstractItemModel::modelReset, this, [this] { sourceChanged(true); });
    connect(m_proxy, &QAbstractItemModel::rowsInserted, this, [this] { sourceChanged(false); });
    connect(m_proxy, &QAbstractItemModel::rowsRemoved, this, [this] { sourceChanged(false); });
    connect(m_proxy, &QAbstractItemModel::dataChanged, this, [this] { sourceChanged(false); });

    new QShortcut(QKeySequence::Find, m_view, this, [this] { openFind(); }, Qt::WidgetWithChildrenShortcut);
}

void DataGrid::setColumns(const QList<GridColumn> &columns)
{
    m_columns = columns;
    m_proxy->setColumns(columns);   // resets the proxy: layout and footer follow
}

void DataGrid::setColumnHidden(const QString &field, bool hidden)
{
    for (GridColumn &c : m_columns)
        if (c.field == field)
            c.hidden = hidden;
    const int col = m_proxy->columnOf(field);
    if (col >= 0) {
        m_view->setColumnHidden(col, hidden);
        m_view->syncFrozen();
    }
}

void DataGrid::setModel(QAbstractItemModel *model)
{
    m_source = model;
    m_proxy->setSourceModel(model);
    sourceChanged(true);
}

QueryModel *DataGrid::showQuery(store::Db &db, const QString &sql, const QVariantList &params)
{
    if (m_ownQuery && &m_ownQuery->db() != &db) {
        if (m_source == m_ownQuery)
            setModel(nullptr);
        delete m_ownQuery;
        m_ownQuery = nullptr;
    }
    if (!m_ownQuery)
        m_ownQuery = new QueryModel(db, this);
    if (m_source != m_ownQuery)
        setModel(m_ownQuery);
    m_ownQuery->run(sql, params);
    return m_ownQuery;
}

QueryModel *DataGrid::queryModel() const
{
    return qobject_cast<QueryModel *>(m_source);
}

void DataGrid::setReadOnly(bool readOnly)
{
    m_proxy->setReadOnly(readOnly);
    m_view->setEditTriggers(readOnly ? QAbstractItemView::NoEditTriggers
                                     : QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                           | QAbstractItemView::AnyKeyPressed);
    m_view->setSelectionBehavior(readOnly ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    m_view->syncFrozen();
}

bool DataGrid::isReadOnly() const
{
    return m_proxy->isReadOnly();
}

void DataGrid::setFrozenColumns(int count)
{
    m_frozen = count;
    m_view->setFrozenColumns(count);
}

void DataGrid::setFindEnabled(bool enabled)
{
    m_findEnabled = enabled;
}

void DataGrid::openFind()
{
    if (m_findEnabled)
        GridFindDialog::open(this);
}

int DataGrid::find(const QString &text, const QString &field, int from)
{
    if (!m_source || text.isEmpty())
        return -1;
    QList<int> columns = visibleColumns();
    if (!field.isEmpty())
        columns = {m_proxy->columnOf(field)};
    auto matches = [&](int row) {
        for (int c : columns)
            if (c >= 0 && displayText(row, c).contains(text, Qt::CaseInsensitive))
                return true;
        return false;
    };
    for (int r = qMax(0, from);; ++r) {
        if (r >= rowCount()) {
            if (!m_source->canFetchMore({}))
                break;
            m_source->fetchMore({});
            if (r >= rowCount())
                break;
        }
        if (matches(r))
            return r;
    }
    for (int r = 0; r < qMin(from, rowCount()); ++r)
        if (matches(r))
            return r;
    return -1;
}

int DataGrid::footerColumn(const QString &field) const
{
    return m_proxy->columnOf(field);
}

void DataGrid::setFooter(const QString &field, const FooterCell &cell, int row)
{
    while (m_footer.size() <= row)
        m_footer.append(QList<FooterEntry>());
    QList<FooterEntry> &entries = m_footer[row];
    for (FooterEntry &e : entries) {
        if (e.field == field) {
            e.cell = cell;
            refreshFooter();
            return;
        }
    }
    entries.append(FooterEntry{field, cell, {}});
    m_footerBar->setRowCount(int(m_footer.size()));
    refreshFooter();
}

void DataGrid::setFooterValue(const QString &field, const QVariant &value, int row)
{
    if (row < m_footer.size())
        for (FooterEntry &e : m_footer[row])
            if (e.field == field)
                e.figure = value;
    refreshFooter();
}

QString DataGrid::footerText(const QString &field, int row) const
{
    const int col = footerColumn(field);
    return col < 0 ? QString() : m_footerBar->cellText(row, col);
}

QVariant DataGrid::footerFigure(const QString &field, int row) const
{
    if (row < m_footer.size())
        for (const FooterEntry &e : m_footer[row])
            if (e.field == field)
                return e.figure;
    return {};
}

void DataGrid::refreshFooter()
{
    m_footerBar->clearCells();
    if (m_footer.isEmpty() || !m_source)
        return;
    QueryModel *query = queryModel();
    // A query's totals come from one aggregate statement over the whole result.
    QueryModel::Totals totals;
    QStringList sumFields;
    if (query) {
        for (const auto &row : std::as_const(m_footer))
            for (const FooterEntry &e : row)
                if (e.cell.kind == FooterCell::Sum)
                    sumFields.append(e.field);
        try {
            totals = query->totals(sumFields);
        } catch (const store::DbError &e) {
            qWarning("grid totals failed: %s", e.what());
        }
    }
    for (int r = 0; r < m_footer.size(); ++r) {
        for (FooterEntry &e : m_footer[r]) {
            const int col = footerColumn(e.field);
            switch (e.cell.kind) {
            case FooterCell::Count:
                e.figure = query ? QVariant(totals.rows) : QVariant(m_source->rowCount());
                break;
            case FooterCell::Sum:
                if (query) {
                    const qsizetype i = sumFields.indexOf(e.field);
                    e.figure = i >= 0 && i < totals.sums.size() && !totals.sums[i].isNull() ? totals.sums[i] : QVariant(0);
                } else {
                    e.figure = col >= 0 ? sumOf(m_source, col) : QVariant();
                }
                break;
            case FooterCell::Text:
            case FooterCell::Value:
                break;
            }
            if (col < 0)
                continue;
            const GridColumn *declared = m_proxy->column(col);
            const bool isText = e.cell.kind == FooterCell::Text;
            Qt::Alignment align = declared && declared->alignment ? declared->alignment
                                  : isText                          ? Qt::AlignLeft
                                                                    : Qt::AlignRight;
            const QString text = isText ? e.cell.text : store::formatValue(e.figure, e.cell.mask);
            m_footerBar->setCell(r, col, text, align);
        }
    }
}

void DataGrid::sourceChanged(bool reset)
{
    if (reset)
        applyLayout();
    // Lazily fetched rows of a query do not change its totals.
    if (reset || !queryModel())
        refreshFooter();
}

void DataGrid::applyLayout()
{
    const int n = m_proxy->columnCount();
    QHeaderView *header = m_view->horizontalHeader();
    if (n == 0)
        return;
    int place = 0;
    QList<bool> declared(n, false);
    for (const GridColumn &c : std::as_const(m_columns)) {
        const int col = m_proxy->columnOf(c.field);
        if (col < 0 || declared[col])
            continue;
        declared[col] = true;
        const int at = header->visualIndex(col);
        if (at != place)
            header->moveSection(at, place);
        ++place;
        m_view->setColumnHidden(col, c.hidden);
    }
    for (int col = 0; col < n; ++col) {
        if (!m_columns.isEmpty() && !declared[col])
            m_view->setColumnHidden(col, true);
        else if (m_columns.isEmpty())
            m_view->setColumnHidden(col, false);
    }
    // Widths: the declared one, else fitted to the title and the first rows.
    const QFontMetrics fm = m_view->fontMetrics();
    const QFontMetrics hfm = header->fontMetrics();
    const int sample = qMin(rowCount(), 50);
    for (int col = 0; col < n; ++col) {
        const GridColumn *c = m_proxy->column(col);
        int w = c && c->width > 0 ? c->width : 0;
        if (w == 0) {
            w = hfm.horizontalAdvance(m_proxy->headerData(col, Qt::Horizontal).toString()) + 20;
            for (int r = 0; r < sample; ++r)
                w = qMax(w, fm.horizontalAdvance(m_proxy->data(m_proxy->index(r, col)).toString()) + 14);
            w = qMin(w, 320);
        }
        m_view->setColumnWidth(col, w);
    }
    m_view->setFrozenColumns(m_frozen);
    m_footerBar->setRowCount(int(m_footer.size()));
}

int DataGrid::rowCount() const
{
    return m_source ? m_source->rowCount() : 0;
}

bool DataGrid::isEmpty() const
{
    return !m_source || (m_source->rowCount() == 0 && !m_source->canFetchMore({}));
}

void DataGrid::fetchAll(const std::function<bool(int)> &progress)
{
    if (!m_source)
        return;
    while (m_source->canFetchMore({})) {
        m_source->fetchMore({});
        if (progress && !progress(rowCount()))
            return;
    }
}

int DataGrid::currentRow() const
{
    const QModelIndex i = m_view->currentIndex();
    return i.isValid() ? i.row() : -1;
}

void DataGrid::setCurrentRow(int row)
{
    if (!m_source || row < 0)
        return;
    while (row >= rowCount() && m_source->canFetchMore({}))
        m_source->fetchMore({});
    if (row >= rowCount())
        return;
    const QList<int> visible = visibleColumns();
    const int col = qMax(0, m_view->currentIndex().isValid() ? m_view->currentIndex().column()
                                                             : (visible.isEmpty() ? 0 : visible.first()));
    const QModelIndex index = m_proxy->index(row, col);
    QItemSelectionModel::SelectionFlags how = QItemSelectionModel::ClearAndSelect;
    if (isReadOnly())
        how |= QItemSelectionModel::Rows;
    m_view->selectionModel()->setCurrentIndex(index, how);
    m_view->scrollTo(index);
}

QVariant DataGrid::value(int row, const QString &field) const
{
    const int col = m_proxy->columnOf(field);
    if (!m_source || col < 0 || row < 0 || row >= rowCount())
        return {};
    return m_source->data(m_source->index(row, col), Qt::DisplayRole);
}

QVariant DataGrid::currentValue(const QString &field) const
{
    return value(currentRow(), field);
}

QVariantMap DataGrid::rowValues(int row) const
{
    QVariantMap values;
    if (!m_source || row < 0 || row >= rowCount())
        return values;
    for (int c = 0; c < m_source->columnCount(); ++c)
        values.insert(m_proxy->fieldName(c), m_source->data(m_source->index(row, c), Qt::DisplayRole));
    return values;
}

QString DataGrid::displayText(int row, int sourceColumn) const
{
    return m_proxy->data(m_proxy->index(row, sourceColumn), Qt::DisplayRole).toString();
}

QString DataGrid::displayText(int row, const QString &field) const
{
    const int col = m_proxy->columnOf(field);
    return col < 0 ? QString() : displayText(row, col);
}

QList<int> DataGrid::visibleColumns() const
{
    QList<int> cols;
    const QHeaderView *header = m_view->horizontalHeader();
    for (int v = 0; v < header->count(); ++v) {
        const int logical = header->logicalIndex(v);
        if (!m_view->isColumnHidden(logical))
            cols.append(logical);
    }
    return cols;
}

QString DataGrid::columnTitle(int sourceColumn) const
{
    return m_proxy->headerData(sourceColumn, Qt::Horizontal).toString();
}

} // namespace shell
