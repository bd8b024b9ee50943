#pragma once
#include <initializer_list>
#include <vector>

namespace store {

// The compact source form of one table: its columns as "name type[!]" and the
// columns it is looked up by (each entry one index; "a,b" is a compound index).
struct TableSpec {
    const char *name;
    const char *columns;
    std::vector<const char *> indexes;
    bool uniqueKey;   // the '!' columns form a primary key
};

const std::vector<TableSpec> &tableSpecs();

} // namespace store
