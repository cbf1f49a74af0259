#include "SkinElement.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using skin::SkinContext;
using skin::SkinElement;

namespace {

class SkinElementFile : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        context.skinFolder = dir.path() + QLatin1Char('/');
    }

    QString write(const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    QTemporaryDir dir;
    SkinContext context;
    SkinElement element{context};
};

int warnings = 0;

void countWarnings(QtMsgType type, const QMessageLogContext&, const QString&) {
    if (type != QtDebugMsg && type != QtInfoMsg)
        ++warnings;
}

} // namespace

TEST_F(SkinElementFile, ImageFromMarkupKeyDependsOnThePrefix) {
    write(QStringLiteral("strip.bmp"), "STRIP");
    write(QStringLiteral("thumb.bmp"), "THUMB");
    const QString tag =
        QStringLiteral("thumb_image=\"thumb.bmp\" image=\"strip.bmp\" position=\"1,2,3,4\"");
    // Without a prefix the key is " image=", with its leading space.
    EXPECT_EQ(element.ImageFromMarkup(tag, std::nullopt), QByteArray("STRIP"));
    EXPECT_EQ(element.ImageFromMarkup(tag, QStringLiteral("thumb_")), QByteArray("THUMB"));
    // An empty prefix given makes the key "image=", which first matches inside "thumb_image=".
    EXPECT_EQ(element.ImageFromMarkup(tag, QString()), QByteArray("THUMB"));
    // At the very start of a tag only the key without the space matches.
    EXPECT_EQ(element.ImageFromMarkup(QStringLiteral("image=\"strip.bmp\""), std::nullopt),
              QByteArray());
    EXPECT_EQ(element.ImageFromMarkup(QStringLiteral("image=\"strip.bmp\""), QString()),
              QByteArray("STRIP"));
}

TEST_F(SkinElementFile, ImageFromMarkupGivesNoBytesWithoutAFile) {
    QDir(dir.path()).mkdir(QStringLiteral("folder"));
    EXPECT_EQ(element.ImageFromMarkup(QStringLiteral(" image=\"missing.bmp\""), std::nullopt),
              QByteArray());
    EXPECT_EQ(element.ImageFromMarkup(QStringLiteral(" image=\"folder\""), std::nullopt),
              QByteArray());
    EXPECT_EQ(element.ImageFromMarkup(QStringLiteral(" image=\"\""), std::nullopt), QByteArray());
    EXPECT_EQ(element.ImageFromMarkup(QStringLiteral(" picture=\"x.bmp\""), std::nullopt),
              QByteArray());
}

TEST_F(SkinElementFile, LoadMarkupFileReadsUpToTheFirstZeroByte) {
    QByteArray bytes("<信息 position=\"1, 2, 3, 4\"/>");
    bytes.append('\0').append("tail");
    const QString path = write(QStringLiteral("skin.xml"), bytes);
    const QString text = element.LoadMarkupFile(path);
    EXPECT_EQ(text, QStringLiteral("<信息 position=\"1, 2, 3, 4\"/>"));
    EXPECT_EQ(element.markupText, text);
    EXPECT_EQ(context.markupPath, path);
}

TEST_F(SkinElementFile, LoadMarkupFileOfAMissingFileOrAFolderIsEmpty) {
    element.markupText = QStringLiteral("old");
    const QString missing = dir.filePath(QStringLiteral("missing.xml"));
    EXPECT_EQ(element.LoadMarkupFile(missing), QString());
    EXPECT_EQ(element.markupText, QString());
    EXPECT_EQ(context.markupPath, missing);
    EXPECT_EQ(element.LoadMarkupFile(dir.path()), QString());
}

TEST_F(SkinElementFile, LoadMarkupFileStopsAtTheFirstZeroOfAnEndlessSource) {
    if (!QFile::exists(QStringLiteral("/dev/zero")))
        GTEST_SKIP() << "no /dev/zero here";
    EXPECT_EQ(element.LoadMarkupFile(QStringLiteral("/dev/zero")), QString());
}

TEST_F(SkinElementFile, NamesThatCanNameNoFileReadAsNothingWithoutAWarning) {
    warnings = 0;
    const QtMessageHandler previous = qInstallMessageHandler(countWarnings);
    QString withZero = QStringLiteral(" image=\"a.bmp\"");
    withZero[9] = QChar(u'\0');
    EXPECT_EQ(element.ImageFromMarkup(withZero, std::nullopt), QByteArray());
    EXPECT_EQ(element.LoadMarkupFile(QString()), QString());
    EXPECT_EQ(element.LoadMarkupFile(dir.filePath(QStringLiteral("a\0b"))), QString());
    qInstallMessageHandler(previous);
    EXPECT_EQ(warnings, 0);
}
