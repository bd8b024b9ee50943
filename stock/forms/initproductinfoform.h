#pragma once
// "物品信息设置": the goods catalogue by category. "新增" and "修改" open the entry dialog
// (TEnterProDuctInfoForm); "删除" removes a goods with its stock rows; "导出" writes the
// category's goods to a spreadsheet.

#include "shell/common/formframe.h"

namespace shell { class DataGrid; }
namespace store { struct ListQuery; }

namespace stock {

class TInitProductInfoForm : public shell::FunctionForm {
    Q_OBJECT
public:
    explicit TInitProductInfoForm(QWidget *parent);

    shell::DataGrid *categoryGrid() const { return m_categories; }
    shell::DataGrid *goodsGrid() const { return m_goods; }

    void addNew();          // "新增"
    void modify();          // "修改"
    void remove();          // "删除"
    void exportGoods();     // "导出"

    // The goods of the selected category; a clash a dialog found instead, until it closes.
    void showGoods();
    void showClash(const store::ListQuery &clash);

private:
    QString selectedCategory() const;
    void openDialog(class TEnterProDuctInfoForm *dialog);
    void goodsClicked(int row);

    shell::DataGrid *m_categories;
    shell::DataGrid *m_goods;
    shell::DataGrid *m_export;      // the export's columns and order, never shown
    // The goods row last clicked: a starting point for the next new goods.
    QString m_lastName, m_lastBrand, m_lastUnit;
};

} // namespace stock
