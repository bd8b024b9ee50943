#pragma once
// "物品类别清单": the category chooser. "选择" or a double-click hands the picked category
// to the opener's boxes (object names) that the caller tag names, and closes:
//
//   caller tag      opener                                   written
//   "物品设置"      goods entry dialog TEnterProDuctInfoForm  categoryBox: 物品类别
//   "仓库资料导入"  goods import TInitFactoryInfoForm         categoryCodeBox: 物品类别编号,
//                                                             categoryBox: 物品类别,
//                                                             lastSequenceBox: 最后编号
//   "仓库盘点"      stock count sheet                         categoryBox: 物品类别
//   "物品查询"      goods stock query TFindProductInfoForm    categoryBox: 物品类别
//
// Openers outside this library create it through the form registry by its class name.

#include "shell/common/chooser.h"

namespace stock {

class TListProDuctObjectForm : public shell::ChooserForm {
    Q_OBJECT
public:
    explicit TListProDuctObjectForm(QWidget *opener);
    static const QList<shell::ChooserTarget> &targets();
};

} // namespace stock
