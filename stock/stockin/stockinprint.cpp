#include "stock/stockin/stockinprint.h"
#include "stock/stockin/stockinservice.h"

#include "print/layouts/stockin.h"
#include "print/preview.h"
#include "shell/common/messages.h"

namespace stock {

std::optional<print::PageModel> stockInNotePages(store::Db &db, const QString &number)
{
    const std::optional<StockInPrintData> data = stockInNoteForPrint(db, number);
    if (!data)
        return std::nullopt;
    return print::buildStockInNotePages(data->lines, data->header);
}

void previewStockInNote(QWidget *parent, store::Db &db, const QString &number)
{
    try {
        const std::optional<print::PageModel> pages = number.isEmpty() ? std::nullopt : stockInNotePages(db, number);
        if (!pages) {
            shell::Messages::info(parent, kNothingToPrint);
            return;
        }
        print::showPreview(*pages, parent);
    } catch (const store::DbError &e) {
        shell::Messages::error(parent, e.message());
    }
}

} // namespace stock
