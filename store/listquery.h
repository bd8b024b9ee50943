#pragma once
// The statement behind a form's grid, as a service hands it over: the SQL text and its
// bound values (never pasted into the text). The form runs it with DataGrid::showQuery.

#include <QString>
#include <QVariantList>

namespace store {

struct ListQuery {
    QString sql;
    QVariantList params;
};

} // namespace store
