// The embedded skin: every row of assets/pictures.tsv is a resource under :/skin/ of the listed
// format and pixel size (the desktop icons a file in assets/); the LED strip and the tray icon
// are byte-exact.
#include "Assets.h"

#include <QBuffer>
#include <QDirIterator>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QSet>
#include <QTextStream>

#include <gtest/gtest.h>

namespace {

struct Row {
    QString path;
    QString format;
    int width = 0;
    int height = 0;
};

QList<Row> pictureTable() {
    QFile f(QStringLiteral(TARVO_PICTURES_TSV));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QList<Row> rows;
    QTextStream in(&f);
    in.setEncoding(QStringConverter::Utf8);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.trimmed().isEmpty() || line.startsWith('#'))
            continue;
        const QStringList cols = line.split('\t');
        if (cols.size() >= 4)
            rows.append({cols[0], cols[1], cols[2].toInt(), cols[3].toInt()});
    }
    return rows;
}

quint32 le16(const QByteArray& b, int at) {
    return quint32(quint8(b[at])) | quint32(quint8(b[at + 1])) << 8;
}

quint32 le32(const QByteArray& b, int at) {
    return le16(b, at) | le16(b, at + 2) << 16;
}

// The desktop's icon theme: files that cmake --install copies, not resources of the player.
bool isInstalledIcon(const Row& row) {
    return row.path.startsWith(QLatin1String("icons/hicolor/"));
}

// The picture file as the table's reader finds it: embedded, or in assets/ for installed icons.
QByteArray pictureBytes(const Row& row) {
    if (!isInstalledIcon(row))
        return tarvo::assets::bytes(row.path);
    QFile file(QStringLiteral(TARVO_ASSETS_DIR "/") + row.path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QImage ledStrip() {
    return QImage::fromData(tarvo::assets::bytes("led/digits.bmp"))
        .convertToFormat(QImage::Format_RGB32);
}

QImage cell(const QImage& strip, int index) {
    return strip.copy(index * 13, 0, 13, 20);
}

TEST(Assets, TableListsThePictures) {
    const QList<Row> rows = pictureTable();
    EXPECT_GE(rows.size(), 67); // the table as first written
    QSet<QString> paths;
    for (const Row& row : rows)
        paths.insert(row.path);
    EXPECT_EQ(paths.size(), rows.size()) << "a path is listed twice";
}

TEST(Assets, EveryRowIsEmbeddedWithItsFormatAndSize) {
    static const QMap<QString, QByteArray> readerFormat = {
        {"jpg", "jpeg"}, {"bmp24", "bmp"}, {"bmp32", "bmp"}, {"ico", "ico"}, {"png", "png"}};
    for (const Row& row : pictureTable()) {
        SCOPED_TRACE(row.path.toStdString());
        ASSERT_TRUE(readerFormat.contains(row.format)) << row.format.toStdString();
        const QByteArray bytes = pictureBytes(row);
        ASSERT_FALSE(bytes.isEmpty()) << "missing";
        EXPECT_EQ(isInstalledIcon(row), row.format == "png") << "PNGs are the installed icons";

        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer);
        EXPECT_EQ(reader.format(), readerFormat[row.format]);
        EXPECT_EQ(reader.size(), QSize(row.width, row.height));
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
        EXPECT_EQ(image.size(), QSize(row.width, row.height));

        if (row.format == "jpg") {
            EXPECT_EQ(quint8(bytes[0]), 0xFF);
            EXPECT_EQ(quint8(bytes[1]), 0xD8);
        } else if (row.format.startsWith("bmp")) {
            ASSERT_GE(bytes.size(), 54);
            EXPECT_EQ(bytes.left(2), QByteArray("BM"));
            EXPECT_EQ(le32(bytes, 2), quint32(bytes.size()));
            EXPECT_EQ(le32(bytes, 14), 40u);
            EXPECT_EQ(le32(bytes, 18), quint32(row.width));
            EXPECT_EQ(le32(bytes, 22), quint32(row.height));
            EXPECT_EQ(le16(bytes, 28), row.format == "bmp24" ? 24u : 32u);
            EXPECT_EQ(le32(bytes, 30), 0u); // uncompressed
        } else if (row.format == "png") {
            ASSERT_GE(bytes.size(), 26);
            EXPECT_EQ(bytes.mid(12, 4), QByteArray("IHDR"));
            EXPECT_EQ(quint8(bytes[24]), 8) << "8 bits a channel";
            EXPECT_EQ(quint8(bytes[25]), 6) << "red, green, blue and alpha";
        } else { // ico: one 32-bit image of the listed size
            ASSERT_GE(bytes.size(), 22);
            EXPECT_EQ(le16(bytes, 0), 0u);
            EXPECT_EQ(le16(bytes, 2), 1u);
            EXPECT_EQ(le16(bytes, 4), 1u);
            EXPECT_EQ(quint8(bytes[6]), quint8(row.width % 256));
            EXPECT_EQ(quint8(bytes[7]), quint8(row.height % 256));
            EXPECT_EQ(le16(bytes, 12), 32u);
            EXPECT_TRUE(image.hasAlphaChannel());
        }
    }
}

TEST(Assets, NothingEmbeddedBeyondTheTable) {
    QSet<QString> listed;
    for (const Row& row : pictureTable()) {
        if (!isInstalledIcon(row))
            listed.insert(tarvo::assets::path(row.path));
    }
    QDirIterator it(":/skin", QDir::Files, QDirIterator::Subdirectories);
    int count = 0;
    while (it.hasNext()) {
        const QString file = it.next();
        EXPECT_TRUE(listed.contains(file)) << file.toStdString();
        ++count;
    }
    EXPECT_EQ(count, listed.size());
}

TEST(Assets, LedStripIsTheExactBitmapFile) {
    const QByteArray b = tarvo::assets::bytes("led/digits.bmp");
    ASSERT_EQ(b.size(), 9416);
    EXPECT_EQ(b.left(2), QByteArray("BM"));
    EXPECT_EQ(le32(b, 2), 9416u);  // file size
    EXPECT_EQ(le32(b, 6), 0u);     // reserved
    EXPECT_EQ(le32(b, 10), 54u);   // pixel data offset
    EXPECT_EQ(le32(b, 14), 40u);   // information header size
    EXPECT_EQ(le32(b, 18), 156u);  // width
    EXPECT_EQ(le32(b, 22), 20u);   // height, positive: bottom-up
    EXPECT_EQ(le16(b, 26), 1u);    // planes
    EXPECT_EQ(le16(b, 28), 24u);   // bits per pixel
    EXPECT_EQ(le32(b, 30), 0u);    // no compression
    EXPECT_EQ(le32(b, 34), 9362u); // image size: 20 rows of 468 bytes and 2 spare bytes
    EXPECT_EQ(le32(b, 38), 2834u); // pixels per metre
    EXPECT_EQ(le32(b, 42), 2834u);
    EXPECT_EQ(le32(b, 46), 0u); // no palette
    EXPECT_EQ(le32(b, 50), 0u);
    EXPECT_EQ(54 + 20 * 468 + 2, 9416);
}

TEST(Assets, LedStripHasNoTransparentColourAndADarkTealGround) {
    const QByteArray b = tarvo::assets::bytes("led/digits.bmp");
    ASSERT_EQ(b.size(), 9416);
    // Straight from the file's rows (blue, green, red) ...
    for (int row = 0; row < 20; ++row)
        for (int x = 0; x < 156; ++x) {
            const int at = 54 + row * 468 + x * 3;
            const bool magenta =
                quint8(b[at]) == 255 && quint8(b[at + 1]) == 0 && quint8(b[at + 2]) == 255;
            ASSERT_FALSE(magenta) << "RGB(255, 0, 255) at x " << x << ", row " << row;
        }
    // ... and as decoded.
    const QImage strip = ledStrip();
    ASSERT_EQ(strip.size(), QSize(156, 20));
    int white = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 156; ++x) {
            const QRgb p = strip.pixel(x, y);
            EXPECT_NE(p & 0xFFFFFF, 0xFF00FFu);
            white += (p & 0xFFFFFF) == 0xFFFFFFu;
        }
    EXPECT_GT(white, 0) << "the strokes are pure white";
    const QColor ground = strip.pixelColor(0, 0);
    EXPECT_NEAR(ground.red(), 30, 6);
    EXPECT_NEAR(ground.green(), 62, 6);
    EXPECT_NEAR(ground.blue(), 67, 6);
}

TEST(Assets, LedStripHasTwelveDistinctGlyphs) {
    const QImage strip = ledStrip();
    ASSERT_EQ(strip.size(), QSize(156, 20));
    for (int i = 0; i < 12; ++i) {
        const QImage a = cell(strip, i);
        int lit = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 13; ++x)
                lit += qGray(a.pixel(x, y)) > 200;
        EXPECT_GT(lit, 0) << "glyph " << i << " is blank";
        for (int j = 0; j < 12; ++j) {
            if (j != i) {
                EXPECT_NE(a, cell(strip, j)) << "glyphs " << i << " and " << j << " are equal";
            }
        }
    }
}

TEST(Assets, TimePictureShowsZeroTimeFromTheStrip) {
    const QImage strip = ledStrip();
    const QImage time = QImage::fromData(tarvo::assets::bytes("main/time.bmp"))
                            .convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(time.size(), QSize(65, 20));
    const int cells[5] = {0, 0, 10, 0, 0};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(time.copy(i * 13, 0, 13, 20), cell(strip, cells[i])) << "cell " << i;
}

TEST(Assets, TrayIconIsOne32BitImageOf9662Bytes) {
    const QByteArray b = tarvo::assets::bytes("icons/tray.ico");
    ASSERT_EQ(b.size(), 9662);
    EXPECT_EQ(le16(b, 0), 0u);
    EXPECT_EQ(le16(b, 2), 1u); // icon
    EXPECT_EQ(le16(b, 4), 1u); // one image
    EXPECT_EQ(quint8(b[6]), 48);
    EXPECT_EQ(quint8(b[7]), 48);
    EXPECT_EQ(le16(b, 12), 32u);
    EXPECT_EQ(le32(b, 14), 9640u); // image bytes
    EXPECT_EQ(le32(b, 18), 22u);   // image offset
    EXPECT_EQ(le32(b, 22), 40u);   // information header
    EXPECT_EQ(le32(b, 26), 48u);
    EXPECT_EQ(le32(b, 30), 96u); // colour and mask rows
    const QImage icon = QImage::fromData(b);
    ASSERT_EQ(icon.size(), QSize(48, 48));
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << "the corners are transparent";
    EXPECT_EQ(qAlpha(icon.pixel(24, 24)), 255);
}

// The desktop icons: the theme's usual sizes, each the window icon's drawing at that size with
// its transparent corners, and at 128 and 48 the very pixels of the window and tray icons.
TEST(Assets, DesktopIconsAreTheWindowIconInTheUsualSizes) {
    QMap<int, QImage> icons;
    for (const Row& row : pictureTable()) {
        if (!isInstalledIcon(row))
            continue;
        SCOPED_TRACE(row.path.toStdString());
        EXPECT_EQ(row.path, QString("icons/hicolor/%1x%1/apps/tarvo.png").arg(row.width));
        icons[row.width] =
            QImage::fromData(pictureBytes(row)).convertToFormat(QImage::Format_ARGB32);
    }
    EXPECT_EQ(icons.keys(), QList<int>({16, 22, 24, 32, 48, 64, 128, 256}));
    for (auto it = icons.cbegin(); it != icons.cend(); ++it) {
        const int size = it.key();
        const QImage& icon = it.value();
        SCOPED_TRACE(size);
        ASSERT_EQ(icon.size(), QSize(size, size));
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << "the corners are transparent";
        EXPECT_EQ(qAlpha(icon.pixel(size - 1, size - 1)), 0);
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255);
        // Not blank: the mark's teal bars stand on the dark square.
        int teal = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const QRgb p = icon.pixel(x, y);
                teal += qAlpha(p) == 255 && qGreen(p) > qRed(p) + 60 && qBlue(p) > qRed(p) + 60;
            }
        EXPECT_GT(teal, size * size / 20);
    }
    const auto iconImage = [](const char* path) {
        return QImage::fromData(tarvo::assets::bytes(path)).convertToFormat(QImage::Format_ARGB32);
    };
    EXPECT_EQ(icons.value(128), iconImage("icons/window.ico"));
    EXPECT_EQ(icons.value(48), iconImage("icons/tray.ico"));
}

// Every picture button's state pictures (name-1 … name-4) are four different looks.
TEST(Assets, StatePicturesDiffer) {
    QMap<QString, QList<QString>> states;
    for (const Row& row : pictureTable()) {
        static const QRegularExpression state("^(.*)-([1-4])\\.[a-z]+$");
        const auto m = state.match(row.path);
        if (m.hasMatch())
            states[m.captured(1)].append(row.path);
    }
    EXPECT_GE(states.size(), 13);
    for (auto it = states.cbegin(); it != states.cend(); ++it) {
        const QList<QString>& paths = it.value();
        for (int i = 0; i < paths.size(); ++i)
            for (int j = i + 1; j < paths.size(); ++j) {
                const QImage a = QImage::fromData(tarvo::assets::bytes(paths[i]));
                const QImage b = QImage::fromData(tarvo::assets::bytes(paths[j]));
                if (a.size() != b.size())
                    continue;
                EXPECT_NE(a.convertToFormat(QImage::Format_RGB32),
                          b.convertToFormat(QImage::Format_RGB32))
                    << paths[i].toStdString() << " looks like " << paths[j].toStdString();
            }
    }
}

TEST(Assets, MutedLookDiffersFromNormal) {
    const QImage normal = QImage::fromData(tarvo::assets::bytes("main/mute-1.jpg"));
    const QImage muted = QImage::fromData(tarvo::assets::bytes("main/mute-3.jpg"));
    ASSERT_FALSE(normal.isNull());
    EXPECT_NE(normal, muted);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
