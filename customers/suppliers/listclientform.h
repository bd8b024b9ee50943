#pragma once
// "供销商列表": the supplier chooser of the stock forms. It lists the suppliers, searches
// them by name, opens the supplier setup through "新建" (for operators holding "物品查询"),
// and hands the picked 供销商名称 to its opener's box named by the caller tag:
//
//   caller tag      opener's box (object name)   then
//   "物品入库"      supplierBox                  focus to the opener's next box
//   "物品出库"      receiverBox                  focus to the opener's next box
//   "入库查询"      conditionBox
//   "出库查询"      conditionBox
//   "物品入库统计"  inSupplierBox                that box gets the focus
//   "物品出库统计"  outReceiverBox               that box gets the focus
//
// Openers that cannot link this library create it through the form registry and call
// the invokable search() to open it on the text of their box.

#include "shell/common/chooser.h"

class QLineEdit;

namespace customers {

inline const QString kSupplierBoxName = QStringLiteral("supplierBox");
inline const QString kReceiverBoxName = QStringLiteral("receiverBox");
inline const QString kConditionBoxName = QStringLiteral("conditionBox");
inline const QString kInSupplierBoxName = QStringLiteral("inSupplierBox");
inline const QString kOutReceiverBoxName = QStringLiteral("outReceiverBox");

class TListClientForm : public shell::ChooserForm {
    Q_OBJECT
public:
    explicit TListClientForm(QWidget *opener);
    static const QList<shell::ChooserTarget> &targets();

    QLineEdit *searchBox() const { return m_search; }

    // Puts the text into the search box and lists the suppliers whose name contains it
    // (all of them for an empty text).
    Q_INVOKABLE void search(const QString &text);
    void runSearch();           // the search button, or Enter in the search box
    void openSetup();           // "新建"

private:
    QLineEdit *m_search;
};

} // namespace customers
