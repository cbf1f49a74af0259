#pragma once

#include <string>
#include <string_view>

// Genre names of ID3 tags.
namespace media::id3 {

// The name of an ID3v1 genre number: 0 to 79 are the standard genres, 80 to 191 the further
// names every common tag reader knows. Empty for 255 ("none") and any other number.
std::string_view genreName(int number);

// The genre an ID3v2 TCON frame names, as a person reads it: "(17)", "17" and "(17)Rock"
// forms become names (a refinement text after the numbers wins over them), "(RX)"/"RX" and
// "(CR)"/"CR" become Remix and Cover, "((" escapes a leading bracket, and free text is kept.
// A number with no name is kept as it was written.
std::string resolveGenre(std::string_view tcon);

} // namespace media::id3
