#pragma once

#include <QStringView>

namespace tk {

// How the toolkit reads a number from a text (edit boxes, tags): leading spaces, an optional
// sign, then digits up to the first other character; no digits gives 0. Values beyond the
// int range saturate.
int textToInt(QStringView text);

// A 64-bit result brought back into the int range.
int clampToInt(long long value);

} // namespace tk
