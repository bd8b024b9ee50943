#pragma once
// "物品信息管理": the goods entry dialog of the goods setup. Adding: the category is
// picked by double-click (the category chooser), the next goods code is shown, the record
// and optionally its opening quantity are saved, and the dialog stays open for the next
// goods. Modifying: one goods is edited and saved, and the dialog closes.
//
// A name or barcode that another goods already holds is refused when its box is left;
// the dialog then asks its owner to show the clashing goods (clashFound) until it closes.

#include "shell/common/formframe.h"
#include "store/listquery.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace stock {

struct Goods;

class TEnterProDuctInfoForm : public shell::FunctionForm {
    Q_OBJECT
public:
    explicit TEnterProDuctInfoForm(QWidget *parent);

    // Adding mode for a category, with name, brand and unit as a starting point.
    void startAdding(const QString &categoryName, const QString &name = {}, const QString &brand = {},
                     const QString &unit = {});
    // Modifying mode; false (after the message) when the goods is not there.
    bool startModifying(const QString &goodsCode);

    QString mode() const { return m_mode; }   // "新增物品信息", "修改物品信息" or empty
    QString goodsCode() const { return m_code; }
    QLineEdit *box(const QString &label) const;

    void newGoods();            // the dialog's "新增"
    void save();                // "保存"
    void chooseCategory();      // double-click on the category box
    void categoryPicked();      // the category box got a category
    void nameLeft();
    void barcodeLeft();
    void lowerLimitLeft();

signals:
    void clashFound(const store::ListQuery &clash);
    void goodsSaved(const QString &statusText);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Goods readBoxes() const;
    void clearEntries(bool keepStart);
    void enterAdding();
    void focusField(const QString &label);

    QLineEdit *m_category;
    QLabel *m_codeLabel;
    QList<QPair<QString, QLineEdit *>> m_boxes;   // label, box; in entry order
    QLabel *m_openingLabel;
    QPushButton *m_newButton;
    QPushButton *m_saveButton;
    QString m_mode;
    bool m_adding = false;
    bool m_modifying = false;
    QString m_code;
    QString m_sequence;
};

} // namespace stock
