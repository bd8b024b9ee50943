#pragma once
// The data grid of list and note forms: fixed column titles (or the field name), display
// masks, hidden and frozen columns, footer rows with texts and figures in their own mask,
// read-only unless the form makes it editable, and the find dialog (Ctrl+F) where the
// form enables it. It shows any model whose horizontal header gives the field names:
// a QueryModel (rows fetched lazily) or a LineModel (the in-memory lines of a note).
//
//   grid->setColumns({{"结算单编号"}, {"托修单位", "托修单位(车主)"},
//                     {"整单金额合计", "金额合计", "##0.00"}});
//   grid->setFooter("结算单编号", FooterCell::label("合  计"));
//   grid->setFooter("整单金额合计", FooterCell::sum("##0.00"));
//   grid->showQuery(shell::database(), query.sql, query.params);

#include "shell/common/gridcolumn.h"

#include <QList>
#include <QVariantMap>
#include <QWidget>
#include <functional>

class QAbstractItemModel;
namespace store { class Db; }

namespace shell {

class GridFooter;
class GridProxy;
class GridView;
class QueryModel;

class DataGrid : public QWidget {
    Q_OBJECT
public:
    explicit DataGrid(QWidget *parent = nullptr);

    // The columns shown, in this order. Fields the model has but the list does not name
    // are not shown. Without a list every field is shown under its own name.
    void setColumns(const QList<GridColumn> &columns);
    const QList<GridColumn> &columns() const { return m_columns; }
    void setColumnHidden(const QString &field, bool hidden);

    // Shows a model the caller keeps alive.
    void setModel(QAbstractItemModel *model);
    QAbstractItemModel *model() const { return m_source; }
    // Runs a service's statement in the grid's own QueryModel and shows it. Throws store::DbError.
    QueryModel *showQuery(store::Db &db, const QString &sql, const QVariantList &params = {});
    QueryModel *queryModel() const;

    void setReadOnly(bool readOnly);
    bool isReadOnly() const;
    void setFrozenColumns(int count);
    void setFindEnabled(bool enabled);
    bool isFindEnabled() const { return m_findEnabled; }
    void openFind();
    // The first row at or after `from` (wrapping to the top) whose display text contains
    // `text` (ignoring case), in `field` or, when empty, in any shown column; -1 if none.
    int find(const QString &text, const QString &field = {}, int from = 0);

    // Footer: a cell under a column, in footer row `row` (rows are added as needed).
    void setFooter(const QString &field, const FooterCell &cell, int row = 0);
    // The figure of a FooterCell::value cell, shown with its mask.
    void setFooterValue(const QString &field, const QVariant &value, int row = 0);
    QString footerText(const QString &field, int row = 0) const;
    // The figure behind a sum, count or value cell (a sum of money is exact).
    QVariant footerFigure(const QString &field, int row = 0) const;
    // Recomputes sums and counts (done by itself when the rows change).
    void refreshFooter();

    // Rows. rowCount() is the rows loaded so far; isEmpty() asks the whole result.
    int rowCount() const;
    bool isEmpty() const;
    // Loads every row; progress(loaded) may return false to stop.
    void fetchAll(const std::function<bool(int)> &progress = {});
    int currentRow() const;
    void setCurrentRow(int row);
    QVariant value(int row, const QString &field) const;
    QVariant currentValue(const QString &field) const;
    QVariantMap rowValues(int row) const;
    // The text a cell shows (the value in its column's mask).
    QString displayText(int row, const QString &field) const;
    QString displayText(int row, int sourceColumn) const;
    // The shown (not hidden) source columns, left to right, and their titles.
    QList<int> visibleColumns() const;
    QString columnTitle(int sourceColumn) const;

    GridView *view() const { return m_view; }
    GridProxy *proxy() const { return m_proxy; }

signals:
    void rowActivated(int row);         // double-click on a row
    void currentRowChanged(int row);

private:
    void applyLayout();
    void sourceChanged(bool reset);
    int footerColumn(const QString &field) const;

    struct FooterEntry { QString field; FooterCell cell; QVariant figure; };
    QList<GridColumn> m_columns;
    QList<QList<FooterEntry>> m_footer;     // per footer row
    QAbstractItemModel *m_source = nullptr;
    QueryModel *m_ownQuery = nullptr;
    GridProxy *m_proxy;
    GridView *m_view;
    GridFooter *m_footerBar;
    int m_frozen = 0;
    bool m_findEnabled = false;
    bool m_layoutApplied = false;
};

} // namespace shell
