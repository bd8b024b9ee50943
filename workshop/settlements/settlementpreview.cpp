#include "workshop/settlements/settlementpreview.h"
#include "workshop/settlements/settlements.h"
#include "print/layouts/settlement.h"
#include "shell/common/database.h"
#include "shell/common/messages.h"
#include "shell/common/operatorcontext.h"

namespace workshop {

void previewSettlement(QWidget *parent, const QString &number, bool withLabourRate)
{
    if (number.isEmpty()) {
        shell::Messages::info(parent, QStringLiteral("没有可以打印的结算单，请查清楚！"));
        return;
    }
    try {
        const print::PageModel pages =
            settlementPages(shell::database(), number, shell::currentOperator().department, withLabourRate);
        if (withLabourRate)
            print::TPrintPayNote1Form::preview(pages, parent);
        else
            print::TPrintPayNoteForm::preview(pages, parent);
    } catch (const WorkshopError &e) {
        shell::Messages::info(parent, e.message());
    } catch (const store::DbError &e) {
        shell::Messages::error(parent, e.message());
    }
}

} // namespace workshop
