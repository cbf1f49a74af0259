#include "LedTimeDisplay.h"

#include "PictureButton.h"
#include "Unit.h"

namespace skin {

LedTimeDisplay::LedTimeDisplay(SkinContext& context, tk::MessageBoxService& messages)
    : SkinElement(context), messages_(&messages) {}

bool LedTimeDisplay::loadStrip(const QByteArray& bytes) {
    stripLoaded_ = strip_.loadFromBytes(bytes);
    if (!stripLoaded_) {
        messages_->show(strip_.errorText(), tk::MessageBoxService::ErrorIcon,
                        QStringLiteral("载入LED错误"), nullptr);
        return false;
    }
    stripWidth_ = strip_.width();
    stripHeight_ = strip_.height();
    return true;
}

int LedTimeDisplay::MinutesDigits(int& tens, int& ones) const {
    if (shownSeconds_ < 0)
        return 0;
    const int minutes = shownSeconds_ / 60;
    tens = minutes / 10;
    ones = minutes % 10;
    return minutes;
}

int LedTimeDisplay::SecondsDigits(int& tens, int& ones) const {
    if (shownSeconds_ < 0)
        return 0;
    const int seconds = shownSeconds_ % 60;
    tens = seconds / 10;
    ones = seconds % 10;
    return seconds;
}

void LedTimeDisplay::ShowTime(tk::Unit& button, int seconds) {
    shownSeconds_ = seconds;
    if (!stripLoaded_)
        return;
    const int g = glyphWidth();
    const std::vector<int> glyphs = ledGlyphs(seconds, showMinus_, trackSeconds_);
    const int offset = showMinus_ ? g : 0;
    button.move(kLeft - offset, {}, kWidth + offset, {});

    auto* target = qobject_cast<tk::PictureButton*>(button.widget());
    if (!target)
        return;
    // The glyphs go straight into the button's canvas: no picture is encoded and decoded.
    QImage& picture = target->canvas(QSize(int(glyphs.size()) * g, stripHeight_));
    if (picture.isNull()) {
        messages_->show(target->canvasError(), tk::MessageBoxService::ErrorIcon,
                        QStringLiteral("创建临时位图出错"), nullptr);
        stripLoaded_ = false; // drawing stays off from now on
        return;
    }
    picture.fill(
        Qt::black); // strip pixels of the transparent colour leave black, not the last time
    for (std::size_t i = 0; i < glyphs.size(); ++i)
        tk::copyImageRect(strip_.image(), glyphs[i] * g, 0, g, stripHeight_, picture, int(i) * g, 0,
                          context().transparentColour);
    target->showCanvas();
}

} // namespace skin
