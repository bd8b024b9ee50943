#pragma once
// The amount of money in Chinese capital numerals, as printed notes show their total:
// 123.45 -> 壹佰贰拾叁元肆角伍分, 100 -> 壹佰元整, 10203 -> 壹万零贰佰零叁元整.

#include "store/money.h"

#include <QString>

namespace print {

// Rounded half away from zero to the cent first. 负 leads a negative amount; 整 closes an
// amount without 分; a zero 角 before a 分 is written 零 (1.05 -> 壹元零伍分); amounts
// under one yuan have no 元 part (0.05 -> 伍分); zero is 零元整.
QString capitalAmount(store::Money amount);

} // namespace print
