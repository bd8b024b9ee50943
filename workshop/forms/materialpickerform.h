#pragma once
// "项目材料选择录入", the item and material picker of the repair order and settlement
// entry forms: the clerk finds a goods (by category, bar code, name or specs),
// sees its stock in the clerk's warehouse, sets price and quantity, adds a labour item
// with its fee, and "保存" appends the whole as one line to the caller's line grid. The
// picker stays open for further lines and writes nothing to the database.
//
// The caller tag names the caller:
//   "托修单录入"  the repair order entry (TEnterProduNoteForm)
//   "结算单录入"  the settlement entry (TEnterPayNoteForm)
// The caller receives the line through workshop::NoteLineReceiver; with any other tag
// "保存" appends nothing.

#include "workshop/materialpicker.h"
#include "shell/common/formframe.h"

#include <optional>

class QLineEdit;
class QPushButton;
namespace shell { class DataGrid; class LineModel; }

namespace workshop {

class NoteLineReceiver;

class TListInforToProNoteForm : public shell::FunctionForm {
    Q_OBJECT
public:
    explicit TListInforToProNoteForm(QWidget *opener);

    void setCallerTag(const QString &tag) { m_tag = tag; }
    QString callerTag() const { return m_tag; }
    // The warehouse whose stock is shown: the operator's department name.
    void setWarehouse(const QString &warehouse) { m_warehouse = warehouse; }
    void setNoteNumber(const QString &number);

    struct CallerTarget {
        QString tag;
        const char *openerClass;    // the caller's class, as its meta-object names it
    };
    static QList<CallerTarget> callerTargets();

    shell::DataGrid *categoryGrid() const { return m_categoryGrid; }
    shell::DataGrid *goodsGrid() const { return m_goodsGrid; }
    // Picks a listed goods as a double-click on its row does.
    void pickRow(int row);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *readOnlyBox();
    void listCategory();
    void showGoods(const QList<CatalogueGoods> &goods);
    void searchLeft();
    void searchClicked();
    void priceLeft();
    void quantityLeft();
    void quantityEntered();
    void saveClicked();
    void clearEntry();
    NoteLineReceiver *receiver() const;
    void openServiceItems();
    void newItemClicked();
    void newGoodsClicked();

    QWidget *m_opener;
    QString m_tag;
    QString m_warehouse;
    std::optional<double> m_cost;   // of the goods in the boxes; none before a goods is picked

    QLineEdit *m_number;
    QLineEdit *m_search;
    QPushButton *m_searchButton;
    shell::LineModel *m_categories;
    shell::LineModel *m_goods;
    shell::DataGrid *m_categoryGrid;
    shell::DataGrid *m_goodsGrid;
    QLineEdit *m_item;
    QLineEdit *m_fee;
    QLineEdit *m_remark;
    QLineEdit *m_code, *m_name, *m_spec, *m_category, *m_unit, *m_stock;
    QLineEdit *m_price;
    QLineEdit *m_quantity;
    QLineEdit *m_charge;
    QPushButton *m_save;
    QPushButton *m_newGoods;
};

} // namespace workshop
