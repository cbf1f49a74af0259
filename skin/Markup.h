#pragma once

#include "TextToInt.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <optional>

// The attribute markup that skin tags and skin documents are written in: key="value" pairs,
// found by a plain, case-sensitive search for the key text including its "=".
namespace skin::markup {

// Numbers in markup are read by the toolkit's rule.
using tk::textToInt;

// The value of the first occurrence of `key` (which includes its "="): the text after the
// next double quote up to the following one, or to the end when that one is missing.
// Nothing when the key does not occur; empty when no quote follows it.
std::optional<QString> attributeValue(QStringView markup, QStringView key);

// The numbers of the "position=" value, split at "," into at most four parts. Nothing when
// the markup has no "position=".
std::optional<QList<int>> positionParts(QStringView markup);

// A hexadecimal colour text without its "#", read digit by digit (letters in either case;
// any other character counts as 0) into a number used as the colour value 0x00BBGGRR: the
// last two digits are the lowest byte, red, so "0000ff" is pure red and "ff0000" pure blue.
// Only the last eight digits count.
uint32_t ParseHexColour(QStringView text);

// Geometry arithmetic is done in 64 bits and brought back into the int range.
using tk::clampToInt;

} // namespace skin::markup
