#pragma once
// A refusal of a workshop rule, carrying the message the user sees and, where one box
// is at fault, the label of that box (so a form can put the focus there).

#include <QString>
#include <stdexcept>

namespace workshop {

class WorkshopError : public std::runtime_error {
public:
    explicit WorkshopError(const QString &message, const QString &box = {})
        : std::runtime_error(message.toStdString()), m_message(message), m_box(box) {}
    const QString &message() const { return m_message; }
    const QString &box() const { return m_box; }

private:
    QString m_message;
    QString m_box;
};

} // namespace workshop
