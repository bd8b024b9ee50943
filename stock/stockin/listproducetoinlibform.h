#pragma once
// "物品选择录入": the line picker of the stock-in note. Adding (double-click or F1 on the
// note's grid): categories, their goods and a search ("查找物品：" — a barcode of exactly
// one goods picks it, else goods whose name, else whose size (物品规格), holds the text);
// a double-click on a goods fills the entry panel, "保存" writes the line to the note and
// the picker stays open for the next goods. Changing (F2): the panel opens on the
// current line, the goods lists are locked, "保存" overwrites the line and closes.
// Every line written is announced with lineWritten() so the note's form shows it.

#include "shell/common/formframe.h"
#include "stock/stockin/stockinservice.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace shell { class DataGrid; }

namespace stock {

class TListProduceToInLibForm : public shell::FunctionForm {
    Q_OBJECT
public:
    // The note's number and in-type; a return note ("入库退出") takes negative quantities.
    TListProduceToInLibForm(QWidget *parent, const QString &number, const QString &inType);

    // Opens on a line of the note for changing it.
    void changeLine(const StockInLine &line);
    bool isChanging() const { return m_changing; }

    shell::DataGrid *categoryGrid() const { return m_categories; }
    shell::DataGrid *goodsGrid() const { return m_goods; }
    QLineEdit *searchBox() const { return m_search; }

    void showCategory(int row);
    void search();
    // Double-click on a goods row: fills the entry panel (adding only).
    void pickGoodsRow(int row);
    void pickGoods(const Goods &goods);
    void save();            // "保存"
    void openGoodsSetup();  // "新建物品"

signals:
    void lineWritten();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void priceLeft();
    void quantityLeft();
    void clearPanel();
    QString numberText(QLineEdit *box) const;

    QString m_number;
    QString m_inType;
    bool m_returning;
    bool m_changing = false;
    qint64 m_lineId = 0;
    QString m_lastSearch;
    Goods m_picked;

    shell::DataGrid *m_categories;
    shell::DataGrid *m_goods;
    QLineEdit *m_search;
    QLineEdit *m_code, *m_name, *m_size, *m_category, *m_unit, *m_reference;
    QLineEdit *m_price, *m_quantity, *m_amount;
    QPushButton *m_save;
};

} // namespace stock
