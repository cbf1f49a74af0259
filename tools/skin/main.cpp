// tarvo-skin: draws every picture listed in assets/pictures.tsv and writes it into assets/.
//
//   tarvo-skin <assets-dir> [--preview <dir>]
//
// Each row of pictures.tsv names a path under assets/, a format (jpg, bmp24, bmp32, ico, png)
// and a pixel size; the tool writes exactly those files and fails when a row has no drawing or
// a drawing has the wrong size. With --preview it also writes PNG mocks of the main window
// (collapsed and expanded), the About window and a contact sheet of every picture. The output
// depends only on the code and the installed fonts, so running it twice gives the same bytes.
#include "Draw.h"
#include "Files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QTextStream>

#include <cstdio>

namespace {

struct Row {
    QString path;
    QString format;
    int width = 0;
    int height = 0;
};

QList<Row> readTable(const QString& file, QString* error) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = "cannot read " + file;
        return {};
    }
    QList<Row> rows;
    QTextStream in(&f);
    in.setEncoding(QStringConverter::Utf8);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.trimmed().isEmpty() || line.startsWith('#'))
            continue;
        const QStringList cols = line.split('\t');
        if (cols.size() < 4) {
            *error = "bad row in pictures.tsv: " + line;
            return {};
        }
        rows.append({cols[0], cols[1], cols[2].toInt(), cols[3].toInt()});
    }
    return rows;
}

QByteArray encode(const Row& row, const QImage& image) {
    if (row.format == "jpg")
        return skin::jpegFile(image);
    if (row.format == "bmp24")
        return skin::bmpFile(image, 24, row.path == "led/digits.bmp" ? 2 : 0);
    if (row.format == "bmp32")
        return skin::bmpFile(image, 32);
    if (row.format == "ico")
        return skin::icoFile(image);
    if (row.format == "png")
        return skin::pngFile(image);
    return {};
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

// Every picture at 3x (nearest pixel) on a grey board, with its path under it.
QImage contactSheet(const QList<Row>& rows, const QMap<QString, QImage>& decoded) {
    const int scale = 3, cellW = 330, columns = 4, label = 16, pad = 8;
    QList<int> heights;
    int y = pad;
    QList<QPoint> places;
    int rowHeight = 0;
    for (int i = 0; i < rows.size(); ++i) {
        if (i % columns == 0) {
            y += rowHeight;
            rowHeight = 0;
        }
        const QImage& img = decoded[rows[i].path];
        const int s = img.width() * scale > cellW - 2 * pad ? 1 : scale;
        places.append(QPoint((i % columns) * cellW + pad, y));
        rowHeight = std::max(rowHeight, img.height() * s + label + 2 * pad);
    }
    y += rowHeight;
    QImage sheet(columns * cellW, y + pad, QImage::Format_RGB32);
    sheet.fill(QColor(92, 96, 100));
    QPainter p(&sheet);
    p.setFont(QFont("DejaVu Sans", 8));
    for (int i = 0; i < rows.size(); ++i) {
        const QImage& img = decoded[rows[i].path];
        const int s = img.width() * scale > cellW - 2 * pad ? 1 : scale;
        const QPoint at = places[i];
        // A checkerboard shows the transparent parts of the icons.
        for (int cy = 0; cy < img.height() * s; cy += 6)
            for (int cx = 0; cx < img.width() * s; cx += 6)
                p.fillRect(at.x() + cx, at.y() + cy, 6, 6,
                           ((cx + cy) / 6) % 2 ? QColor(200, 200, 200) : QColor(160, 160, 160));
        p.drawImage(QRect(at, img.size() * s), img);
        p.setPen(Qt::white);
        p.drawText(at.x(), at.y() + img.height() * s + 12,
                   QString("%1 %2x%3").arg(rows[i].path).arg(img.width()).arg(img.height()));
    }
    return sheet;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: tarvo-skin <assets-dir> [--preview <dir>]\n");
        return 2;
    }
    const QString assets = args[1];
    QString preview;
    const int at = args.indexOf("--preview");
    if (at > 0 && at + 1 < args.size())
        preview = args[at + 1];

    QString error;
    const QList<Row> rows = readTable(assets + "/pictures.tsv", &error);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    const QMap<QString, QImage> pictures = skin::drawAll();
    QMap<QString, QImage> decoded; // what a reader gets back from each written file
    int failures = 0;
    QSet<QString> listed;
    for (const Row& row : rows) {
        listed.insert(row.path);
        if (!pictures.contains(row.path)) {
            std::fprintf(stderr, "no drawing for %s\n", qPrintable(row.path));
            ++failures;
            continue;
        }
        const QImage& image = pictures[row.path];
        if (image.width() != row.width || image.height() != row.height) {
            std::fprintf(stderr, "%s is drawn %dx%d, the table says %dx%d\n", qPrintable(row.path),
                         image.width(), image.height(), row.width, row.height);
            ++failures;
            continue;
        }
        const QByteArray bytes = encode(row, image);
        if (bytes.isEmpty() || !writeFile(assets + "/" + row.path, bytes)) {
            std::fprintf(stderr, "cannot write %s (%s)\n", qPrintable(row.path),
                         qPrintable(row.format));
            ++failures;
            continue;
        }
        decoded[row.path] = QImage::fromData(bytes);
        std::printf("%-32s %-6s %3dx%-3d %6lld bytes\n", qPrintable(row.path),
                    qPrintable(row.format), row.width, row.height,
                    static_cast<long long>(bytes.size()));
    }
    for (auto it = pictures.cbegin(); it != pictures.cend(); ++it)
        if (!listed.contains(it.key())) {
            std::fprintf(stderr, "%s is drawn but not listed in pictures.tsv\n",
                         qPrintable(it.key()));
            ++failures;
        }
    if (failures)
        return 1;

    if (!preview.isEmpty()) {
        QDir().mkpath(preview);
        auto save = [&](const QString& name, const QImage& image, int scale) {
            image.scaled(image.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                .save(preview + "/" + name);
        };
        save("main-collapsed.png", skin::mockMainWindow(decoded, 168), 3);
        save("main-expanded.png", skin::mockMainWindow(decoded, 355), 2);
        save("about.png", skin::mockAboutWindow(decoded), 2);
        save("contact-sheet.png", contactSheet(rows, decoded), 1);
        std::printf("previews in %s\n", qPrintable(preview));
    }
    return 0;
}
