#pragma once

#include "Bitmap.h"
#include "LedGlyphs.h"
#include "Services.h"
#include "SkinElement.h"

namespace skin {

// Draws a playback time in LED digits cut from a strip of twelve equal glyphs (0-9, colon,
// minus) straight into a picture button's canvas, its normal look. The strip is loaded once;
// while it is not loaded, ShowTime only records the time. GUI thread only.
class LedTimeDisplay : public SkinElement {
  public:
    LedTimeDisplay(SkinContext& context, tk::MessageBoxService& messages);

    // Decodes the strip; on failure says so once ("载入LED错误") and draws nothing after.
    bool loadStrip(const QByteArray& bytes);

    // Shows `seconds` on the button: "MM:SS" at left 240, 65 pixels wide for the stored
    // strip, or in minus mode the time remaining with a minus sign, one glyph wider and
    // further left. Top and height stay.
    virtual void ShowTime(tk::Unit& button, int seconds);
    // The seconds part and the minutes of the last time shown (0 when it was negative,
    // leaving the digits unwritten).
    virtual int SecondsDigits(int& tens, int& ones) const;
    virtual int MinutesDigits(int& tens, int& ones) const;
    virtual int ShownSeconds() const { return shownSeconds_; }
    virtual void SetTrackSeconds(int seconds) { trackSeconds_ = seconds; }
    virtual void ToggleMinus() { showMinus_ = !showMinus_; }

    bool stripLoaded() const { return stripLoaded_; }
    bool showMinus() const { return showMinus_; }
    int trackSeconds() const { return trackSeconds_; }
    int glyphWidth() const { return stripWidth_ / kStripGlyphs; }

  private:
    static constexpr int kLeft = 240;
    static constexpr int kWidth = 65;

    tk::MessageBoxService* messages_;
    tk::Bitmap strip_;
    bool stripLoaded_ = false;
    bool showMinus_ = false;
    int shownSeconds_ = 0;
    int trackSeconds_ = 0;
    int stripWidth_ = 0;
    int stripHeight_ = 0;
};

} // namespace skin
