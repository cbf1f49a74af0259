#include "ServerText.h"

#include "TextDecoding.h"

#include <span>

namespace app {

QString serverText(const QByteArray& bytes) {
    QByteArrayView text(bytes);
    if (const qsizetype zero = text.indexOf('\0'); zero >= 0)
        text = text.first(zero);
    const std::span<const std::uint8_t> raw(reinterpret_cast<const std::uint8_t*>(text.data()),
                                            static_cast<std::size_t>(text.size()));
    if (media::text::isValidUtf8(raw)) {
        if (text.startsWith("\xEF\xBB\xBF"))
            text = text.sliced(3);
        return QString::fromUtf8(text);
    }
    return QString::fromStdString(media::text::gbkToUtf8(raw));
}

} // namespace app
