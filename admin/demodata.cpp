#include "admin/demodata.h"

namespace admin {

void loadDemoData(store::Db &db)
{
    store::Transaction tx(db);
    db.execWrite(QStringLiteral("UPDATE 部门信息 SET 车牌字头 = ? WHERE 部门编号 = '0000'"), {QStringLiteral("湘A")});
    tx.commit();
}

} // namespace admin
