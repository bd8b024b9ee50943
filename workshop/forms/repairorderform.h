#pragma once
// "托修单录入" (and, opened through openForModification(), "托修单修改"): receiving a car.
// "新增" reserves the number with its header row; the plate fills the owner and vehicle
// from the customer record (or marks a new customer); lines come from the item and
// material picker and can be edited in place; "保存" stores the order, its lines and the
// customer record in one transaction; "打印" previews the printed order; leaving an
// unsaved new order removes its reserved rows (the number is not given again).

#include "workshop/forms/noteentryform.h"

class QComboBox;
namespace shell { class DateBox; }

namespace workshop {

class OptionalDateBox;

class TEnterProduNoteForm : public NoteEntryForm {
    Q_OBJECT
public:
    explicit TEnterProduNoteForm(QWidget *parent = nullptr);

    bool isNewCustomer() const { return m_newCustomer; }

signals:
    // A save succeeded (a query list showing the order refreshes itself).
    void orderSaved(const QString &number);

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
    void saveRefused(const WorkshopError &e) override;
    void clearBoxes() override;

private:
    RepairOrder orderFromBoxes() const;
    void showOrder(const RepairOrder &order);

    shell::DateBox *m_received;
    shell::DateBox *m_expected;
    QComboBox *m_status;
    QLineEdit *m_inspection;
    OptionalDateBox *m_nextService;
    QComboBox *m_adviser, *m_technician, *m_inspector;
    QLineEdit *m_signature;

    bool m_newCustomer = false;
};

} // namespace workshop
