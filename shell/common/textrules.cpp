#include "shell/common/textrules.h"
#include "store/db.h"

#include <QLineEdit>
#include <QValidator>

namespace shell {

namespace {

// One validator per box carries all its rules.
class BoxRules : public QValidator {
public:
    using QValidator::QValidator;
    bool digitsOnly = false;
    bool upperCase = false;
    int maxBytes = 0;

    State validate(QString &input, int &) const override
    {
        if (upperCase)
            input = input.toUpper();
        if (digitsOnly) {
            for (QChar c : input)
                if (!(c.isDigit() && c.unicode() < 128) && c != QLatin1Char('-') && c != QLatin1Char('.'))
                    return Invalid;
        }
        if (maxBytes > 0 && store::gbkWidth(input) > maxBytes)
            return Invalid;
        return Acceptable;
    }
};

BoxRules *rulesOf(QLineEdit *edit)
{
    if (auto *rules = const_cast<BoxRules *>(dynamic_cast<const BoxRules *>(edit->validator())))
        return rules;
    auto *rules = new BoxRules(edit);
    edit->setValidator(rules);
    return rules;
}

} // namespace

void makeDigitsOnly(QLineEdit *edit)
{
    rulesOf(edit)->digitsOnly = true;
}

void makeUpperCase(QLineEdit *edit)
{
    rulesOf(edit)->upperCase = true;
}

void limitGbkBytes(QLineEdit *edit, int bytes)
{
    rulesOf(edit)->maxBytes = bytes;
}

} // namespace shell
