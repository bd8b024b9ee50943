#pragma once
// The printed stock-in note (TPrintForm1) of a saved note, for the entry form and the
// note queries.

#include "print/pagemodel.h"
#include "store/db.h"

#include <optional>

class QWidget;

namespace stock {

// The note's pages; nothing when there is no such note.
std::optional<print::PageModel> stockInNotePages(store::Db &db, const QString &number);
// Shows the note in the report previewer ("没有可用单据可以供打印!请输入单据再进行打印!"
// when there is no such note).
void previewStockInNote(QWidget *parent, store::Db &db, const QString &number);

inline const QString kNothingToPrint = QStringLiteral("没有可用单据可以供打印!请输入单据再进行打印!");

} // namespace stock
