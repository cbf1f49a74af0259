#pragma once

#include <QString>
#include <cstdint>

namespace skin {

// What all skin elements of the program share. The program owns one for its whole life and
// hands it to every SkinElement it creates.
struct SkinContext {
    // Put in front of every image file name; empty resolves names against the current
    // directory.
    QString skinFolder;
    // The path given to the last LoadMarkupFile.
    QString markupPath;
    // The colour a picture button leaves out when it draws its pictures, 0x00BBGGRR.
    uint32_t transparentColour = 0x00FF00FF;
};

} // namespace skin
