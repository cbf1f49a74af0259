#include "TextToInt.h"

#include <algorithm>
#include <limits>

namespace tk {

int clampToInt(long long value) {
    return static_cast<int>(std::clamp<long long>(value, std::numeric_limits<int>::min(),
                                                  std::numeric_limits<int>::max()));
}

int textToInt(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    // Accumulate past the int range only as far as is needed to know it saturates.
    constexpr long long limit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    long long value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        value = std::min(limit, value * 10 + (text[i].unicode() - u'0'));
    return clampToInt(negative ? -value : value);
}

} // namespace tk
