#pragma once
// Reads the first sheet of an .xlsx file back as rows of cell texts (numbers as written,
// e.g. "12.5"), for checking exports.

#include <QList>
#include <QString>
#include <QStringList>

namespace sample {

struct SheetCell {
    QString text;
    bool number = false;
    int style = 0;      // the cell's style index (its number format)
};

// Rows from row 1; each row from column A, with empty texts for missing cells.
// An empty list when the file cannot be read.
QList<QList<SheetCell>> readFirstSheet(const QString &path);
QList<QStringList> readFirstSheetTexts(const QString &path);
// Number formats of the workbook by style index ("0.00", "#,##0.00", or "" for general).
QStringList readCellFormats(const QString &path);

} // namespace sample
