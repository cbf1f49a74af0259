#include "TextDecoding.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace media::text {

namespace {

constexpr char Replacement[] = "\xEF\xBF\xBD"; // U+FFFD

void appendCodePoint(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Length of the valid UTF-8 sequence at the start of `bytes`, or 0 when there is none.
std::size_t validSequenceLength(Bytes bytes) {
    const std::uint8_t b0 = bytes[0];
    if (b0 < 0x80)
        return 1;
    std::size_t length = 0;
    std::uint8_t low = 0x80, high = 0xBF; // allowed range of the second byte
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3;
        if (b0 == 0xE0)
            low = 0xA0; // overlong
        if (b0 == 0xED)
            high = 0x9F; // surrogates
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4;
        if (b0 == 0xF0)
            low = 0x90; // overlong
        if (b0 == 0xF4)
            high = 0x8F; // above U+10FFFF
    } else {
        return 0;
    }
    if (bytes.size() < length || bytes[1] < low || bytes[1] > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if ((bytes[i] & 0xC0) != 0x80)
            return 0;
    return length;
}

// iconv descriptor for GBK -> UTF-8, closed on scope exit.
class GbkConverter {
  public:
    GbkConverter() : cd_(iconv_open("UTF-8", "GBK")) {}
    ~GbkConverter() {
        if (ok())
            iconv_close(cd_);
    }
    GbkConverter(const GbkConverter&) = delete;
    GbkConverter& operator=(const GbkConverter&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

  private:
    iconv_t cd_;
};

} // namespace

std::string gbkToUtf8(Bytes bytes) {
    if (std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b < 0x80; }))
        return {bytes.begin(), bytes.end()};

    std::string out;
    GbkConverter converter;
    if (!converter.ok()) {
        // No GBK tables (a stripped-down system): keep what is ASCII, mark the rest.
        for (std::uint8_t b : bytes)
            out += b < 0x80 ? std::string(1, static_cast<char>(b)) : std::string(Replacement);
        return out;
    }
    out.reserve(bytes.size() + bytes.size() / 2);
    char buffer[1024]; // iconv writes here; E2BIG just means "append and go on"
    char* in = const_cast<char*>(reinterpret_cast<const char*>(bytes.data()));
    std::size_t inLeft = bytes.size();
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(converter.get(), &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (result != static_cast<std::size_t>(-1))
            break;
        if (errno == E2BIG)
            continue;
        // EILSEQ (no GBK character starts here) or EINVAL (a lead byte cut off at the end):
        // mark the byte and go on after it.
        out += Replacement;
        ++in;
        --inLeft;
        iconv(converter.get(), nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

std::string latin1ToUtf8(Bytes bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (std::uint8_t b : bytes)
        appendCodePoint(out, b);
    return out;
}

std::string utf16ToUtf8(Bytes bytes, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size());
    const std::size_t units = bytes.size() / 2;
    auto unitAt = [&](std::size_t i) -> std::uint32_t {
        const std::uint8_t a = bytes[2 * i], b = bytes[2 * i + 1];
        return bigEndian ? (a << 8 | b) : (b << 8 | a);
    };
    for (std::size_t i = 0; i < units; ++i) {
        const std::uint32_t unit = unitAt(i);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units) {
            const std::uint32_t next = unitAt(i + 1);
            if (next >= 0xDC00 && next <= 0xDFFF) {
                appendCodePoint(out, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
                ++i;
                continue;
            }
        }
        if (unit >= 0xD800 && unit <= 0xDFFF)
            out += Replacement;
        else
            appendCodePoint(out, unit);
    }
    if (bytes.size() % 2 != 0)
        out += Replacement;
    return out;
}

std::string sanitizeUtf8(Bytes bytes) {
    std::string out;
    out.reserve(bytes.size());
    // Valid runs are copied whole; only the bytes that start no sequence are replaced.
    std::size_t i = 0, runStart = 0;
    while (i < bytes.size()) {
        if (bytes[i] < 0x80) {
            ++i;
            continue;
        }
        const std::size_t length = validSequenceLength(bytes.subspan(i));
        if (length != 0) {
            i += length;
            continue;
        }
        out.append(reinterpret_cast<const char*>(bytes.data() + runStart), i - runStart);
        out += Replacement;
        runStart = ++i;
    }
    out.append(reinterpret_cast<const char*>(bytes.data() + runStart), i - runStart);
    return out;
}

bool isValidUtf8(Bytes bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (bytes[i] < 0x80) {
            ++i;
            continue;
        }
        const std::size_t length = validSequenceLength(bytes.subspan(i));
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

} // namespace media::text
