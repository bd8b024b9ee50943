#include "workshop/settlements/settlementforms.h"
#include "workshop/queries/notedisplayforms.h"
#include "workshop/queries/notequeryforms.h"
#include "workshop/settlements/settlementform.h"
#include "shell/common/formregistry.h"

namespace workshop {

void registerSettlementForms()
{
    shell::registerForm(QStringLiteral("TEnterPayNoteForm"), [](QWidget *p) { return new TEnterPayNoteForm(p); });
    // One class each for browsing and modifying: the form reads its "command" property.
    shell::registerForm(QStringLiteral("TFindProduNoteForm"), [](QWidget *p) { return new TFindProduNoteForm(p); });
    shell::registerForm(QStringLiteral("TFindPayNoteForm"), [](QWidget *p) { return new TFindPayNoteForm(p); });
    shell::registerForm(QStringLiteral("TShowProduNoteForm"), [](QWidget *p) { return new TShowProduNoteForm(p); });
    shell::registerForm(QStringLiteral("TShowPayNoteForm"), [](QWidget *p) { return new TShowPayNoteForm(p); });
}

} // namespace workshop
