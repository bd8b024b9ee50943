#include "workshop/forms/notepreview.h"
#include "workshop/queries/workorderprint.h"
#include "workshop/repairorderprint.h"
#include "workshop/settlements/settlements.h"
#include "print/layouts/repairorder.h"
#include "print/layouts/settlement.h"
#include "print/layouts/worknote.h"
#include "shell/common/database.h"
#include "shell/common/messages.h"
#include "shell/common/operatorcontext.h"

#include <functional>

namespace workshop {

namespace {

// `noun` names the note in the message for an empty number ("托修单", "结算单").
void preview(QWidget *parent, const QString &number, const QString &noun, const std::function<void()> &show)
{
    if (number.isEmpty()) {
        shell::Messages::info(parent, QStringLiteral("没有可以打印的%1，请查清楚！").arg(noun));
        return;
    }
    try {
        show();
    } catch (const WorkshopError &e) {
        shell::Messages::info(parent, e.message());
    } catch (const store::DbError &e) {
        shell::Messages::error(parent, e.message());
    }
}

QString department()
{
    return shell::currentOperator().department;
}

} // namespace

void previewRepairOrder(QWidget *parent, const QString &number)
{
    preview(parent, number, QStringLiteral("托修单"), [&] {
        print::TPrintProduNoteForm::preview(repairOrderPages(shell::database(), number, department()), parent);
    });
}

void previewWorkOrder(QWidget *parent, const QString &number)
{
    preview(parent, number, QStringLiteral("托修单"), [&] {
        print::TPrintWorkNoteForm::preview(workOrderPages(shell::database(), number), parent);
    });
}

void previewSettlement(QWidget *parent, const QString &number, bool withLabourRate)
{
    preview(parent, number, QStringLiteral("结算单"), [&] {
        const print::PageModel pages = settlementPages(shell::database(), number, department(), withLabourRate);
        if (withLabourRate)
            print::TPrintPayNote1Form::preview(pages, parent);
        else
            print::TPrintPayNoteForm::preview(pages, parent);
    });
}

} // namespace workshop
