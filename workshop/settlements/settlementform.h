#pragma once
// "结算单录入" (and, opened through openForModification(), "结算单修改"): billing a repair
// order. "新增" reserves the settlement number with its header row; Enter in
// "对应托修单号" copies the repair order (vehicle, owner, rate, lines) into the form,
// refusing an order that is already settled or does not exist; the lines can be revised
// in place (工时单价 × 工时 gives 工时费) or added through the item and material picker;
// "保存" stores the settlement with its cash-book and consumption rows in one
// transaction; "打印" previews the printout with or without the labour-rate column
// ("打印工时单价"); leaving an unsaved new settlement removes its reserved rows.

#include "workshop/forms/notelinegrid.h"
#include "workshop/settlements/settlements.h"
#include "shell/common/formframe.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
namespace shell { class DataGrid; class DateBox; class LineModel; }

namespace workshop {

class TEnterPayNoteForm : public shell::FunctionForm, public NoteLineReceiver {
    Q_OBJECT
public:
    explicit TEnterPayNoteForm(QWidget *parent = nullptr);

    // Modification entry (called by the settlement query before showing the form):
    // title "结算单修改", "新增" hidden, the settlement and its lines loaded for editing.
    // False, with a message, when the number is not saved.
    bool openForModification(const QString &number);

    bool isEditing() const { return m_editing; }
    bool isSaved() const { return m_saved; }
    SaveMode mode() const { return m_mode; }
    QString noteNumber() const;
    shell::LineModel *lines() const { return m_lines; }
    shell::DataGrid *lineGrid() const { return m_grid; }
    QString surchargeText() const;
    QString totalText() const;

    // Enter in "对应托修单号": copies the repair order into the form.
    void loadRepairOrder();

    // The picker appends its lines here.
    void receiveLine(const NoteLine &line) override;

signals:
    // A save succeeded (a query list showing the settlement refreshes itself).
    void settlementSaved(const QString &number);

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
    void showVehicle(const Settlement &s);
    void showSettlement(const Settlement &s);
    Settlement settlementFromBoxes() const;
    void refuse(const WorkshopError &e);

    QWidget *m_input;
    QWidget *m_bottom;
    QLineEdit *m_number;
    QLineEdit *m_repairOrder;
    shell::DateBox *m_received, *m_completed, *m_due;
    QLineEdit *m_plate;
    QLineEdit *m_model, *m_colour, *m_vin, *m_engine, *m_mileage;
    QLineEdit *m_owner, *m_contact, *m_phone, *m_mobile, *m_address, *m_postcode, *m_fax;
    shell::LineModel *m_lines;
    shell::DataGrid *m_grid;
    QLineEdit *m_rate;
    QLineEdit *m_surcharge;
    QLineEdit *m_total;
    QLineEdit *m_remark;
    QComboBox *m_clerk, *m_inspector;
    QRadioButton *m_cash, *m_onAccount;
    QCheckBox *m_printRate;
    QPushButton *m_new, *m_print, *m_deleteLine, *m_save;

    // Not shown: carried from the repair order or the loaded settlement to the save.
    QString m_technician;
    QString m_customerSignature;

    bool m_editing = false;
    bool m_saved = false;
    SaveMode m_mode = SaveMode::New;
    QString m_lookedUpPlate;     // the plate whose record or order filled the boxes last
};

} // namespace workshop
