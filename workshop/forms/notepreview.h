#pragma once
// Previewing a saved note's printout from a form: the repair order (TPrintProduNoteForm),
// its work order (TPrintWorkNoteForm), the settlement with the labour-rate column
// (TPrintPayNote1Form) or without it (TPrintPayNoteForm). An empty or unknown number
// and a database failure are shown as messages.

#include <QString>

class QWidget;

namespace workshop {

void previewRepairOrder(QWidget *parent, const QString &number);
void previewWorkOrder(QWidget *parent, const QString &number);
void previewSettlement(QWidget *parent, const QString &number, bool withLabourRate);

} // namespace workshop
