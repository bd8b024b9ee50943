#pragma once
// Previewing a saved settlement's printout from a form: with the labour-rate column
// (TPrintPayNote1Form) or without it (TPrintPayNoteForm).

#include <QString>

class QWidget;

namespace workshop {

// An empty or unknown number and a database failure are shown as messages.
void previewSettlement(QWidget *parent, const QString &number, bool withLabourRate);

} // namespace workshop
