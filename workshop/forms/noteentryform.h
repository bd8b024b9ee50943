#pragma once
// The frame both note entry forms are built on (托修单录入 TEnterProduNoteForm, 结算单录入
// TEnterPayNoteForm): the number, plate, vehicle and owner boxes; the line grid with
// the surcharge rate and totals under it; "新增" / "打印" / "删除一行" / "保存" / "退出";
// the states new, modification, saved and abandoned; the look-up of a typed plate in the
// customer records. A form places the boxes in its own layout, adds its own boxes, and
// supplies the service calls of its note through the hooks below.

#include "workshop/forms/notelinegrid.h"
#include "workshop/notevehicle.h"
#include "workshop/repairorders.h"
#include "shell/common/formframe.h"

#include <optional>

class QComboBox;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
namespace shell { class DataGrid; class LineModel; }
namespace customers { struct VehicleOwner; }

namespace workshop {

class WorkshopError;

class NoteEntryForm : public shell::FunctionForm, public NoteLineReceiver {
    Q_OBJECT
public:
    // Modification entry (called by the note's query before showing the form): title
    // "…修改", "新增" hidden, the note and its lines loaded for editing. False, with a
    // message, when the number is not saved.
    bool openForModification(const QString &number);

    bool isEditing() const { return m_editing; }
    bool isSaved() const { return m_saved; }
    SaveMode mode() const { return m_mode; }
    QString noteNumber() const;
    shell::LineModel *lines() const { return m_lines; }
    shell::DataGrid *lineGrid() const { return m_grid; }
    QString surchargeText() const;
    QString totalText() const;

    // The picker appends its lines here.
    void receiveLine(const NoteLine &line) override;

signals:
    // A save succeeded (a query list showing the note refreshes itself).
    void noteSaved(const QString &number);

protected:
    // `noun` names the note in the titles ("托修单录入", "托修单修改"), hints and messages.
    NoteEntryForm(QWidget *parent, const QString &noun);

    // Box builders. The forms call them in the order the boxes take the Tab key.
    QLineEdit *textBox(int gbkBytes);
    QComboBox *staffBox();
    void createNumberBox();
    void createPlateBox();
    void createVehicleBoxes();      // 车型 … 传真
    void createTotalBoxes();        // 附加费率, 材料附加管理费, 整单金额合计
    void createRemarkBox();
    // Fills the staff drop-downs with the employee names, the boxes left empty.
    void offerStaff(const QList<QComboBox *> &boxes);
    // A label with its buddy box at (row, column), the box spanning `span` columns.
    void place(QGridLayout *grid, int row, int column, const QString &text, QWidget *box, int span = 1);
    // Row 0 of the boxes under the grid: "附加费率" with "%", "材料附加管理费", "整单金额合计".
    void placeTotals(QGridLayout *bottom);
    // The grid between the boxes above (m_input) and below (m_bottom); the form owns `lines`.
    void createLineGrid(QVBoxLayout *layout, shell::LineModel *lines, bool withLabourRate);
    // The buttons, the grid's double-click and Delete key, the plate box's look-up and
    // the totals following the lines and the rate.
    void createButtons();
    // The last step of a form's constructor.
    void showEmpty();

    void showVehicle(const NoteVehicle &v);
    void readVehicle(NoteVehicle &v) const;
    void clearVehicleBoxes();       // the plate, vehicle, owner and remark boxes, the lines
    // An information box (with the refusal's caption) and the focus on the box it names.
    void refuse(const WorkshopError &e);
    QString platePrefix() const;

    // The note's service calls. Each may throw WorkshopError or store::DbError.
    virtual QString beginNote() = 0;                        // reserves the number
    virtual void abandonNote(const QString &number) = 0;    // leaving an unsaved new note
    // Loads the saved note into the boxes; its plate, or nothing when it is not saved.
    virtual std::optional<QString> showSavedNote(const QString &number) = 0;
    virtual void checkNote() = 0;                           // the save checks of the boxes
    virtual void storeNote() = 0;                           // the save itself
    virtual void printNote() = 0;                           // previews the saved note

    // After "新增" has reserved the number and cleared the boxes: where the clerk starts.
    virtual void noteBegun() = 0;
    // After the typed plate was looked up (found: the boxes hold the customer record).
    virtual void plateLookedUp(bool found) = 0;
    // The box a refusal names by its label, if the form has it.
    virtual QWidget *boxNamed(const QString &label) const;
    // A save the service refused; by default as refuse().
    virtual void saveRefused(const WorkshopError &e);
    virtual void setInputEnabled(bool enabled);
    virtual void clearBoxes();

    void recomputeTotals();
    // Runs a pending look-up of the plate box (a save does this first).
    void plateLeft();

    bool canLeave() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

    const QString m_noun;
    QWidget *m_input = nullptr;     // the boxes above the grid
    QWidget *m_bottom = nullptr;    // the boxes below it
    QLineEdit *m_number = nullptr;
    QLineEdit *m_plate = nullptr;
    QLineEdit *m_model = nullptr, *m_colour = nullptr, *m_vin = nullptr, *m_engine = nullptr, *m_mileage = nullptr;
    QLineEdit *m_owner = nullptr, *m_contact = nullptr, *m_phone = nullptr, *m_mobile = nullptr;
    QLineEdit *m_address = nullptr, *m_postcode = nullptr, *m_fax = nullptr;
    shell::LineModel *m_lines = nullptr;
    shell::DataGrid *m_grid = nullptr;
    QLineEdit *m_rate = nullptr;
    QLineEdit *m_surcharge = nullptr;
    QLineEdit *m_total = nullptr;
    QLineEdit *m_remark = nullptr;
    QPushButton *m_new = nullptr, *m_print = nullptr, *m_deleteLine = nullptr, *m_save = nullptr;

    bool m_editing = false;
    bool m_saved = false;
    SaveMode m_mode = SaveMode::New;
    QString m_lookedUpPlate;        // the plate whose record (or note) filled the boxes last

private:
    void newClicked();
    void saveClicked();
    void printClicked();
    void deleteLineClicked();
    void openPicker();
    void plateEntered();
    void rateChanged();
    bool checkNumbers();
    void fillFromRecord(const customers::VehicleOwner &found);
};

} // namespace workshop
