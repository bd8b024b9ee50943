#pragma once
// A refusal of a workshop rule, carrying the message the user sees, where one box is at
// fault the label of that box (so a form can put the focus there), and the caption of
// the message box when it is not the standard one.

#include <QString>
#include <stdexcept>

namespace workshop {

class WorkshopError : public std::runtime_error {
public:
    explicit WorkshopError(const QString &message, const QString &box = {}, const QString &messageCaption = {})
        : std::runtime_error(message.toStdString()), m_message(message), m_box(box), m_caption(messageCaption) {}
    const QString &message() const { return m_message; }
    const QString &box() const { return m_box; }
    const QString &messageCaption() const { return m_caption; }

private:
    QString m_message;
    QString m_box;
    QString m_caption;
};

} // namespace workshop
