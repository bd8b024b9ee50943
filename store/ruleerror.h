#pragma once
// A refusal of a business rule (a name left empty, a code used up, a right missing): the
// message the user is shown and, where one box or grid column is at fault, its label, so
// the form can put the focus back there. Database failures are store::DbError instead.

#include <QString>
#include <stdexcept>

namespace store {

class RuleError : public std::runtime_error {
public:
    explicit RuleError(const QString &message, const QString &field = {})
        : std::runtime_error(message.toStdString()), m_message(message), m_field(field) {}
    const QString &message() const { return m_message; }
    const QString &field() const { return m_field; }

private:
    QString m_message;
    QString m_field;
};

// Refuses a text wider than the column's GBK bytes, naming the box by its label:
// "部门名称最长50个字节(25个汉字),请重新输入!".
void requireGbkWidth(const QString &text, int bytes, const QString &label);

} // namespace store
