#include "Draw.h"

#include <QFont>
#include <QFontDatabase>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <functional>

namespace skin {
namespace {

// ---- palette -------------------------------------------------------------------------------

const QColor kAccent(38, 208, 206); // teal/cyan: "played", active, the mark
const QColor kAccentLight(150, 240, 236);
const QColor kAccentDeep(0, 128, 136);
const QColor kLedGround(30, 62, 67); // the LED strip's ground
const QColor kInk(226, 232, 235);    // glyphs on dark faces
const QColor kInkDim(168, 175, 182);
const QColor kInkDisabled(104, 109, 114);
const QColor kMuteRed(236, 98, 86);

QColor mix(const QColor& a, const QColor& b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto m = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
    return QColor(m(a.red(), b.red()), m(a.green(), b.green()), m(a.blue(), b.blue()),
                  m(a.alpha(), b.alpha()));
}

// The main window's background, t = 0 at the top to 1 at the bottom: near-black, a long dark
// stretch for the analyser, then up to a light grey under the transport row.
QColor backgroundAt(double t) {
    struct Stop {
        double t;
        QColor c;
    };
    static const Stop stops[] = {{0.00, QColor(8, 10, 12)},
                                 {0.40, QColor(24, 28, 32)},
                                 {0.70, QColor(58, 63, 69)},
                                 {1.00, QColor(126, 132, 138)}};
    t = std::clamp(t, 0.0, 1.0);
    for (int i = 1; i < 4; ++i)
        if (t <= stops[i].t) {
            const double u = (t - stops[i - 1].t) / (stops[i].t - stops[i - 1].t);
            return mix(stops[i - 1].c, stops[i].c, u * u * (3 - 2 * u) * 0.5 + u * 0.5);
        }
    return stops[3].c;
}

// What the stretched 300 x 320 background shows at window row y for a window this high.
QColor windowBackground(double y, int windowHeight) {
    return backgroundAt((y + 0.5) / windowHeight);
}

// For controls seen both collapsed (168) and expanded (355): the middle of the two.
QColor sharedBackground(double y) {
    return mix(windowBackground(y, 168), windowBackground(y, 355), 0.5);
}

// A small deterministic generator for textures (no dependence on the platform's rand()).
struct Noise {
    quint32 state;
    explicit Noise(quint32 seed) : state(seed) {}
    double next() { // uniform in [-1, 1)
        state = state * 1664525u + 1013904223u;
        return double(state >> 8) / double(1u << 23) - 1.0;
    }
};

QImage opaque(int w, int h, const QColor& fill = Qt::black) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

QImage transparent(int w, int h) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void smooth(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
}

QString cjkFamily() {
    static QString family = [] {
        const int id =
            QFontDatabase::addApplicationFont("/usr/share/fonts/truetype/wqy/wqy-microhei.ttc");
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        return families.isEmpty() ? QString("WenQuanYi Micro Hei") : families.first();
    }();
    return family;
}

QFont cjkFont(double pixels, bool bold = false) {
    QFont font(cjkFamily());
    font.setPixelSize(int(pixels));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QFont latinFont(int pixels, bool bold = true) {
    QFont font("DejaVu Sans");
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

// ---- a 3 x 5 pixel font for the tiny PL / EQ / LRC buttons ----------------------------------

const char* pixelGlyph(QChar c) {
    switch (c.unicode()) {
    case 'P':
        return "###"
               "#.#"
               "###"
               "#.."
               "#..";
    case 'L':
        return "#.."
               "#.."
               "#.."
               "#.."
               "###";
    case 'E':
        return "###"
               "#.."
               "##."
               "#.."
               "###";
    case 'Q':
        return "###"
               "#.#"
               "#.#"
               "##."
               ".##";
    case 'R':
        return "##."
               "#.#"
               "##."
               "#.#"
               "#.#";
    case 'C':
        return ".##"
               "#.."
               "#.."
               "#.."
               ".##";
    default:
        return "..."
               "..."
               "..."
               "..."
               "...";
    }
}

void drawPixelText(QImage& image, const QString& text, const QColor& ink) {
    const int w = text.size() * 4 - 1;
    const int x0 = (image.width() - w) / 2;
    const int y0 = (image.height() - 5) / 2;
    for (int i = 0; i < text.size(); ++i) {
        const char* g = pixelGlyph(text[i]);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 3; ++x)
                if (g[y * 3 + x] == '#')
                    image.setPixelColor(x0 + i * 4 + x, y0 + y, ink);
    }
}

// ---- button looks ---------------------------------------------------------------------------

enum class Look { Normal = 1, Hover = 2, Pressed = 3, Disabled = 4 };

struct Face {
    QColor top, bottom, highlight, ink;
    bool inset;
};

Face faceFor(Look look) {
    switch (look) {
    case Look::Normal:
        return {QColor(66, 72, 79), QColor(34, 38, 42), QColor(112, 120, 128), kInk, false};
    case Look::Hover:
        return {QColor(90, 98, 106), QColor(50, 55, 61), QColor(146, 156, 166), Qt::white, false};
    case Look::Pressed:
        return {QColor(18, 20, 23), QColor(36, 40, 44), QColor(0, 0, 0), kAccent, true};
    case Look::Disabled:
        return {QColor(54, 57, 61), QColor(46, 49, 52), QColor(62, 65, 69), kInkDisabled, false};
    }
    return {};
}

using Glyph = std::function<void(QPainter&, const QColor& ink)>;

// A key-like chip filling the whole picture: dark border, face gradient, light top edge (or an
// inset shadow when pressed), and the glyph, shifted down by one pixel when pressed.
QImage chip(int w, int h, Look look, const QColor& around, const Glyph& glyph) {
    const Face f = faceFor(look);
    QImage image = opaque(w, h, around);
    QPainter p(&image);
    smooth(p);
    const QRectF outer(0.5, 0.5, w - 1, h - 1);
    p.setPen(QPen(QColor(10, 12, 14), 1));
    QLinearGradient g(0, 1, 0, h - 1);
    g.setColorAt(0, f.top);
    g.setColorAt(1, f.bottom);
    p.setBrush(g);
    p.drawRoundedRect(outer, 3, 3);
    p.setBrush(Qt::NoBrush);
    if (f.inset) {
        p.setPen(QPen(QColor(0, 0, 0, 140), 1));
        p.drawLine(QPointF(2.5, 1.5), QPointF(w - 2.5, 1.5));
    } else {
        p.setPen(QPen(f.highlight, 1));
        p.drawLine(QPointF(3, 1.5), QPointF(w - 3, 1.5));
    }
    if (look == Look::Pressed)
        p.translate(0, 1);
    glyph(p, f.ink);
    return image;
}

// A flat window button (top-right row): no face in the normal look, a soft face on hover.
QImage flatButton(int w, int h, Look look, const Glyph& glyph, bool danger = false) {
    QImage image = opaque(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixelColor(x, y, sharedBackground(y));
    QPainter p(&image);
    smooth(p);
    QColor ink = kInkDim;
    const QRectF r(1.5, 1.5, w - 3, h - 3);
    switch (look) {
    case Look::Normal:
        break;
    case Look::Hover:
        p.setPen(Qt::NoPen);
        p.setBrush(danger ? QColor(200, 54, 44) : QColor(54, 60, 66));
        p.drawRoundedRect(r, 3, 3);
        ink = Qt::white;
        break;
    case Look::Pressed:
        p.setPen(QPen(QColor(0, 0, 0, 160), 1));
        p.setBrush(danger ? QColor(140, 32, 26) : QColor(20, 22, 25));
        p.drawRoundedRect(r, 3, 3);
        ink = danger ? QColor(255, 210, 205) : kAccent;
        p.translate(0, 1);
        break;
    case Look::Disabled:
        ink = QColor(64, 68, 72);
        break;
    }
    glyph(p, ink);
    return image;
}

// ---- glyphs (coordinates for a 25 x 25 chip unless said otherwise) ----------------------------

void fillPolygon(QPainter& p, const QColor& ink, std::initializer_list<QPointF> points) {
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPolygon(QPolygonF(QList<QPointF>(points)));
}

void playGlyph(QPainter& p, const QColor& ink) {
    fillPolygon(p, ink, {{9, 6.5}, {9, 18.5}, {19, 12.5}});
}

void pauseGlyph(QPainter& p, const QColor& ink) {
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawRect(QRectF(8, 7, 3, 11));
    p.drawRect(QRectF(14, 7, 3, 11));
}

void stopGlyph(QPainter& p, const QColor& ink) {
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawRect(QRectF(8, 8, 9, 9));
}

void ejectGlyph(QPainter& p, const QColor& ink) {
    fillPolygon(p, ink, {{12.5, 6}, {19, 13}, {6, 13}});
    p.drawRect(QRectF(6, 15, 13, 3));
}

// Previous and next track for the 16 x 25 chips: a triangle pointing at a bar on the outer side.
void previousGlyph(QPainter& p, const QColor& ink) {
    fillPolygon(p, ink, {{6, 12.5}, {12, 7.5}, {12, 17.5}});
    p.drawRect(QRectF(4, 7.5, 2, 10));
}

void nextGlyph(QPainter& p, const QColor& ink) {
    fillPolygon(p, ink, {{4, 7.5}, {4, 17.5}, {10, 12.5}});
    p.drawRect(QRectF(10, 7.5, 2, 10));
}

// Speaker for the 20 x 20 mute chip; crossed out when muted.
void speakerGlyph(QPainter& p, const QColor& ink, bool muted) {
    fillPolygon(p, ink, {{4, 8}, {7, 8}, {11, 4.5}, {11, 15.5}, {7, 12}, {4, 12}});
    p.setBrush(Qt::NoBrush);
    if (muted) {
        QPen pen(kMuteRed, 1.7);
        pen.setCapStyle(Qt::RoundCap);
        p.setPen(pen);
        p.drawLine(QPointF(13, 7.5), QPointF(17, 12.5));
        p.drawLine(QPointF(17, 7.5), QPointF(13, 12.5));
    } else {
        QPen pen(ink, 1.3);
        pen.setCapStyle(Qt::RoundCap);
        p.setPen(pen);
        p.drawArc(QRectF(9.5, 7, 5, 6), -50 * 16, 100 * 16);
        p.drawArc(QRectF(8, 4.5, 9, 11), -50 * 16, 100 * 16);
    }
}

void roundLine(QPainter& p, const QColor& ink, double width, QPointF a, QPointF b) {
    QPen pen(ink, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.drawLine(a, b);
}

// The mark: four analyser bars in the accent gradient, inside the rectangle r.
void drawMark(QPainter& p, const QRectF& r, bool rounded = true) {
    static const double heights[] = {0.55, 1.0, 0.75, 0.4};
    const double gap = r.width() * 0.12;
    const double bar = (r.width() - 3 * gap) / 4;
    for (int i = 0; i < 4; ++i) {
        const double h = r.height() * heights[i];
        const QRectF b(r.left() + i * (bar + gap), r.bottom() - h, bar, h);
        QLinearGradient g(0, r.top(), 0, r.bottom());
        g.setColorAt(0, kAccentLight);
        g.setColorAt(1, kAccentDeep);
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        const double radius = rounded ? bar * 0.3 : 0;
        p.drawRoundedRect(b, radius, radius);
    }
}

// ---- the LED strip --------------------------------------------------------------------------

// Seven segments a..g of a 13 x 20 cell as coverage polygons, drawn 4x supersampled.
QImage ledStrip() {
    constexpr int S = 4; // supersampling
    constexpr int cellW = 13, cellH = 20;
    // Segment centre lines: verticals at x 3 and 10, horizontals at y 3, 10, 17 (each 2 px thick,
    // covering whole pixels so that the stroke centres come out pure white).
    const double xl = 3, xr = 10, yt = 3, ym = 10, yb = 17, half = 1, gap = 0.45;
    auto horizontal = [&](double y) {
        const double x0 = xl + gap, x1 = xr - gap;
        return QPolygonF({{x0, y},
                          {x0 + half, y - half},
                          {x1 - half, y - half},
                          {x1, y},
                          {x1 - half, y + half},
                          {x0 + half, y + half}});
    };
    auto vertical = [&](double x, double y0, double y1) {
        y0 += gap;
        y1 -= gap;
        return QPolygonF({{x, y0},
                          {x + half, y0 + half},
                          {x + half, y1 - half},
                          {x, y1},
                          {x - half, y1 - half},
                          {x - half, y0 + half}});
    };
    const QPolygonF seg[7] = {
        horizontal(yt),       // a top
        vertical(xr, yt, ym), // b upper right
        vertical(xr, ym, yb), // c lower right
        horizontal(yb),       // d bottom
        vertical(xl, ym, yb), // e lower left
        vertical(xl, yt, ym), // f upper left
        horizontal(ym),       // g middle
    };
    static const char* digits[10] = {"abcdef", "bc",     "abdeg", "abcdg",   "bcfg",
                                     "acdfg",  "acdefg", "abc",   "abcdefg", "abcdfg"};

    QImage coverage(12 * cellW * S, cellH * S, QImage::Format_Grayscale8);
    coverage.fill(0);
    {
        QPainter p(&coverage);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        for (int cell = 0; cell < 12; ++cell) {
            p.save();
            p.scale(S, S);
            p.translate(cell * cellW, 0);
            if (cell < 10) {
                for (const char* s = digits[cell]; *s; ++s)
                    p.drawPolygon(seg[*s - 'a']);
            } else if (cell == 10) { // colon: two 2 x 2 dots
                p.drawRect(QRectF(5.5, 6, 2, 2));
                p.drawRect(QRectF(5.5, 13, 2, 2));
            } else { // minus: the middle segment
                p.drawPolygon(seg[6]);
            }
            p.restore();
        }
    }
    // Down to 156 x 20 by averaging each 4 x 4 block, then a faint glow for soft edges.
    const int W = 12 * cellW, H = cellH;
    std::vector<double> cov(W * H, 0.0);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            int sum = 0;
            for (int dy = 0; dy < S; ++dy) {
                const uchar* line = coverage.constScanLine(y * S + dy);
                for (int dx = 0; dx < S; ++dx)
                    sum += line[x * S + dx];
            }
            cov[y * W + x] = sum / (255.0 * S * S);
        }
    QImage strip = opaque(W, H, kLedGround);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const int cellLeft = (x / cellW) * cellW;
            double glow = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int xx = x + dx, yy = y + dy;
                    if (xx < cellLeft || xx >= cellLeft + cellW || yy < 0 || yy >= H)
                        continue; // the glow stays inside its own cell
                    glow += cov[yy * W + xx] * ((dx == 0 || dy == 0) ? 1.0 : 0.6);
                }
            const double v = std::max(cov[y * W + x], std::min(1.0, glow / 5.4) * 0.45);
            strip.setPixelColor(x, y, mix(kLedGround, Qt::white, v));
        }
    return strip;
}

// The time button's design picture: "00:00" cut from the strip.
QImage ledTime(const QImage& strip) {
    QImage image = opaque(65, 20);
    QPainter p(&image);
    const int cells[5] = {0, 0, 10, 0, 0};
    for (int i = 0; i < 5; ++i)
        p.drawImage(i * 13, 0, strip, cells[i] * 13, 0, 13, 20);
    return image;
}

// ---- pictures -------------------------------------------------------------------------------

QImage mainBackground() {
    QImage image = opaque(300, 320);
    Noise noise(0x7a55);
    for (int y = 0; y < 320; ++y) {
        const QColor c = backgroundAt((y + 0.5) / 320.0);
        for (int x = 0; x < 300; ++x) {
            // A little grain against banding, lightest at the edges of the vignette.
            const double n = noise.next() * 1.2;
            const double edge = std::abs(x - 149.5) / 150.0;
            const double shade = 1.0 - 0.10 * edge * edge;
            image.setPixelColor(x, y,
                                QColor(std::clamp(int(std::lround(c.red() * shade + n)), 0, 255),
                                       std::clamp(int(std::lround(c.green() * shade + n)), 0, 255),
                                       std::clamp(int(std::lround(c.blue() * shade + n)), 0, 255)));
        }
    }
    return image;
}

QImage logo() {
    QImage image = opaque(115, 25);
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 115; ++x)
            image.setPixelColor(x, y, sharedBackground(y));
    QPainter p(&image);
    smooth(p);
    drawMark(p, QRectF(8, 5, 15, 15));
    QFont font = latinFont(16);
    font.setHintingPreference(QFont::PreferNoHinting); // even letter spacing for the wordmark
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.2);
    p.setFont(font);
    p.setPen(QColor(236, 240, 242));
    p.drawText(QPointF(29, 19), "Tarvo");
    return image;
}

QImage separator() {
    QImage image = opaque(320, 2);
    for (int x = 0; x < 320; ++x) {
        const double centre = 1.0 - std::pow(std::abs(x - 159.5) / 160.0, 2);
        image.setPixelColor(x, 0, mix(windowBackground(168, 355), Qt::black, 0.6));
        image.setPixelColor(x, 1, mix(windowBackground(169, 355), kAccent, 0.15 + 0.55 * centre));
    }
    return image;
}

// A 50 x 50 tile of the expanded area, at window position (left, top) when expanded.
QImage tile(int top, const std::function<void(QPainter&)>& symbol) {
    QImage image = opaque(50, 50);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 50; ++x)
            image.setPixelColor(x, y, windowBackground(top + y, 355));
    QPainter p(&image);
    smooth(p);
    QLinearGradient g(0, 0, 0, 50);
    g.setColorAt(0, QColor(52, 58, 64));
    g.setColorAt(1, QColor(26, 29, 33));
    p.setPen(QPen(QColor(12, 14, 16), 1));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(0.5, 0.5, 49, 49), 8, 8);
    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(1.5, 1.5, 47, 47), 7, 7);
    symbol(p);
    return image;
}

void starSymbol(QPainter& p) {
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 5;
        const double r = (i % 2 == 0) ? 15.5 : 6.6;
        star << QPointF(25 + r * std::cos(a), 26.5 + r * std::sin(a));
    }
    QLinearGradient g(0, 10, 0, 42);
    g.setColorAt(0, kAccentLight);
    g.setColorAt(1, kAccent);
    p.setPen(QPen(kAccentDeep, 1));
    p.setBrush(g);
    p.drawPolygon(star);
}

void snowSymbol(QPainter& p) {
    const QPointF c(25, 25);
    const QColor ink(225, 245, 250);
    for (int i = 0; i < 6; ++i) {
        const double a = i * M_PI / 3 - M_PI / 2;
        const QPointF dir(std::cos(a), std::sin(a));
        roundLine(p, ink, 2.0, c, c + dir * 15);
        for (double d : {7.5, 11.5}) {
            const QPointF base = c + dir * d;
            const double len = d < 9 ? 4.5 : 3.5;
            for (double s : {-1.0, 1.0}) {
                const double b = a + s * M_PI / 3.2;
                roundLine(p, ink, 1.6, base, base + QPointF(std::cos(b), std::sin(b)) * len);
            }
        }
    }
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawEllipse(c, 2.6, 2.6);
}

void infoSymbol(QPainter& p) {
    p.setPen(QPen(kAccent, 2.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(25, 25), 15, 15);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(25, 16.5), 2.3, 2.3);
    p.drawRoundedRect(QRectF(23, 21, 4, 13), 1, 1);
}

void globeSymbol(QPainter& p) {
    const QPointF c(25, 25);
    QPen pen(kAccent, 1.8);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 15, 15);
    pen.setWidthF(1.4);
    pen.setColor(kInk);
    p.setPen(pen);
    p.drawEllipse(c, 6.5, 15);
    p.drawLine(QPointF(25, 10), QPointF(25, 40));
    p.drawLine(QPointF(10, 25), QPointF(40, 25));
    p.drawLine(QPointF(12.5, 17.5), QPointF(37.5, 17.5));
    p.drawLine(QPointF(12.5, 32.5), QPointF(37.5, 32.5));
}

QImage banner() {
    QImage image = opaque(320, 105);
    QPainter p(&image);
    smooth(p);
    QLinearGradient g(0, 0, 320, 105);
    g.setColorAt(0, QColor(14, 52, 58));
    g.setColorAt(0.6, QColor(18, 30, 36));
    g.setColorAt(1, QColor(12, 16, 20));
    p.fillRect(image.rect(), g);
    // An analyser skyline along the right, fading out to the left.
    Noise noise(0xbe11);
    for (int i = 0; i < 26; ++i) {
        const double x = 150 + i * 6;
        const double h = 18 + 50 * (0.5 + 0.5 * std::sin(i * 0.55)) * (0.7 + 0.3 * noise.next());
        QColor c = kAccent;
        c.setAlpha(int(30 + 120 * i / 26.0));
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawRoundedRect(QRectF(x, 96 - h, 4, h), 1.5, 1.5);
    }
    p.setPen(QColor(255, 255, 255, 30));
    p.drawLine(QPointF(0, 0.5), QPointF(320, 0.5));
    p.setFont(cjkFont(22, true));
    p.setPen(QColor(240, 246, 246));
    p.drawText(QPointF(18, 44), "每日精选");
    p.setFont(cjkFont(12));
    p.setPen(kAccentLight);
    p.drawText(QPointF(19, 66), "今天为你挑选的好音乐");
    p.setFont(cjkFont(11));
    p.setPen(QColor(170, 186, 190));
    p.drawText(QPointF(19, 88), "点击查看 ›");
    return image;
}

QImage edgeStrip() {
    QImage image(10, 110, QImage::Format_ARGB32);
    for (int y = 0; y < 110; ++y)
        for (int x = 0; x < 10; ++x) {
            QColor c = mix(QColor(16, 20, 24), QColor(30, 36, 42), x / 9.0);
            if (x == 0)
                c = QColor(255, 255, 255, 255).darker(600);
            if (x == 9)
                c = mix(kAccentDeep, c, 0.3 + 0.5 * std::abs(y - 54.5) / 55.0);
            image.setPixelColor(x, y, c);
        }
    return image;
}

QImage fillBar(int w) {
    QImage image = opaque(w, 12);
    for (int y = 0; y < 12; ++y) {
        QColor c;
        if (y == 0)
            c = QColor(8, 40, 44);
        else if (y == 1)
            c = kAccentLight;
        else if (y == 11)
            c = QColor(0, 70, 76);
        else
            c = mix(QColor(60, 226, 222), QColor(0, 138, 146), (y - 2) / 8.0);
        for (int x = 0; x < w; ++x)
            image.setPixelColor(x, y, c);
    }
    return image;
}

QImage thumb(int w, int h, Look look) {
    QImage image = opaque(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixelColor(x, y, sharedBackground(148 + y));
    QPainter p(&image);
    smooth(p);
    QColor top(244, 248, 250), bottom(176, 186, 192), dot = kAccent;
    if (look == Look::Hover) {
        top = Qt::white;
        bottom = QColor(206, 216, 220);
        dot = kAccentLight;
    } else if (look == Look::Pressed) {
        top = QColor(150, 160, 166);
        bottom = QColor(196, 204, 208);
        dot = kAccentDeep;
    } else if (look == Look::Disabled) {
        top = QColor(96, 100, 104);
        bottom = QColor(74, 78, 82);
        dot = QColor(60, 64, 68);
    }
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.setPen(QPen(QColor(14, 16, 18), 1));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(dot);
    p.drawRoundedRect(QRectF(w / 2.0 - 1.5, h / 2.0 - 1.5, 3, 3), 0.8, 0.8);
    return image;
}

QImage smallButton(int w, int h, Look look, const QString& text) {
    QImage image = opaque(w, h);
    QColor face(46, 50, 55), ink(190, 198, 204), edge(12, 14, 16);
    if (look == Look::Hover) {
        face = QColor(68, 74, 80);
        ink = Qt::white;
    } else if (look == Look::Pressed) {
        face = QColor(20, 22, 25);
        ink = kAccent;
    } else if (look == Look::Disabled) {
        face = QColor(44, 46, 49);
        ink = QColor(92, 96, 100);
        edge = QColor(28, 30, 32);
    }
    image.fill(edge);
    for (int y = 1; y < h - 1; ++y)
        for (int x = 1; x < w - 1; ++x)
            image.setPixelColor(x, y,
                                y == 1 && look != Look::Pressed && look != Look::Disabled
                                    ? face.lighter(135)
                                    : face);
    drawPixelText(image, text, ink);
    return image;
}

QImage musicWindowDisabled() {
    QImage image = opaque(68, 18);
    QPainter p(&image);
    smooth(p);
    p.fillRect(image.rect(), QColor(28, 30, 32));
    p.setPen(QPen(QColor(58, 62, 66), 1));
    p.setBrush(QColor(44, 46, 49));
    p.drawRoundedRect(QRectF(0.5, 0.5, 67, 17), 3, 3);
    p.setFont(cjkFont(11));
    p.setPen(QColor(98, 102, 106));
    p.drawText(QRectF(0, 0, 68, 18), Qt::AlignCenter, "音乐窗");
    return image;
}

QImage optionsArrow() {
    QImage image = opaque(7, 12, QColor(240, 240, 240));
    QPainter p(&image);
    smooth(p);
    fillPolygon(p, kAccentDeep, {{1.5, 2}, {1.5, 10}, {6, 6}});
    return image;
}

QImage aboutBackground() {
    QImage image = opaque(340, 200);
    QPainter p(&image);
    smooth(p);
    QLinearGradient g(0, 0, 0, 200);
    g.setColorAt(0, QColor(12, 14, 17));
    g.setColorAt(1, QColor(40, 45, 50));
    p.fillRect(image.rect(), g);
    // Soft teal glow behind the mark.
    QRadialGradient glow(QPointF(60, 62), 70);
    glow.setColorAt(0, QColor(38, 208, 206, 60));
    glow.setColorAt(1, QColor(38, 208, 206, 0));
    p.fillRect(image.rect(), glow);
    // Accent rule down the left edge and along the bottom.
    p.fillRect(QRectF(0, 0, 3, 200), kAccentDeep);
    p.fillRect(QRectF(0, 199, 340, 1), QColor(255, 255, 255, 24));

    drawMark(p, QRectF(28, 40, 40, 40));
    p.setFont(cjkFont(26, true));
    p.setPen(QColor(244, 248, 250));
    p.drawText(QPointF(84, 72), "Tarvo播放器");
    p.setFont(cjkFont(13));
    p.setPen(kAccentLight);
    p.drawText(QPointF(86, 96), "一个小巧的皮肤音乐播放器");

    p.setPen(QColor(255, 255, 255, 36));
    p.drawLine(QPointF(28, 118.5), QPointF(312, 118.5));
    p.setFont(cjkFont(12));
    p.setPen(QColor(184, 192, 198));
    p.drawText(QPointF(28, 142), "联系：hello@tarvo.example");
    p.drawText(QPointF(28, 162), "主页：www.tarvo.example");
    p.setPen(QColor(140, 148, 154));
    p.drawText(QPointF(28, 184), "版本 0.1");
    p.setFont(cjkFont(11));
    p.setPen(QColor(110, 118, 124));
    p.drawText(QRectF(0, 170, 316, 20), Qt::AlignRight | Qt::AlignVCenter, "© 2026 Tarvo");
    return image;
}

QImage aboutClose() {
    // Matches the About background's top-right corner (rows 0..19 of its gradient).
    QImage image = opaque(20, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            image.setPixelColor(x, y, mix(QColor(12, 14, 17), QColor(40, 45, 50), y / 200.0));
    QPainter p(&image);
    smooth(p);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 18));
    p.drawRoundedRect(QRectF(2, 2, 16, 16), 3, 3);
    roundLine(p, kInkDim, 1.6, {6.5, 6.5}, {13.5, 13.5});
    roundLine(p, kInkDim, 1.6, {13.5, 6.5}, {6.5, 13.5});
    return image;
}

QImage picksBackground() {
    QImage image = opaque(320, 250);
    Noise noise(0x9e37);
    const QColor base(212, 221, 210);
    for (int y = 0; y < 250; ++y)
        for (int x = 0; x < 320; ++x) {
            // Fine grain plus faint diagonal weave: a plain light grey-green paper.
            const double weave =
                ((x + y) % 6 == 0 ? -2.0 : 0.0) + ((x - y + 600) % 9 == 0 ? 1.5 : 0.0);
            const double n = noise.next() * 3.0 + weave;
            image.setPixelColor(x, y,
                                QColor(std::clamp(int(base.red() + n), 0, 255),
                                       std::clamp(int(base.green() + n), 0, 255),
                                       std::clamp(int(base.blue() + n), 0, 255)));
        }
    return image;
}

// The application icon: a dark rounded square with the four-bar mark and a play triangle.
QImage appIcon(int size) {
    QImage image = transparent(size, size);
    QPainter p(&image);
    smooth(p);
    const double s = size / 128.0;
    p.scale(s, s);
    const QRectF box(4, 4, 120, 120);
    QLinearGradient g(0, 4, 0, 124);
    g.setColorAt(0, QColor(48, 54, 60));
    g.setColorAt(1, QColor(12, 14, 17));
    p.setPen(QPen(QColor(6, 8, 10), 2));
    p.setBrush(g);
    p.drawRoundedRect(box, 26, 26);
    p.setPen(QPen(QColor(255, 255, 255, 50), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(box.adjusted(3, 3, -3, -3), 23, 23);
    drawMark(p, QRectF(24, 26, 80, 76));
    return image;
}

} // namespace

QMap<QString, QImage> drawAll() {
    QMap<QString, QImage> out;
    const QColor transportAround = sharedBackground(147);
    const QColor muteAround = sharedBackground(149);

    out["main/background.jpg"] = mainBackground();
    out["main/banner.jpg"] = banner();
    out["main/edge.bmp"] = edgeStrip();
    out["main/tile-picks.jpg"] = tile(180, starSymbol);
    out["main/tile-snow.jpg"] = tile(180, snowSymbol);
    out["main/tile-about.jpg"] = tile(180, infoSymbol);
    out["main/tile-web.jpg"] = tile(180, globeSymbol);
    out["main/logo.jpg"] = logo();
    out["main/separator.jpg"] = separator();

    auto chevron = [](bool up) {
        return [up](QPainter& p, const QColor& ink) {
            const double y0 = up ? 10.5 : 6.5, y1 = up ? 6.5 : 10.5;
            QPen pen(ink, 1.6);
            pen.setCapStyle(Qt::RoundCap);
            pen.setJoinStyle(Qt::RoundJoin);
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
            p.drawPolyline(QPolygonF({{8, y0}, {12, y1}, {16, y0}}));
        };
    };
    out["main/collapse.jpg"] = flatButton(24, 17, Look::Normal, chevron(true));
    out["main/expand.jpg"] = flatButton(24, 17, Look::Normal, chevron(false));

    for (Look look : {Look::Normal, Look::Hover, Look::Pressed}) {
        const QString n = QString::number(int(look));
        out["main/progress-thumb-" + n + ".jpg"] = thumb(12, 11, look);
        out["main/volume-thumb-" + n + ".jpg"] = thumb(12, 11, look);
    }
    out["main/volume-thumb-4.bmp"] = thumb(12, 12, Look::Disabled);

    const QImage strip = ledStrip();
    out["led/digits.bmp"] = strip;
    out["main/time.bmp"] = ledTime(strip);
    out["main/musicwin-4.bmp"] = musicWindowDisabled();

    auto minimiseGlyph = [](QPainter& p, const QColor& ink) {
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawRect(QRectF(8, 10, 8, 2));
    };
    auto exitGlyph = [](QPainter& p, const QColor& ink) {
        roundLine(p, ink, 1.6, {17, 4.5}, {24, 11.5});
        roundLine(p, ink, 1.6, {24, 4.5}, {17, 11.5});
    };
    for (Look look : {Look::Normal, Look::Hover, Look::Pressed, Look::Disabled}) {
        const QString n = QString::number(int(look));
        const bool four = look == Look::Disabled;
        if (!four)
            out["main/minimise-" + n + ".jpg"] = flatButton(24, 16, look, minimiseGlyph);
        out["main/exit-" + n + ".jpg"] = flatButton(41, 16, look, exitGlyph, true);
        out["main/stop-" + n + ".jpg"] = chip(25, 25, look, transportAround, stopGlyph);
        out["main/previous-" + n + ".jpg"] = chip(16, 25, look, transportAround, previousGlyph);
        out["main/next-" + n + ".jpg"] = chip(16, 25, look, transportAround, nextGlyph);
        out["main/play-" + n + ".jpg"] = chip(25, 25, look, transportAround, playGlyph);
        if (!four) {
            out["main/open-" + n + ".jpg"] = chip(25, 25, look, transportAround, ejectGlyph);
            out["main/pause-" + n + ".jpg"] = chip(25, 25, look, transportAround, pauseGlyph);
            out["main/mute-" + n + ".jpg"] =
                chip(20, 20, look, muteAround, [look](QPainter& p, const QColor& ink) {
                    speakerGlyph(p, ink, look == Look::Pressed);
                });
        }
        out["main/playlist-" + n + ".bmp"] = smallButton(19, 12, look, "PL");
        out["main/lyrics-" + n + ".bmp"] = smallButton(24, 12, look, "LRC");
        out["main/equaliser-" + n + ".bmp"] = smallButton(19, 12, look, "EQ");
    }
    // The minimise button's disabled picture is 26 x 17 (one pixel wider and taller).
    out["main/minimise-4.bmp"] = flatButton(26, 17, Look::Disabled, minimiseGlyph);
    // The open button's disabled picture is 40 x 25: the disabled chip, then the row's ground.
    {
        QImage open4 = opaque(40, 25, transportAround);
        QPainter p(&open4);
        p.drawImage(0, 0, chip(25, 25, Look::Disabled, transportAround, ejectGlyph));
        out["main/open-4.bmp"] = open4;
    }
    out["main/progress-fill.jpg"] = fillBar(120);
    out["main/volume-fill.jpg"] = fillBar(65);
    out["options/arrow.jpg"] = optionsArrow();
    out["about/background.jpg"] = aboutBackground();
    out["about/close.jpg"] = aboutClose();
    out["picks/background.jpg"] = picksBackground();
    out["icons/window.ico"] = appIcon(128);
    out["icons/tray.ico"] = appIcon(48);
    // The desktop's icon theme (installed, not embedded): the sizes menus, panels and
    // launchers ask for.
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        out[QString("icons/hicolor/%1x%1/apps/tarvo.png").arg(size)] = appIcon(size);
    return out;
}

QImage mockMainWindow(const QMap<QString, QImage>& pic, int height) {
    QImage image = opaque(320, height);
    QPainter p(&image);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.drawImage(QRect(0, 0, 320, height), pic["main/background.jpg"]);
    auto at = [&](int x, int y, const QString& path) { p.drawImage(x, y, pic[path]); };
    // Top row.
    at(0, 0, "main/logo.jpg");
    at(208, 0, "main/collapse.jpg");
    at(232, 0, "main/expand.jpg");
    at(255, 0, "main/minimise-1.jpg");
    at(280, 0, "main/exit-1.jpg");
    // Analyser box (30, 30, 270 x 100) with bars in the options' default colours.
    {
        smooth(p);
        const QRectF box(30, 30, 270, 100);
        for (int i = 0; i < 54; ++i) {
            const double v = 0.15 + 0.8 * std::abs(std::sin(i * 0.37) * std::cos(i * 0.11));
            const double h = v * box.height();
            QLinearGradient g(0, box.top(), 0, box.bottom());
            g.setColorAt(0, QColor(255, 80, 128));
            g.setColorAt(0.5, QColor(0, 136, 255));
            g.setColorAt(1, QColor(255, 255, 0));
            p.fillRect(QRectF(box.left() + i * 5, box.bottom() - h, 4, h), g);
            p.fillRect(QRectF(box.left() + i * 5, box.bottom() - h - 4, 4, 1), QColor(0, 136, 255));
        }
        p.setRenderHint(QPainter::Antialiasing, false);
    }
    // Labels and time display.
    p.setFont(cjkFont(12));
    p.setPen(QColor(220, 226, 230));
    p.drawText(QPointF(120, 20), "标题：示例歌曲");
    at(240, 32, "main/time.bmp");
    // Transport row: the status label and the progress slider end at 92, left of the
    // previous/next pair (disabled until there is another track), then the layout's buttons.
    p.drawText(QRectF(30, 131, 62, 13), Qt::AlignLeft | Qt::AlignVCenter, "状态:停止");
    p.setClipRect(QRect(10, 150, 40, 12));
    at(10, 150, "main/progress-fill.jpg");
    p.setClipping(false);
    at(45, 150, "main/progress-thumb-1.jpg");
    at(94, 135, "main/previous-4.jpg");
    at(112, 135, "main/next-4.jpg");
    at(130, 135, "main/open-1.jpg");
    at(165, 135, "main/play-1.jpg");
    at(195, 135, "main/stop-4.jpg");
    at(225, 139, "main/mute-1.jpg");
    p.setClipRect(QRect(245, 143, 40, 12));
    at(245, 143, "main/volume-fill.jpg");
    p.setClipping(false);
    at(280, 143, "main/volume-thumb-2.jpg");
    if (height > 168) {
        at(0, 168, "main/separator.jpg");
        at(24, 180, "main/tile-picks.jpg");
        at(98, 180, "main/tile-snow.jpg");
        at(172, 180, "main/tile-web.jpg");
        at(246, 180, "main/tile-about.jpg");
        p.drawImage(QRect(10, 240, 300, 105), pic["main/banner.jpg"], QRect(0, 0, 300, 105));
        at(310, 240, "main/edge.bmp");
    }
    return image;
}

QImage mockAboutWindow(const QMap<QString, QImage>& pic) {
    QImage image = pic["about/background.jpg"].copy();
    QPainter p(&image);
    p.drawImage(320, 0, pic["about/close.jpg"]);
    return image;
}

} // namespace skin
