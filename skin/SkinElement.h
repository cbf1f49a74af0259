#pragma once

#include "SkinContext.h"

#include <QByteArray>
#include <QChar>
#include <QString>
#include <optional>

namespace tk {
class Unit;
}

namespace skin {

// Reads the attribute markup of skin tags and documents and applies it to units: moves and
// sizes them from "position=", styles transparent labels, cuts an image strip into the four
// pictures of a picture button, and finds elements in a larger document. The operations are
// virtual so that derived elements can take them over; the ones that parse positions or
// images call each other through the virtual table.
//
// Positions in texts are 1-based and count the characters (UTF-16 units) of the text.
// Geometry handed to a unit is kept within ±QWIDGETSIZE_MAX. GUI thread only.
class SkinElement {
  public:
    explicit SkinElement(SkinContext& context);
    virtual ~SkinElement() = default;
    // A copy has its own markupText and shares the context.
    SkinElement(const SkinElement& other) = default;
    SkinElement& operator=(const SkinElement& other) = default;

    // Cuts the image strip named by the tag's "<prefix>image=" into four frames of
    // stripWidth / frameCount pixels and gives them to the button as its four pictures, then
    // places the button by the tag's position. An empty tag, a missing image or a strip
    // narrower than the frame count hides the button. With the prefix "thumb_" the button is
    // one frame wide whatever the position says.
    virtual void SetUpImageButton(tk::Unit& button, const QString& prefix = {},
                                  std::optional<int> frameCount = {});
    // The bytes of the image file named by "<prefix>image=" (" image=" without a prefix),
    // looked up under the context's skin folder; empty when there is no such key or file.
    virtual QByteArray ImageFromMarkup(const QString& markup,
                                       const std::optional<QString>& prefix) const;
    // The 1-based position of the closing character that balances the first opening one at
    // or after `start` (default 1). 0 when a closing character comes first; the text's length
    // + 1 when there is no opening character; -1 when one stays open, when `start` is
    // negative or when `start` is not below the length.
    virtual int FindBalanced(const QString& text, QChar opening, QChar closing,
                             std::optional<int> start = {}) const;
    // The element "<name position=... />" whose name is first followed by " position=" at or
    // after `start` (default 1), including its "<" and "/>"; empty when there is none.
    virtual QString ElementByName(const QString& document, const QString& name,
                                  std::optional<int> start = {}) const;
    // Moves the unit to its tag's position. With sizeFromPicture the unit takes its picture's
    // size; otherwise its size is right − left − 2 by bottom − top − 2. An empty tag, no
    // picture, no "position=" or fewer than four numbers hide the unit instead.
    virtual void PlaceControl(tk::Unit& unit, bool sizeFromPicture = false);
    // Places a transparent label by its tag's position and applies the tag's "color=",
    // "font=", "font_size=" and "align=" (left, right, anything else centred); keys that are
    // absent leave the label as designed. An empty tag hides the label. clearCaption (given
    // at all, whatever its value) empties the caption.
    virtual void StyleLabel(tk::Unit& label, std::optional<bool> clearCaption = {});
    // Like PlaceControl but without its checks and its 2-pixel margin: an empty tag hides
    // the unit and it is placed all the same (at 0, 0 with size 0 when nothing parses).
    virtual void PlaceControlBox(tk::Unit& unit, bool sizeFromPicture = false);
    // Reads "position=" as left, top, right, bottom into left, top, width, height. With
    // fewer than four numbers, or no "position=", the outputs keep the caller's values.
    virtual void ParsePosition(const QString& markup, int& left, int& top, int& width,
                               int& height) const;
    // The element that opens with "<name": from its "<" up to, not including, its closing
    // tag "</name>" or, without one, the next "/>"; empty when it or both ends are missing.
    virtual QString ElementBlock(const QString& document, const QString& name) const;
    // Reads the file (up to its first zero byte, as UTF-8) into markupText and returns it;
    // a file that cannot be read gives the empty text. The context remembers the path.
    virtual QString LoadMarkupFile(const QString& path);

    QString markupText;

  protected:
    SkinContext& context() const { return *context_; }

  private:
    SkinContext* context_;
};

} // namespace skin
