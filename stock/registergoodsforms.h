#pragma once
namespace stock {
// Registers the category and goods setup forms, the goods entry dialog, the category and
// goods choosers and the goods stock query with the form registry, by class name and,
// where the name opens only that form, by function name.
void registerGoodsForms();
}
