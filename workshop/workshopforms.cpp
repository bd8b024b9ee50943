#include "workshop/workshopforms.h"
#include "workshop/forms/repairorderform.h"
#include "workshop/forms/serviceitemchooser.h"
#include "workshop/forms/serviceitemform.h"
#include "workshop/forms/serviceobjectform.h"
#include "shell/common/formregistry.h"

namespace workshop {

void registerWorkshopForms()
{
    shell::registerForm(QStringLiteral("TEnterProduNoteForm"), [](QWidget *p) { return new TEnterProduNoteForm(p); });
    shell::registerForm(QStringLiteral("TInitServiceObjectForm"), [](QWidget *p) { return new TInitServiceObjectForm(p); });
    shell::registerForm(QStringLiteral("TInitServiceItemForm"), [](QWidget *p) { return new TInitServiceItemForm(p); });
    // The repair statistics pick an item name through it (caller tag "维修业务统计").
    shell::registerForm(QStringLiteral("TListServiceItemForm"), [](QWidget *p) { return new TListServiceItemForm(p); });
}

} // namespace workshop
