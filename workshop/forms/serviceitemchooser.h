#pragma once
// "服务项目清单": the repair items by category, for picking one. A pick writes into the
// opener's box named "serviceItemBox" (and, for the item and material picker, the fee
// into its box "labourFeeBox"), chosen by the caller tag:
//   "托收单录入"   the item and material picker: 维修项目 and 工时费
//   "维修业务统计" the repair statistics: the item name as a condition
// Any other tag picks nothing and the chooser stays open.

#include "shell/common/chooser.h"

namespace shell { class DataGrid; class LineModel; }

namespace workshop {

inline const QString kServiceItemBox = QStringLiteral("serviceItemBox");
inline const QString kLabourFeeBox = QStringLiteral("labourFeeBox");

class TListServiceItemForm : public shell::ChooserForm {
    Q_OBJECT
public:
    explicit TListServiceItemForm(QWidget *opener);

    shell::DataGrid *categoryGrid() const { return m_categoryGrid; }
    static QList<shell::ChooserTarget> targets();

private:
    void loadItems();

    shell::LineModel *m_categories;
    shell::LineModel *m_items;
    shell::DataGrid *m_categoryGrid;
};

} // namespace workshop
