// Feeds arbitrary bytes, as markup text, through every skin markup operation: attribute
// search, position parsing, colours, balanced search, element search, image lookup, markup
// files, and, with the bytes as their tags, placing and styling the units of a small window
// drawn off screen. Checks the results stay within what each operation promises.
#include "Markup.h"
#include "SkinElement.h"
#include "Window.h"

#include <QApplication>
#include <QDir>
#include <QString>
#include <QTemporaryFile>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <tuple>

namespace {

void check(bool condition) {
    if (!condition)
        __builtin_trap();
}

void checkFindBalanced(const skin::SkinElement& element, const QString& text, QChar opening,
                       QChar closing, std::optional<int> start) {
    const int result = element.FindBalanced(text, opening, closing, start);
    check(result >= -1 && result <= text.size() + 1);
    if (result > 0 && result <= text.size())
        check(text[result - 1] == closing);
}

void checkElements(const skin::SkinElement& element, const QString& document, const QString& name,
                   int start) {
    const QString byName = element.ElementByName(document, name, start);
    check(byName.isEmpty() || (byName.contains(name + QLatin1String(" position=")) &&
                               byName.endsWith(QLatin1String("/>")) && document.contains(byName)));
    const QString block = element.ElementBlock(document, name);
    check(block.isEmpty() || block.startsWith(QLatin1Char('<') + name));
}

// One off-screen window for the whole run, with a picture button and a transparent label.
tk::Window& window() {
    static int argc = 1;
    static char name[] = "fuzz_markup";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    static tk::Window* window = [] {
        tk::WindowSpec spec;
        spec.width = 320;
        spec.height = 355;
        for (const auto& [id, kind, unitName] :
             {std::tuple{1u, tk::Kind::PictureButton, "button"},
              std::tuple{2u, tk::Kind::TransparentLabel, "label"}}) {
            tk::UnitSpec unit;
            unit.id = id;
            unit.kind = kind;
            unit.name = QString::fromLatin1(unitName);
            unit.visible = true;
            spec.units.append(unit);
        }
        return new tk::Window(spec);
    }();
    (void)app;
    return *window;
}

void checkUnits(skin::SkinElement& element, const QString& tag, bool flag, int frames) {
    tk::Unit& button = *window().unit(QStringLiteral("button"));
    tk::Unit& label = *window().unit(QStringLiteral("label"));
    button.setTag(tag);
    label.setTag(tag);

    button.setVisible(true);
    element.SetUpImageButton(button, flag ? QStringLiteral("thumb_") : QString(), frames);
    element.PlaceControl(button, flag);
    const auto parts = skin::markup::positionParts(tag);
    if (!parts || parts->size() < 4)
        check(!button.isVisible());
    element.PlaceControlBox(button, !flag);
    check(button.width() >= 0 && button.height() >= 0);

    label.setVisible(true);
    label.setText(QStringLiteral("状态"));
    element.StyleLabel(label, flag ? std::optional<bool>(false) : std::nullopt);
    check(label.isVisible() == !tag.isEmpty());
    check(label.text().isEmpty() == (flag && !tag.isEmpty()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    // Parameters come from the end of the input, the markup is the rest.
    const char16_t opening = input.ConsumeIntegralInRange<char16_t>(0, 127);
    const char16_t closing = input.ConsumeIntegralInRange<char16_t>(0, 127);
    const int start = input.ConsumeIntegralInRange<int>(-2, 256);
    const std::size_t nameLength = input.ConsumeIntegralInRange<std::size_t>(0, 8);
    const bool flag = input.ConsumeBool();
    const int frames = input.ConsumeIntegralInRange<int>(-1, 8);
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    const QString markup = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));

    skin::markup::textToInt(markup);
    skin::markup::ParseHexColour(markup);
    for (const char16_t* key : {u"position=", u"color=", u"font=", u"font_size=", u"align="})
        skin::markup::attributeValue(markup, key);

    const auto parts = skin::markup::positionParts(markup);
    if (parts)
        check(!parts->isEmpty() && parts->size() <= 4);

    static skin::SkinContext context{QDir::tempPath() + QLatin1Char('/'), {}, 0x00FF00FF};
    skin::SkinElement element(context);

    // Without four numbers the outputs keep what they held.
    int left = 1, top = 2, width = 3, height = 4;
    element.ParsePosition(markup, left, top, width, height);
    if (!parts || parts->size() < 4)
        check(left == 1 && top == 2 && width == 3 && height == 4);

    checkFindBalanced(element, markup, opening, closing, start);
    checkFindBalanced(element, markup, opening, closing, std::nullopt);
    checkFindBalanced(element, markup, u'<', u'>', std::nullopt);

    // Names both fixed and taken from the markup itself, so that they are found.
    checkElements(element, markup, QStringLiteral("play"), start);
    checkElements(element, markup, markup.left(static_cast<qsizetype>(nameLength)), start);

    element.ImageFromMarkup(markup, std::nullopt);
    element.ImageFromMarkup(markup, QStringLiteral("thumb_"));

    // One file for the whole run, in memory where the system offers it, removed at the end.
    static QTemporaryFile file((QDir(QStringLiteral("/dev/shm")).exists()
                                    ? QStringLiteral("/dev/shm")
                                    : QDir::tempPath()) +
                               QStringLiteral("/tarvo-markup-fuzz-XXXXXX"));
    if (file.open()) {
        const QString path = file.fileName();
        file.resize(0);
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        file.close();
        const std::size_t zero = bytes.find('\0');
        const std::string expected = bytes.substr(0, zero);
        check(element.LoadMarkupFile(path) ==
              QString::fromUtf8(expected.data(), static_cast<qsizetype>(expected.size())));
        check(context.markupPath == path);
    }

    checkUnits(element, markup, flag, frames);
    return 0;
}
