#pragma once

namespace stock {

// Registers the stock-in forms with the form registry: the note "TEnterInLibNoteForm"
// (also under its function name "物品入库") and the warehouse chooser "TListLibBoxForm".
void registerStockInForms();

} // namespace stock
