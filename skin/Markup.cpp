#include "Markup.h"

#include <algorithm>
#include <limits>

namespace skin::markup {

std::optional<QString> attributeValue(QStringView markup, QStringView key) {
    const qsizetype keyAt = markup.indexOf(key);
    if (key.isEmpty() || keyAt < 0)
        return std::nullopt;
    const qsizetype open = markup.indexOf(u'"', keyAt + key.size());
    if (open < 0)
        return QString();
    const qsizetype close = markup.indexOf(u'"', open + 1);
    const qsizetype end = close < 0 ? markup.size() : close;
    return markup.sliced(open + 1, end - open - 1).toString();
}

std::optional<QList<int>> positionParts(QStringView markup) {
    const std::optional<QString> value = attributeValue(markup, u"position=");
    if (!value)
        return std::nullopt;
    QList<int> parts;
    // At most four parts: whatever follows a fourth "," stays in the fourth part, where the
    // number ends at the "," anyway.
    qsizetype start = 0;
    while (parts.size() < 3) {
        const qsizetype comma = value->indexOf(u',', start);
        if (comma < 0)
            break;
        parts.append(textToInt(QStringView(*value).sliced(start, comma - start)));
        start = comma + 1;
    }
    parts.append(textToInt(QStringView(*value).sliced(start)));
    return parts;
}

uint32_t ParseHexColour(QStringView text) {
    // Unsigned arithmetic keeps the last eight digits of a longer text instead of overflowing.
    uint32_t value = 0;
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        uint32_t digit = 0;
        if (code >= u'0' && code <= u'9')
            digit = code - u'0';
        else if (code >= u'a' && code <= u'f')
            digit = code - u'a' + 10;
        else if (code >= u'A' && code <= u'F')
            digit = code - u'A' + 10;
        value = value * 16 + digit;
    }
    return value;
}

} // namespace skin::markup
