#pragma once
// A refusal of the supplier service: the message the user is shown and the field it
// concerns (empty when none), so the form can put the focus back on that cell.

#include <QString>
#include <stdexcept>

namespace customers {

class SupplierError : public std::runtime_error {
public:
    explicit SupplierError(const QString &message, const QString &field = {})
        : std::runtime_error(message.toStdString()), m_message(message), m_field(field) {}
    const QString &message() const { return m_message; }
    const QString &field() const { return m_field; }

private:
    QString m_message;
    QString m_field;
};

} // namespace customers
