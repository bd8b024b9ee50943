#pragma once
// The table view of a data grid. Its leading columns can be frozen: an overlay view shows
// them at the left edge while the rest scrolls sideways underneath.

#include <QTableView>

namespace shell {

class GridView : public QTableView {
    Q_OBJECT
public:
    explicit GridView(QWidget *parent = nullptr);

    // The first `count` visible columns stay put when scrolling sideways.
    void setFrozenColumns(int count);
    int frozenColumns() const { return m_frozenCount; }
    QTableView *frozenView() const { return m_frozen; }
    // Logical columns of the frozen part, left to right.
    QList<int> frozenLogicalColumns() const;
    // Call after columns were hidden, shown or moved.
    void syncFrozen();

    void setModel(QAbstractItemModel *model) override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;

signals:
    void layoutUpdated();   // scrolled sideways or a column resized: the footer follows

protected:
    void resizeEvent(QResizeEvent *event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void updateGeometries() override;

private:
    void placeFrozen();
    int frozenWidth() const;
    QTableView *m_frozen;
    int m_frozenCount = 0;
};

} // namespace shell
