// Fuzzes the ID3 reader and the audio format sniffer (media/) with arbitrary bytes as the
// contents of a file. Beyond memory errors (ASan) and undefined behaviour (UBSan), it traps
// when a text comes out as anything but well-formed UTF-8 or when more bytes are held than the
// file has.

#include "AudioFormat.h"
#include "MediaFileInfo.h"
#include "MemoryFile.h"
#include "TextDecoding.h"
#include "TrackDetails.h"
#include "TrackTagReader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace {

void checkText(const std::string& text) {
    if (!media::text::isValidUtf8(
            {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}))
        __builtin_trap();
}

void checkTags(const media::TrackTags& tags) {
    checkText(tags.title);
    checkText(tags.artist);
    checkText(tags.album);
    checkText(media::composeDisplayName(tags));
}

constexpr const char* FrameIds[] = {"TIT2", "TPE1", "TALB", "TXXX", "COMM", "USLT",
                                    "WXXX", "WOAR", "APIC", "TT2",  "TP1",  "XYZ"};

// Everything the class offers, on one file.
void readAll(std::span<const std::uint8_t> bytes) {
    media::MemoryFile file(bytes);
    media::MediaFileInfo info;
    media::TrackTags tags;
    if (info.readId3v1(file, tags))
        checkTags(tags);
    if (info.tagBytes().size() > bytes.size())
        __builtin_trap();
    if (info.readId3v2(file, tags)) {
        checkTags(tags);
        for (const char* id : FrameIds)
            checkText(info.frameText(id));
    }
    if (info.tagBytes().size() > bytes.size())
        __builtin_trap();
    if (const auto read = media::readTrackTags(file))
        checkTags(*read);
    if (const auto details = media::readTrackDetails(file)) {
        for (const std::string* text :
             {&details->title, &details->artist, &details->album, &details->year, &details->track,
              &details->genre, &details->comment})
            checkText(*text);
    }
    // The sniffer's result is made of its own names and numbers; what it is fuzzed for is
    // that no header makes it read outside the bytes (ASan) or overflow (UBSan).
    media::readAudioFormat(file, 1000);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    readAll(bytes);

    // The same bytes as the body of a tag of each version, so that most inputs reach the frame
    // walker; the first byte chooses the header flags.
    if (size > 0) {
        const std::uint8_t flags = data[0];
        const std::span<const std::uint8_t> body = bytes.subspan(1);
        const auto n = static_cast<std::uint32_t>(body.size());
        for (std::uint8_t major : {2, 3, 4}) {
            std::vector<std::uint8_t> tagged = {'I',
                                                'D',
                                                '3',
                                                major,
                                                0,
                                                static_cast<std::uint8_t>(flags & 0xF0),
                                                static_cast<std::uint8_t>(n >> 21 & 0x7F),
                                                static_cast<std::uint8_t>(n >> 14 & 0x7F),
                                                static_cast<std::uint8_t>(n >> 7 & 0x7F),
                                                static_cast<std::uint8_t>(n & 0x7F)};
            tagged.insert(tagged.end(), body.begin(), body.end());
            readAll(tagged);
        }
    }

    // The decoders alone, on a tag field's worth of bytes (longer inputs only slow the run).
    const auto field = bytes.first(std::min<std::size_t>(size, 512));
    checkText(media::text::gbkToUtf8(field));
    checkText(media::text::utf16ToUtf8(field, true));
    checkText(media::text::utf16ToUtf8(field, false));
    checkText(media::text::sanitizeUtf8(field));
    checkText(media::text::latin1ToUtf8(field));
    return 0;
}
