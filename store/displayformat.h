#pragma once
// The display masks of grids, boxes and printed notes, implemented once:
// "##0.00", "##.##", "##.###", "##0.000", "##0.0000", "##0.000000", "#,##0.000",
// "#,##0.00", "###.##", "#0.00" and the date mask "YYYY-MM-DD".
// '0' is a digit always shown, '#' a digit shown only when significant, ',' in the
// integer part turns on thousands grouping; the number of places after '.' is the
// number of decimals shown (values rounded half away from zero). An empty or
// unrecognised mask shows the plain value.

#include <QString>
#include <QVariant>

namespace store {

QString formatNumber(double value, const QString &mask);
// Formats whatever a column holds (number, money, date, date text, text) by the mask.
// Null values give an empty text.
QString formatValue(const QVariant &value, const QString &mask);
// Whether the mask is one this function understands.
bool isKnownMask(const QString &mask);

} // namespace store
