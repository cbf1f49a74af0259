#include "SkinElement.h"

#include "Bitmap.h"
#include "Markup.h"
#include "Unit.h"

#include <QFile>
#include <QFileInfo>
#include <QSize>
#include <QWidget>
#include <algorithm>
#include <cstring>

namespace skin {

using markup::attributeValue;
using markup::clampToInt;

namespace {

constexpr int defaultFrameCount = 4;
constexpr int pictureCount = 4;

// The frame at `index` of the strip as file bytes; what lies outside the strip stays black.
QByteArray cutFrame(const tk::Bitmap& strip, int index, int frameWidth) {
    tk::Bitmap frame;
    frame.create(frameWidth, strip.height());
    const long long x = static_cast<long long>(index) * frameWidth;
    frame.copyFrom(strip, clampToInt(x), 0, frameWidth, strip.height(), 0, 0);
    return frame.saveBytes();
}

// Moves and sizes the unit, each given value brought within what a widget can hold, so that
// the extreme numbers a tag may give never overflow the geometry arithmetic downstream.
void place(tk::Unit& unit, std::optional<int> left, std::optional<int> top,
           std::optional<int> width = {}, std::optional<int> height = {}) {
    const auto limit = [](std::optional<int> value) -> std::optional<int> {
        if (!value)
            return value;
        return std::clamp(*value, -QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    };
    unit.move(limit(left), limit(top), limit(width), limit(height));
}

// An empty path or one holding a zero character can name no file; Qt would only warn.
bool canNameAFile(const QString& path) {
    return !path.isEmpty() && !path.contains(QChar(u'\0'));
}

// The size of the unit's first picture; 0 × 0 when it has none or it does not decode.
QSize pictureSize(const tk::Unit& unit) {
    tk::Bitmap bitmap;
    bitmap.loadFromBytes(unit.picture(1));
    return {bitmap.width(), bitmap.height()};
}

} // namespace

SkinElement::SkinElement(SkinContext& context) : context_(&context) {}

void SkinElement::SetUpImageButton(tk::Unit& button, const QString& prefix,
                                   std::optional<int> frameCount) {
    const int frames = frameCount.value_or(defaultFrameCount);
    const QString tag = button.tag();
    if (tag.isEmpty()) {
        button.setVisible(false);
        return;
    }
    button.setVisible(true);

    // An empty prefix is still passed as given, so the key is "image=" without the space.
    tk::Bitmap strip;
    strip.loadFromBytes(ImageFromMarkup(tag, prefix));
    // A frame count of zero or less leaves no frame to cut, like a strip that is too narrow.
    const int frameWidth = frames > 0 ? strip.width() / frames : 0;
    if (frameWidth <= 0) {
        button.setVisible(false);
        return;
    }

    // All four pictures are cut whatever the frame count: a button always has four states.
    for (int n = 1; n <= pictureCount; ++n)
        button.setPicture(n, cutFrame(strip, n - 1, frameWidth));
    place(button, {}, {}, frameWidth, strip.height());
    button.setTransparentColour(context().transparentColour);

    // Without a usable position the button stays where it is, at its new size.
    int left = button.left(), top = button.top();
    int width = button.width(), height = button.height();
    ParsePosition(tag, left, top, width, height);
    place(button, left, top, width, height);
    if (prefix == QLatin1String("thumb_"))
        place(button, {}, {}, frameWidth);
}

QByteArray SkinElement::ImageFromMarkup(const QString& markup,
                                        const std::optional<QString>& prefix) const {
    const QString key = prefix ? *prefix + QLatin1String("image=") : QStringLiteral(" image=");
    const std::optional<QString> fileName = attributeValue(markup, key);
    if (!fileName)
        return {};
    // Only regular files: a device or a directory named in a tag is no image.
    const QString path = context().skinFolder + *fileName;
    if (!canNameAFile(path) || !QFileInfo(path).isFile())
        return {};
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int SkinElement::FindBalanced(const QString& text, QChar opening, QChar closing,
                              std::optional<int> start) const {
    if (start && *start < 0)
        return -1;
    const qsizetype first = std::max(1, start.value_or(1));
    if (first >= text.size())
        return -1;
    // Only opening characters are ever stacked, so a depth count is the whole stack. The
    // opening test comes first: with equal characters every one of them opens.
    int depth = 0;
    for (qsizetype i = first - 1; i < text.size(); ++i) {
        if (text[i] == opening) {
            ++depth;
        } else if (text[i] == closing) {
            if (depth == 0)
                return 0;
            if (--depth == 0)
                return static_cast<int>(i + 1);
        }
    }
    return depth == 0 ? static_cast<int>(text.size() + 1) : -1;
}

QString SkinElement::ElementByName(const QString& document, const QString& name,
                                   std::optional<int> start) const {
    const qsizetype from = std::max(1, start.value_or(1)) - 1;
    if (from > document.size())
        return {};
    const QString key = name + QLatin1String(" position=");
    const qsizetype nameAt = document.indexOf(key, from);
    if (nameAt < 0)
        return {};
    // The end is looked for after the key, so that a name holding "/>" is not cut short.
    const qsizetype end = document.indexOf(QLatin1String("/>"), nameAt + key.size());
    if (end < 0)
        return {};
    // The element starts at the "<" before its name; a name at the very start has none.
    const qsizetype begin = std::max<qsizetype>(0, nameAt - 1);
    return document.sliced(begin, end + 2 - begin);
}

void SkinElement::PlaceControl(tk::Unit& unit, bool sizeFromPicture) {
    const QString tag = unit.tag();
    const QByteArray picture = unit.picture(1);
    const std::optional<QList<int>> parts = markup::positionParts(tag);
    if (tag.isEmpty() || picture.isEmpty() || !parts || parts->size() < 4) {
        unit.setVisible(false);
        return;
    }
    const int left = parts->at(0);
    const int top = parts->at(1);
    if (sizeFromPicture) {
        const QSize size = pictureSize(unit);
        place(unit, left, top, size.width(), size.height());
        return;
    }
    // A right or bottom before the left or top gives a negative size, handed on as it is.
    place(unit, left, top, clampToInt(static_cast<long long>(parts->at(2)) - left - 2),
          clampToInt(static_cast<long long>(parts->at(3)) - top - 2));
}

void SkinElement::StyleLabel(tk::Unit& label, std::optional<bool> clearCaption) {
    const QString tag = label.tag();
    if (tag.isEmpty()) {
        label.setVisible(false);
        return;
    }
    int left = 0, top = 0, width = 0, height = 0;
    ParsePosition(tag, left, top, width, height);
    place(label, left, top, width, height);

    // The colour value opens with "#", which is dropped whatever it is.
    if (const std::optional<QString> colour = attributeValue(tag, u"color="))
        label.setTextColour(markup::ParseHexColour(QStringView(*colour).mid(1)));
    if (const std::optional<QString> face = attributeValue(tag, u"font="))
        label.setFontFace(*face);
    if (const std::optional<QString> size = attributeValue(tag, u"font_size="))
        label.setFontSize(markup::textToInt(*size));
    if (const std::optional<QString> align = attributeValue(tag, u"align=")) {
        const int alignment = *align == QLatin1String("right")  ? 2
                              : *align == QLatin1String("left") ? 0
                                                                : 1;
        label.setAlignment(alignment);
    }
    if (clearCaption)
        label.setText({});
}

void SkinElement::PlaceControlBox(tk::Unit& unit, bool sizeFromPicture) {
    if (unit.tag().isEmpty())
        unit.setVisible(false);
    int left = 0, top = 0, width = 0, height = 0;
    ParsePosition(unit.tag(), left, top, width, height);
    if (sizeFromPicture) {
        const QSize size = pictureSize(unit);
        place(unit, left, top, size.width(), size.height());
    } else {
        place(unit, left, top, width, height);
    }
}

void SkinElement::ParsePosition(const QString& markup, int& left, int& top, int& width,
                                int& height) const {
    const std::optional<QList<int>> parts = markup::positionParts(markup);
    if (!parts || parts->size() < 4)
        return;
    left = parts->at(0);
    top = parts->at(1);
    width = clampToInt(static_cast<long long>(parts->at(2)) - parts->at(0));
    height = clampToInt(static_cast<long long>(parts->at(3)) - parts->at(1));
}

QString SkinElement::ElementBlock(const QString& document, const QString& name) const {
    const QString opening = QLatin1Char('<') + name;
    const qsizetype begin = document.indexOf(opening);
    if (begin < 0)
        return {};
    // The end is looked for after the opening text, so that it never cuts into the name.
    const qsizetype after = begin + opening.size();
    qsizetype end = document.indexOf(QLatin1String("</") + name + QLatin1Char('>'), after);
    if (end < 0)
        end = document.indexOf(QLatin1String("/>"), after);
    if (end < 0)
        return {};
    return document.sliced(begin, end - begin);
}

QString SkinElement::LoadMarkupFile(const QString& path) {
    context().markupPath = path;
    // The text ends at the first zero byte, so reading stops there too: an endless source
    // such as a device full of zeros ends at once.
    QByteArray bytes;
    QFile file(path);
    if (canNameAFile(path) && !QFileInfo(path).isDir() && file.open(QIODevice::ReadOnly)) {
        char chunk[16 * 1024];
        qint64 got = 0;
        while ((got = file.read(chunk, sizeof chunk)) > 0) {
            const auto* zero =
                static_cast<const char*>(std::memchr(chunk, '\0', static_cast<std::size_t>(got)));
            bytes.append(chunk, zero ? zero - chunk : got);
            if (zero)
                break;
        }
    }
    markupText = QString::fromUtf8(bytes);
    return markupText;
}

} // namespace skin
