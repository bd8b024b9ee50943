#pragma once
// A date box ("yyyy-MM-dd") that may be empty while typing but never stays empty: left
// empty, it takes its default date — today minus the form's number of days for a "from"
// box, today for a "to" box and a single date box. A box that holds a date keeps it;
// text that is no date goes back to the date the box held before. Alt+Down (or the
// calendar button) opens a calendar.
//
//   auto *from = new shell::DateBox(shell::DateBox::From, 30);   // 30-day query form
//   auto *to = new shell::DateBox(shell::DateBox::To);
//   from->setDate(from->defaultDate());  // what the form puts in at creation

#include <QDate>
#include <QLineEdit>

namespace shell {

class DateBox : public QLineEdit {
    Q_OBJECT
public:
    enum Kind { From, To, Single };

    explicit DateBox(Kind kind = Single, int fromDays = 0, QWidget *parent = nullptr);

    Kind kind() const { return m_kind; }
    void setFromDays(int days) { m_days = days; }
    int fromDays() const { return m_days; }
    QDate defaultDate() const;

    // The date shown, or an invalid date when the box is empty or holds no date.
    QDate date() const;
    void setDate(const QDate &date);

    static QDate parse(const QString &text);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void settle();
    void openCalendar();
    Kind m_kind;
    int m_days;
    QDate m_lastValid;      // the date before the current editing
};

} // namespace shell
