#pragma once
// "结算单录入" (and, opened through openForModification(), "结算单修改"): billing a repair
// order. "新增" reserves the settlement number with its header row; Enter in
// "对应托修单号" copies the repair order (vehicle, owner, rate, lines) into the form,
// refusing an order that is already settled or does not exist; the lines can be revised
// in place (工时单价 × 工时 gives 工时费) or added through the item and material picker;
// "保存" stores the settlement with its cash-book and consumption rows in one
// transaction; "打印" previews the printout with or without the labour-rate column
// ("打印工时单价"); leaving an unsaved new settlement removes its reserved rows.

#include "workshop/forms/noteentryform.h"
#include "workshop/settlements/settlementchoices.h"
#include "workshop/settlements/settlements.h"

class QCheckBox;
class QComboBox;
namespace shell { class DateBox; }

namespace workshop {

class TEnterPayNoteForm : public NoteEntryForm {
    Q_OBJECT
public:
    explicit TEnterPayNoteForm(QWidget *parent = nullptr);

    // Enter in "对应托修单号": copies the repair order into the form.
    void loadRepairOrder();

signals:
    // A save succeeded (a query list showing the settlement refreshes itself).
    void settlementSaved(const QString &number);

protected:
    QString beginNote() override;
    void abandonNote(const QString &number) override;
    std::optional<QString> showSavedNote(const QString &number) override;
    void checkNote() override;
    void storeNote() override;
    void printNote() override;
    void noteBegun() override;
    void plateLookedUp(bool found) override;
    QWidget *boxNamed(const QString &label) const override;
    void setInputEnabled(bool enabled) override;
    void clearBoxes() override;

private:
    void showBill(const Settlement &s);
    void showSettlement(const Settlement &s);
    Settlement settlementFromBoxes() const;

    QLineEdit *m_repairOrder;
    shell::DateBox *m_received, *m_completed, *m_due;
    QComboBox *m_clerk, *m_inspector;
    PaymentChoice m_payment;
    QCheckBox *m_printRate;

    // Not shown: carried from the repair order or the loaded settlement to the save.
    QString m_technician;
    QString m_customerSignature;
};

} // namespace workshop
