#pragma once
// The display masks of grids, boxes and printed notes, implemented once:
// "##0.00", "##.##", "##.###", "##0.000", "##0.0000", "##0.000000", "#,##0.000",
// "#,##0.00", "###.##", "#0.00" and the date mask "YYYY-MM-DD".
// '0' is a digit always shown, '#' a digit shown only when significant, ',' in the
// integer part turns on thousands grouping; the number of places after '.' is the
// number of decimals shown (values rounded half away from zero). An empty or
// unrecognised mask shows the plain value.
// In detail: after the point, '0' places always show and '#' places only when not a
// trailing zero ("##.##": 2.5 -> "2.5", 3 -> "3", 2.555 -> "2.56"); before the point at
// least one digit shows ("##.##": 0.5 -> "0.5", 0 -> "0"); a value that rounds to zero
// shows no minus sign. Literal text around the pattern is kept ("￥##0.00" -> "￥12.50").
// Numbers are formatted from their exact decimal value: Money, integers and decimal
// text exactly, doubles through their 15 significant digits (2.675 -> "2.68").
// The date mask takes a QDate, a QDateTime or a "yyyy-MM-dd..." text; other values
// under it, and non-numbers under a number mask, show as plain text.

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
