#include "shell/common/datebox.h"

#include <QAction>
#include <QCalendarWidget>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QStyle>

namespace shell {

DateBox::DateBox(Kind kind, int fromDays, QWidget *parent) : QLineEdit(parent), m_kind(kind), m_days(fromDays)
{
    setPlaceholderText(QStringLiteral("YYYY-MM-DD"));
    QAction *calendar = addAction(style()->standardIcon(QStyle::SP_ArrowDown), QLineEdit::TrailingPosition);
    calendar->setToolTip(QStringLiteral("选择日期"));
    connect(calendar, &QAction::triggered, this, &DateBox::openCalendar);
}

QDate DateBox::defaultDate() const
{
    const QDate today = QDate::currentDate();
    return m_kind == From ? today.addDays(-m_days) : today;
}

QDate DateBox::parse(const QString &text)
{
    const QString t = text.trimmed();
    static const QRegularExpression separated(QStringLiteral("^(\\d{4})[-/.](\\d{1,2})[-/.](\\d{1,2})$"));
    static const QRegularExpression compact(QStringLiteral("^(\\d{4})(\\d{2})(\\d{2})$"));
    QRegularExpressionMatch m = separated.match(t);
    if (!m.hasMatch())
        m = compact.match(t);
    if (!m.hasMatch())
        return {};
    return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
}

QDate DateBox::date() const
{
    return parse(text());
}

void DateBox::setDate(const QDate &date)
{
    setText(date.isValid() ? date.toString(QStringLiteral("yyyy-MM-dd")) : QString());
    if (date.isValid())
        m_lastValid = date;
}

void DateBox::settle()
{
    if (text().trimmed().isEmpty()) {
        setDate(defaultDate());
        return;
    }
    const QDate d = date();
    if (d.isValid())
        setDate(d);   // one spelling: "2024-3-5" becomes "2024-03-05"
    else
        setDate(m_lastValid.isValid() ? m_lastValid : defaultDate());
}

void DateBox::focusInEvent(QFocusEvent *event)
{
    if (date().isValid())
        m_lastValid = date();
    QLineEdit::focusInEvent(event);
}

void DateBox::focusOutEvent(QFocusEvent *event)
{
    if (event->reason() != Qt::PopupFocusReason)
        settle();
    QLineEdit::focusOutEvent(event);
}

void DateBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier)) {
        openCalendar();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void DateBox::openCalendar()
{
    auto *calendar = new QCalendarWidget(this);
    calendar->setWindowFlags(Qt::Popup);
    calendar->setAttribute(Qt::WA_DeleteOnClose);
    calendar->setSelectedDate(date().isValid() ? date() : defaultDate());
    connect(calendar, &QCalendarWidget::activated, this, [this, calendar](const QDate &d) {
        setDate(d);
        calendar->close();
        setFocus(Qt::PopupFocusReason);
    });
    connect(calendar, &QCalendarWidget::clicked, calendar, &QCalendarWidget::activated);
    calendar->move(mapToGlobal(QPoint(0, height())));
    calendar->show();
    calendar->setFocus();
}

} // namespace shell
