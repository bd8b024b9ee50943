#pragma once
// "托修单录入" (and, opened through openForModification(), "托修单修改"): receiving a car.
// "新增" reserves the number with its header row; the plate fills the owner and vehicle
// from the customer record (or marks a new customer); lines come from the item and
// material picker and can be edited in place; "保存" stores the order, its lines and the
// customer record in one transaction; "打印" previews the printed order; leaving an
// unsaved new order removes its reserved rows (the number is not given again).

#include "workshop/forms/notelinegrid.h"
#include "workshop/repairorders.h"
#include "shell/common/formframe.h"

class QComboBox;
class QLineEdit;
class QPushButton;
namespace shell { class DataGrid; class DateBox; class LineModel; }

namespace workshop {

class OptionalDateBox;

class TEnterProduNoteForm : public shell::FunctionForm, public NoteLineReceiver {
    Q_OBJECT
public:
    explicit TEnterProduNoteForm(QWidget *parent = nullptr);

    // Modification entry (called by the repair order query before showing the form):
    // title "托修单修改", "新增" hidden, the order and its lines loaded for editing.
    // False, with a message, when the number is not saved.
    bool openForModification(const QString &number);

    bool isEditing() const { return m_editing; }
    bool isSaved() const { return m_saved; }
    bool isNewCustomer() const { return m_newCustomer; }
    SaveMode mode() const { return m_mode; }
    QString noteNumber() const;
    shell::LineModel *lines() const { return m_lines; }
    shell::DataGrid *lineGrid() const { return m_grid; }
    QString surchargeText() const;
    QString totalText() const;

    // The picker appends its lines here.
    void receiveLine(const NoteLine &line) override;

signals:
    // A save succeeded (a query list showing the order refreshes itself).
    void orderSaved(const QString &number);

protected:
    bool canLeave() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *textBox(int gbkBytes);
    QComboBox *staffBox();
    void setInputEnabled(bool enabled);
    void clearBoxes();
    void newClicked();
    void saveClicked();
    void printClicked();
    void deleteLineClicked();
    void openPicker();
    void plateEntered();
    void plateLeft();
    void rateChanged();
    void recomputeTotals();
    RepairOrder orderFromBoxes() const;
    void showOrder(const RepairOrder &order);
    QWidget *boxForLabel(const QString &label) const;

    QWidget *m_input;            // the boxes above the grid
    QWidget *m_bottom;           // the boxes below it
    QLineEdit *m_number;
    QLineEdit *m_plate;
    shell::DateBox *m_received;
    shell::DateBox *m_expected;
    QLineEdit *m_model, *m_colour, *m_vin, *m_engine, *m_mileage;
    QLineEdit *m_owner, *m_contact, *m_phone, *m_mobile, *m_address, *m_postcode, *m_fax;
    QComboBox *m_status;
    QLineEdit *m_inspection;
    shell::LineModel *m_lines;
    shell::DataGrid *m_grid;
    QLineEdit *m_rate;
    QLineEdit *m_surcharge;
    QLineEdit *m_total;
    OptionalDateBox *m_nextService;
    QLineEdit *m_remark;
    QComboBox *m_adviser, *m_technician, *m_inspector;
    QLineEdit *m_signature;
    QPushButton *m_new, *m_print, *m_deleteLine, *m_save;

    bool m_editing = false;
    bool m_saved = false;
    bool m_newCustomer = false;
    SaveMode m_mode = SaveMode::New;
    QString m_lookedUpPlate;     // the plate whose record filled the boxes last
};

} // namespace workshop
