#pragma once
// "物品信息清单": the goods chooser. Left the categories, right the goods of the current
// category, and a search box "查找物品：" over the goods (its button: by name, else by
// specs; Enter: by name or barcode, else by specs). "选择" or a
// double-click hands the goods NAME to the opener's box:
//
//   caller tag    opener                         box
//   "出库流水"    movement ledger view           goodsBox

#include "shell/common/chooser.h"

class QLineEdit;

namespace stock {

class TListProductForm : public shell::ChooserForm {
    Q_OBJECT
public:
    explicit TListProductForm(QWidget *opener);
    static const QList<shell::ChooserTarget> &targets();

    shell::DataGrid *categoryGrid() const { return m_categories; }
    QLineEdit *searchBox() const { return m_search; }

    void showCategory(int row);             // the goods of a category row
    void search(bool nameOrBarcode);        // the search button (false) or Enter (true)

private:
    shell::DataGrid *m_categories;
    QLineEdit *m_search;
};

} // namespace stock
