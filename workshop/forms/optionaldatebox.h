#pragma once
// A date box that may be left empty (a due date not yet known): it keeps the date
// box's calendar and parsing, but an empty box stays empty instead of taking a default.

#include "shell/common/datebox.h"

namespace workshop {

class OptionalDateBox : public shell::DateBox {
    Q_OBJECT
public:
    explicit OptionalDateBox(QWidget *parent = nullptr) : shell::DateBox(Single, 0, parent) {}

protected:
    void focusOutEvent(QFocusEvent *event) override;
};

} // namespace workshop
