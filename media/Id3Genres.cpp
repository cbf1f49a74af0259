#include "Id3Genres.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>

namespace media::id3 {

namespace {

constexpr std::array<std::string_view, 192> GenreNames = {
    // The standard genres, 0 to 79.
    "Blues", "Classic Rock", "Country", "Dance", "Disco", "Funk", "Grunge", "Hip-Hop", "Jazz",
    "Metal", "New Age", "Oldies", "Other", "Pop", "R&B", "Rap", "Reggae", "Rock", "Techno",
    "Industrial", "Alternative", "Ska", "Death Metal", "Pranks", "Soundtrack", "Euro-Techno",
    "Ambient", "Trip-Hop", "Vocal", "Jazz+Funk", "Fusion", "Trance", "Classical", "Instrumental",
    "Acid", "House", "Game", "Sound Clip", "Gospel", "Noise", "AlternRock", "Bass", "Soul", "Punk",
    "Space", "Meditative", "Instrumental Pop", "Instrumental Rock", "Ethnic", "Gothic", "Darkwave",
    "Techno-Industrial", "Electronic", "Pop-Folk", "Eurodance", "Dream", "Southern Rock", "Comedy",
    "Cult", "Gangsta", "Top 40", "Christian Rap", "Pop/Funk", "Jungle", "Native American",
    "Cabaret", "New Wave", "Psychedelic", "Rave", "Showtunes", "Trailer", "Lo-Fi", "Tribal",
    "Acid Punk", "Acid Jazz", "Polka", "Retro", "Musical", "Rock & Roll", "Hard Rock",
    // The further names, 80 to 191.
    "Folk", "Folk-Rock", "National Folk", "Swing", "Fast Fusion", "Bebop", "Latin", "Revival",
    "Celtic", "Bluegrass", "Avantgarde", "Gothic Rock", "Progressive Rock", "Psychedelic Rock",
    "Symphonic Rock", "Slow Rock", "Big Band", "Chorus", "Easy Listening", "Acoustic", "Humour",
    "Speech", "Chanson", "Opera", "Chamber Music", "Sonata", "Symphony", "Booty Bass", "Primus",
    "Porn Groove", "Satire", "Slow Jam", "Club", "Tango", "Samba", "Folklore", "Ballad",
    "Power Ballad", "Rhythmic Soul", "Freestyle", "Duet", "Punk Rock", "Drum Solo", "A Cappella",
    "Euro-House", "Dance Hall", "Goa", "Drum & Bass", "Club-House", "Hardcore Techno", "Terror",
    "Indie", "BritPop", "Negerpunk", "Polsk Punk", "Beat", "Christian Gangsta Rap", "Heavy Metal",
    "Black Metal", "Crossover", "Contemporary Christian", "Christian Rock", "Merengue", "Salsa",
    "Thrash Metal", "Anime", "JPop", "Synthpop", "Abstract", "Art Rock", "Baroque", "Bhangra",
    "Big Beat", "Breakbeat", "Chillout", "Downtempo", "Dub", "EBM", "Eclectic", "Electro",
    "Electroclash", "Emo", "Experimental", "Garage", "Global", "IDM", "Illbient", "Industro-Goth",
    "Jam Band", "Krautrock", "Leftfield", "Lounge", "Math Rock", "New Romantic", "Nu-Breakz",
    "Post-Punk", "Post-Rock", "Psytrance", "Shoegaze", "Space Rock", "Trop Rock", "World Music",
    "Neoclassical", "Audiobook", "Audio Theatre", "Neue Deutsche Welle", "Podcast", "Indie Rock",
    "G-Funk", "Dubstep", "Garage Rock", "Psybient"};

// The name a genre reference stands for ("17", "RX", "CR"); nullopt when it names none.
std::optional<std::string_view> referenceName(std::string_view reference) {
    if (reference == "RX")
        return "Remix";
    if (reference == "CR")
        return "Cover";
    if (reference.empty() || reference.size() > 3 ||
        !std::all_of(reference.begin(), reference.end(),
                     [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    int number = 0;
    std::from_chars(reference.data(), reference.data() + reference.size(), number);
    const std::string_view name = genreName(number);
    if (name.empty())
        return std::nullopt;
    return name;
}

} // namespace

std::string_view genreName(int number) {
    if (number < 0 || number >= static_cast<int>(GenreNames.size()))
        return {};
    return GenreNames[static_cast<std::size_t>(number)];
}

std::string resolveGenre(std::string_view tcon) {
    if (const auto name = referenceName(tcon))
        return std::string(*name);
    if (tcon.starts_with("(("))
        return std::string(tcon.substr(1));
    // "(17)(18)Refinement": bracketed references, then an optional text.
    std::string names;
    std::string_view rest = tcon;
    while (rest.starts_with('(') && !rest.starts_with("((")) {
        const std::size_t close = rest.find(')');
        if (close == std::string_view::npos)
            break;
        const auto name = referenceName(rest.substr(1, close - 1));
        if (!name)
            break;
        if (!names.empty())
            names += " / ";
        names += *name;
        rest.remove_prefix(close + 1);
    }
    if (names.empty())
        return std::string(tcon);
    if (rest.starts_with("(("))
        rest.remove_prefix(1);
    return rest.empty() ? names : std::string(rest);
}

} // namespace media::id3
