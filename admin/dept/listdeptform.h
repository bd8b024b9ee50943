#pragma once
// "部门列表": the department chooser. "选择" or a double-click hands the picked 部门名称 to
// the opener's box that the caller tag names (object names below) and closes:
//
//   caller tag                 opener                                box              then
//   "用户管理"                 TEnterUserForm "新增"                 deptBox          + the new operator's code (below)
//   "物品入库"                 TEnterInLibNoteForm, "调拨入库"       supplierBox      focus to the opener's next box
//   "物品出库"                 TEnterOutNoteForm, transfer/use       receiverBox      focus to the opener's next box
//   "物品入库统计"             TCountNoteForm "交货单位："           inSupplierBox    that box gets the focus
//   "物品出库统计"             TCountNoteForm "收货单位："           outReceiverBox   that box gets the focus
//   "收费月结"                 TMonthReportForm                      deptBox
//   "收费查询"                 TFindFeeNoteForm                      deptBox
//   "收费录入"                 TGetMemoryForm                        deptBox
//   "库存初始化"               TInitLibValueForm (chosen unshown)    warehouseBox
//   "洗车单查询"               TFindMeiYongNoteForm, first box       deptBox
//   "洗车单查询2"              TFindMeiYongNoteForm, second box      deptBox2
//   "会员卡查询"               TFindMemberCardForm                   deptBox
//   "客户消费清单"             TMemberPayInfoForm                    deptBox
//   "调拨入库情况统计1" … "4"  TCountNoteForm transfer boxes         transferBox1 … transferBox4
//
// For "用户管理" the chooser also makes the new operator's code (the department's code
// followed by its operator counter plus one): it writes the code into the opener's box
// "codeBox" when there is one and calls the opener's invokable
// operatorCodeProposed(QString departmentCode, QString sequence) when it has it.
//
// Openers outside this library create it through the form registry by its class name
// ("TListDeptForm") and set the tag on the shell::ChooserForm they get; for the
// "库存初始化" way, call choose() without showing it: the first row (the head office)
// is taken.

#include "shell/common/chooser.h"

namespace admin {

class TListDeptForm : public shell::ChooserForm {
    Q_OBJECT
public:
    explicit TListDeptForm(QWidget *opener);
    static const QList<shell::ChooserTarget> &targets();
};

} // namespace admin
