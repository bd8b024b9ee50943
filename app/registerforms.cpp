#include "app/registerforms.h"
#include "admin/dept/registerdeptforms.h"
#include "customers/suppliers/registersuppliers.h"
#include "stock/registergoodsforms.h"
#include "stock/stockin/registerstockin.h"
#include "workshop/settlements/settlementforms.h"
#include "workshop/workshopforms.h"

namespace app {

void registerAllForms()
{
    admin::registerDeptForms();
    stock::registerGoodsForms();
    stock::registerStockInForms();
    customers::registerSupplierForms();
    workshop::registerWorkshopForms();
    workshop::registerSettlementForms();
}

} // namespace app
