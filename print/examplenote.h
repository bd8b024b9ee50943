#pragma once
// A repair-order-like note built with the report layer: it shows every piece a printed
// note needs (page header with the company, a ruled header box, a ruled detail table,
// sums in "￥" and the capital-numeral total, a signature line, page numbers).

#include "print/pagemodel.h"

#include <QList>
#include <QVariantMap>

namespace print {

Report exampleNoteLayout();
// A sample note: its header values (with the department's name, address, telephone
// and fax) and its lines.
QVariantMap exampleNoteValues();
QList<QVariantMap> exampleNoteLines(int count = 7);
PageModel buildExampleNote(int lineCount = 7);

} // namespace print
