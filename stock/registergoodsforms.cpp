#include "stock/registergoodsforms.h"
#include "stock/forms/enterproductinfoform.h"
#include "stock/forms/findproductinfoform.h"
#include "stock/forms/initproductinfoform.h"
#include "stock/forms/initproductobjectform.h"
#include "stock/forms/listproductform.h"
#include "stock/forms/listproductobjectform.h"

#include "shell/common/formregistry.h"

namespace stock {

void registerGoodsForms()
{
    const auto categories = [](QWidget *p) -> QDialog * { return new TInitProductObjectForm(p); };
    const auto query = [](QWidget *p) -> QDialog * { return new TFindProductInfoForm(p); };
    shell::registerForm(QStringLiteral("TInitProductObjectForm"), categories);
    shell::registerForm(QStringLiteral("物品类别设置"), categories);
    shell::registerForm(QStringLiteral("TFindProductInfoForm"), query);
    shell::registerForm(QStringLiteral("物品查询"), query);
    // "物品信息设置" also guards the goods import, so the setup goes by its class name only.
    shell::registerForm(QStringLiteral("TInitProductInfoForm"), [](QWidget *p) -> QDialog * { return new TInitProductInfoForm(p); });
    shell::registerForm(QStringLiteral("TEnterProDuctInfoForm"), [](QWidget *p) -> QDialog * { return new TEnterProDuctInfoForm(p); });
    shell::registerForm(QStringLiteral("TListProDuctObjectForm"), [](QWidget *p) -> QDialog * { return new TListProDuctObjectForm(p); });
    shell::registerForm(QStringLiteral("TListProductForm"), [](QWidget *p) -> QDialog * { return new TListProductForm(p); });
}

} // namespace stock
