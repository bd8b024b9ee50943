#pragma once
// A refusal of the stock services: the message the user is shown, and the box it
// concerns (empty when none), so a form can put the focus back where the fault is.

#include <QString>
#include <stdexcept>

namespace stock {

class StockError : public std::runtime_error {
public:
    explicit StockError(const QString &message, const QString &field = {})
        : std::runtime_error(message.toStdString()), m_message(message), m_field(field) {}
    const QString &message() const { return m_message; }
    const QString &field() const { return m_field; }

private:
    QString m_message;
    QString m_field;
};

} // namespace stock
