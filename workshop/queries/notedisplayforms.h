#pragma once
// The displays of one saved note, read-only: TShowProduNoteForm ("托修单显示", with the
// printed repair order and the printed work order) and TShowPayNoteForm ("结算单显示",
// with the printed settlement and the mark "（未付款）" while it is unpaid). They show
// the entry forms' boxes and line grid, and compute S and T from the lines shown.
//
// Other forms open them with a note number:
//   workshop::TShowPayNoteForm::open(this, "000000000012");

#include "workshop/notelines.h"
#include "workshop/settlements/settlementchoices.h"
#include "shell/common/formframe.h"

#include <QHash>

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
namespace shell { class DataGrid; class LineModel; }

namespace workshop {

// Read-only boxes under their labels, found again by label.
class NoteDisplayForm : public shell::FunctionForm {
    Q_OBJECT
public:
    // The text of the box labelled `label` (tests and accessibility read the same).
    QString boxText(const QString &label) const;
    shell::DataGrid *lineGrid() const { return m_grid; }
    bool isFound() const { return m_found; }

protected:
    NoteDisplayForm(QWidget *parent, const QString &title, bool withLabourRate);

    void addBox(QGridLayout *grid, int row, int column, const QString &label, int span = 1);
    void setBox(const QString &label, const QString &text);
    // Shows the lines and the totals they give with the rate.
    void showLines(const QList<NoteLine> &lines, double rate);

    QWidget *m_boxes;
    QGridLayout *m_top;
    QGridLayout *m_bottom;
    bool m_found = false;

private:
    QHash<QString, QLineEdit *> m_byLabel;
    shell::LineModel *m_lines;
    shell::DataGrid *m_grid;
};

class TShowProduNoteForm : public NoteDisplayForm {
    Q_OBJECT
public:
    explicit TShowProduNoteForm(QWidget *parent = nullptr);
    // Fills the display from the saved order; an unknown number leaves it empty.
    bool showNote(const QString &number);
    QString noteNumber() const { return m_number; }
    // Creates the display over parent, shows the note and waits until it is closed.
    static void open(QWidget *parent, const QString &number);

private:
    void printOrder();
    void printWorkOrder();
    QString m_number;
};

class TShowPayNoteForm : public NoteDisplayForm {
    Q_OBJECT
public:
    explicit TShowPayNoteForm(QWidget *parent = nullptr);
    bool showNote(const QString &number);
    QString noteNumber() const { return m_number; }
    bool isUnpaidShown() const;
    static void open(QWidget *parent, const QString &number);

private:
    void printSettlement();
    QString m_number;
    QLabel *m_unpaid;
    PaymentChoice m_payment;
    QCheckBox *m_printRate;
};

} // namespace workshop
