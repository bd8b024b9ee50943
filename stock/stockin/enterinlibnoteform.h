#pragma once
// "物品入库录入": the stock-in note. "新建" takes the next note number, preselects the
// first warehouse and opens the boxes; lines come from the line picker (double-click or
// F1 on the grid; F2 changes the current line), from barcode entry, or, on a transfer,
// from the stock-out note named in "实际单号". "保存" moves the stock (one transaction;
// on a failure the note stays open to be saved again), "打印" previews the saved note,
// "退出" on an unsaved note asks and then removes it.

#include "shell/common/formframe.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace shell { class DataGrid; class DateBox; }

namespace stock {

class TEnterInLibNoteForm : public shell::FunctionForm {
    Q_OBJECT
public:
    explicit TEnterInLibNoteForm(QWidget *parent);

    QString noteNumber() const { return m_number; }
    bool isSaved() const { return m_saved; }
    bool isNoteOpen() const { return m_noteOpen; }
    shell::DataGrid *grid() const { return m_grid; }

    void newNote();                 // "新建"
    void saveNote();                // "保存"
    void deleteLine();              // "删除一行"
    void printNote();               // "打印"
    void openPicker(bool changing); // double-click / F1 (adding), F2 (changing)
    void chooseSupplier();          // double-click / F1 / button on 交货单位
    void chooseWarehouse();         // double-click / F1 / button on 入库仓库
    void scanBarcode();             // Enter in 条形码入物品
    void copyTransfer();            // leaving 实际单号 on a transfer

protected:
    bool canLeave() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showLines();
    void closeLines();
    void linesChanged();
    void setEntryEnabled(bool enabled);

    QString m_number;
    bool m_saved = true;
    bool m_noteOpen = false;
    QString m_copiedFrom;           // the stock-out note whose lines were copied last

    QWidget *m_entry;
    shell::DateBox *m_date;
    QLineEdit *m_supplier;
    QComboBox *m_type;
    QLabel *m_numberLabel;
    QLineEdit *m_actual;
    QLineEdit *m_remark;
    QLineEdit *m_warehouse;
    QLineEdit *m_barcode;
    QComboBox *m_handler;
    QLabel *m_operator;
    shell::DataGrid *m_grid;
    QPushButton *m_new;
    QPushButton *m_save;
};

} // namespace stock
