#include "Id3v1Field.h"

#include "TextDecoding.h"

#include <algorithm>

namespace media {

std::string id3v1FieldText(std::span<const std::uint8_t> block, std::size_t offset,
                           std::size_t length) {
    if (offset >= block.size())
        return {};
    auto field = block.subspan(offset, std::min(length, block.size() - offset));
    field = field.first(
        static_cast<std::size_t>(std::find(field.begin(), field.end(), 0) - field.begin()));
    // The trimming works on the GBK bytes, where the full-width space is a byte pair.
    for (;;) {
        if (!field.empty() && field.front() == 0x20)
            field = field.subspan(1);
        else if (field.size() >= 2 && field[0] == 0xA1 && field[1] == 0xA1)
            field = field.subspan(2);
        else
            break;
    }
    for (;;) {
        if (!field.empty() && field.back() == 0x20)
            field = field.first(field.size() - 1);
        else if (field.size() >= 2 && field[field.size() - 2] == 0xA1 && field.back() == 0xA1)
            field = field.first(field.size() - 2);
        else
            break;
    }
    return text::gbkToUtf8(field);
}

} // namespace media
