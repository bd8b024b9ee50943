#pragma once
// The footer rows under a grid: one text per column, kept in line with the columns as
// they scroll and resize (frozen columns stay at the left edge).

#include <QHash>
#include <QWidget>

namespace shell {

class GridView;

class GridFooter : public QWidget {
    Q_OBJECT
public:
    GridFooter(GridView *view, QWidget *parent = nullptr);

    void setRowCount(int rows);
    int rowCount() const { return m_rows; }
    void setCell(int row, int logicalColumn, const QString &text, Qt::Alignment alignment);
    QString cellText(int row, int logicalColumn) const;
    void clearCells();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    struct Cell { QString text; Qt::Alignment alignment; };
    int rowHeight() const;
    void updateAccessibleText();
    GridView *m_view;
    int m_rows = 0;
    QHash<QPair<int, int>, Cell> m_cells;   // (row, logical column)
};

} // namespace shell
