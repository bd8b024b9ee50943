#pragma once
// A refusal of a workshop rule: a store::RuleError whose field is the label of the box
// at fault (so a form can put the focus there), with the caption of the message box
// when it is not the standard one.

#include "store/ruleerror.h"

namespace workshop {

class WorkshopError : public store::RuleError {
public:
    explicit WorkshopError(const QString &message, const QString &box = {}, const QString &messageCaption = {})
        : RuleError(message, box), m_caption(messageCaption) {}
    const QString &box() const { return field(); }
    const QString &messageCaption() const { return m_caption; }

private:
    QString m_caption;
};

} // namespace workshop
