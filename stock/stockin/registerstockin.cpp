#include "stock/stockin/registerstockin.h"
#include "stock/stockin/enterinlibnoteform.h"
#include "stock/warehouse/listlibboxform.h"

#include "shell/common/formregistry.h"

namespace stock {

void registerStockInForms()
{
    const auto note = [](QWidget *p) -> QDialog * { return new TEnterInLibNoteForm(p); };
    shell::registerForm(QStringLiteral("TEnterInLibNoteForm"), note);
    shell::registerForm(QStringLiteral("物品入库"), note);
    shell::registerForm(QStringLiteral("TListLibBoxForm"), [](QWidget *p) -> QDialog * { return new TListLibBoxForm(p); });
}

} // namespace stock
