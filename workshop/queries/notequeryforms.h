#pragma once
// The repair order query TFindProduNoteForm ("托修单查询") and the settlement query
// TFindPayNoteForm ("结算单查询"). Both list the notes of a date range (the last five
// days when opened), optionally those whose chosen 条件类别 column contains the
// 查询条件 text; a double-click shows the note; opened by the command "托修单修改" /
// "结算单修改" (the form's "command" property) they show "修改", which opens the
// entry form in modification mode under the operator-category rule and queries again
// after its save.

#include "workshop/queries/notequeries.h"
#include "shell/common/formframe.h"

class QComboBox;
class QLineEdit;
class QPushButton;
namespace shell { class DataGrid; class DateBox; }

namespace workshop {

class NoteEntryForm;

class NoteQueryForm : public shell::FunctionForm {
    Q_OBJECT
public:
    // Runs the query with the boxes' dates and condition; false (with a message) when
    // the statement fails.
    bool runQuery();
    // Runs the statement shown again (after a modification was saved).
    void requery();
    // The note number of the current row (empty without rows).
    QString currentNumber() const;
    bool isModification() const;

    shell::DataGrid *grid() const { return m_grid; }
    shell::DateBox *fromBox() const { return m_from; }
    shell::DateBox *toBox() const { return m_to; }
    QLineEdit *conditionBox() const { return m_condition; }
    QComboBox *columnBox() const { return m_column; }
    QPushButton *modifyButton() const { return m_modify; }

protected:
    struct Texts {
        QString browseTitle;        // "托修单查询"
        QString modifyTitle;        // "托修单修改"
        QString queryHint;
        QString nothingToShow;      // double-click on an empty list
        QString nothingToModify;    // "修改" on an empty list
        QString modifyRefused;      // a finished or paid note and an operator who may not modify it
    };
    NoteQueryForm(QWidget *parent, NoteTable table, const Texts &texts);

    virtual void showNote(const QString &number) = 0;
    // Whether the operator may modify the saved note (true for a number no longer saved:
    // the entry form then says so). May throw store::DbError.
    virtual bool mayModifyNote(const QString &number) = 0;
    virtual NoteEntryForm *createEntryForm() = 0;

    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applyCommand();
    void showCurrent();
    void modifyClicked();
    // Opens the entry form on the saved note and queries again after each save.
    void openModification(const QString &number);

    NoteTable m_table;
    Texts m_texts;
    QString m_numberField;
    shell::DateBox *m_from;
    shell::DateBox *m_to;
    QLineEdit *m_condition;
    QComboBox *m_column;
    shell::DataGrid *m_grid;
    QPushButton *m_query;
    QPushButton *m_modify;
};

class TFindProduNoteForm : public NoteQueryForm {
    Q_OBJECT
public:
    explicit TFindProduNoteForm(QWidget *parent = nullptr);

protected:
    void showNote(const QString &number) override;
    bool mayModifyNote(const QString &number) override;
    NoteEntryForm *createEntryForm() override;
};

class TFindPayNoteForm : public NoteQueryForm {
    Q_OBJECT
public:
    explicit TFindPayNoteForm(QWidget *parent = nullptr);

protected:
    void showNote(const QString &number) override;
    bool mayModifyNote(const QString &number) override;
    NoteEntryForm *createEntryForm() override;
};

} // namespace workshop
