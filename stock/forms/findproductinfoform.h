#pragma once
// "物品查询": the goods stock query. The stock rows of every warehouse, found by part of
// the goods name or its barcode and by category (double-click the category box for the
// category chooser); "导出" writes the list to a spreadsheet.

#include "shell/common/formframe.h"

class QLineEdit;

namespace shell { class DataGrid; }

namespace stock {

class TFindProductInfoForm : public shell::FunctionForm {
    Q_OBJECT
public:
    explicit TFindProductInfoForm(QWidget *parent);

    shell::DataGrid *grid() const { return m_grid; }
    void find();            // "查找", or Enter in either box
    void exportList();      // "导出"
    void chooseCategory();  // double-click on the category box

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *m_name;
    QLineEdit *m_category;
    shell::DataGrid *m_grid;
};

} // namespace stock
