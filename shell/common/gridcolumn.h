#pragma once
// How a data grid shows one field, and what its footer cells hold.

#include <QString>
#include <Qt>

namespace shell {

struct GridColumn {
    QString field;                  // the model's column (field) name
    QString title;                  // empty: the field name
    QString mask;                   // display mask ("##0.00", "YYYY-MM-DD"); empty: the plain value
    Qt::Alignment alignment = {};   // empty: numbers right, everything else left
    bool hidden = false;
    bool readOnly = false;          // in an editable grid, this column still is not
    int width = 0;                  // pixels; 0: fitted to the title and first rows

    QString shownTitle() const { return title.isEmpty() ? field : title; }
};

// One cell of a footer row under a column.
struct FooterCell {
    enum Kind { Text, Sum, Count, Value };
    Kind kind = Text;
    QString text;                   // Text: the fixed text ("合  计")
    QString mask;                   // Sum, Count, Value: display mask of the figure

    static FooterCell label(const QString &text) { return {Text, text, {}}; }
    static FooterCell sum(const QString &mask = QStringLiteral("##0.00")) { return {Sum, {}, mask}; }
    static FooterCell count() { return {Count, {}, {}}; }
    // A figure the form supplies with DataGrid::setFooterValue.
    static FooterCell value(const QString &mask = {}) { return {Value, {}, mask}; }
};

} // namespace shell
