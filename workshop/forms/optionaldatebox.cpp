#include "workshop/forms/optionaldatebox.h"

namespace workshop {

void OptionalDateBox::focusOutEvent(QFocusEvent *event)
{
    if (text().trimmed().isEmpty()) {
        clear();
        QLineEdit::focusOutEvent(event);
        return;
    }
    shell::DateBox::focusOutEvent(event);
}

} // namespace workshop
