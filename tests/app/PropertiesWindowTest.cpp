#include "PropertiesWindow.h"
#include "PropertiesTexts.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocumentFragment>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

using app::TrackInfo;
namespace texts = app::properties_texts;

QString audio(const char* name) {
    return QStringLiteral(TARVO_AUDIO_DIR "/") + name;
}

// The window alone, over an owner widget, asking `track` for the current track.
class PropertiesWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        track.path = audio("id3v23-full.mp3");
        track.lengthMs = 2000;
    }

    app::PropertiesWindow& open() {
        window = std::make_unique<app::PropertiesWindow>(&owner, [this] {
            ++asked;
            return track;
        });
        window->load();
        return *window;
    }
    tk::Unit& unit(const char* name) { return *window->window().unit(QString::fromUtf8(name)); }
    QString text(const char* name) { return unit(name).text(); }
    // What the format box reads, as plain text.
    QString formatText() {
        const auto* label = unit("分组框3").widget()->findChild<QLabel*>();
        return label ? QTextDocumentFragment::fromHtml(label->text()).toPlainText() : QString();
    }
    void click(const char* name) { QTest::mouseClick(unit(name).widget(), Qt::LeftButton); }

    QWidget owner;
    TrackInfo track;
    int asked = 0;
    std::unique_ptr<app::PropertiesWindow> window;
};

TEST_F(PropertiesWindowTest, ShowsTheTagsAndFormatOfATaggedFile) {
    open();
    EXPECT_TRUE(window->window().widget()->isVisible());
    EXPECT_EQ(window->window().widget()->parentWidget(), &owner);
    EXPECT_EQ(text("编辑框1"), audio("id3v23-full.mp3"));
    EXPECT_EQ(text("编辑框2"), QString::fromUtf8("夜曲 Nocturne"));
    EXPECT_EQ(text("编辑框3"), QString::fromUtf8("歌手乙"));
    EXPECT_EQ(text("编辑框4"), QString::fromUtf8("专辑甲"));
    EXPECT_EQ(text("编辑框5"), "2006");
    EXPECT_EQ(text("编辑框7"), "3/12");
    EXPECT_EQ(text("组合框1"), "Rock");
    EXPECT_EQ(text("编辑框6"), QString::fromUtf8("测试备注 comment"));
    EXPECT_EQ(text("分组框3"), QString::fromUtf8("音频格式"));
    for (const char* shown : {"编码:\nMPEG-1 Layer III\n", "采样率:\n44100 Hz\n", "声道:\n立体声\n",
                              "比特率:\n128 kbps\n", "时长:\n0:02\n"})
        EXPECT_TRUE(formatText().contains(QString::fromUtf8(shown))) << shown;

    // Nothing invites editing what cannot be saved.
    EXPECT_TRUE(unit("按钮3").isDisabled());
    for (const char* name : {"编辑框1", "编辑框2", "编辑框3", "编辑框4", "编辑框5", "编辑框7"})
        EXPECT_TRUE(qobject_cast<QLineEdit*>(unit(name).widget())->isReadOnly()) << name;
    EXPECT_TRUE(qobject_cast<QPlainTextEdit*>(unit("编辑框6").widget())->isReadOnly());
    EXPECT_EQ(qobject_cast<QComboBox*>(unit("组合框1").widget())->count(), 1);
    EXPECT_TRUE(window->window().unboundEvents().isEmpty())
        << window->window().unboundEvents().join(", ").toStdString();
}

TEST_F(PropertiesWindowTest, ReadingAgainFollowsTheCurrentTrackAndTheEngine) {
    open();
    track = {audio("gbk-id3v1.mp3"), 65000, 48000, 1};
    click("按钮2");
    EXPECT_EQ(text("编辑框2"), QString::fromUtf8("你好世界"));
    EXPECT_EQ(text("编辑框7"), "1");
    EXPECT_EQ(text("组合框1"), "");
    EXPECT_EQ(qobject_cast<QComboBox*>(unit("组合框1").widget())->count(), 0);
    EXPECT_EQ(text("编辑框6"), "");
    EXPECT_TRUE(formatText().contains(QString::fromUtf8("48000 Hz")));
    EXPECT_TRUE(formatText().contains(QString::fromUtf8("单声道")));
    EXPECT_TRUE(formatText().contains("1:05"));

    track = {audio("sine440-44k1-stereo-s16.wav"), 2000, 0, 0};
    window->showTrack();
    EXPECT_EQ(text("编辑框2"), "");
    EXPECT_TRUE(formatText().contains(QString::fromUtf8("PCM 16 位")));
    EXPECT_TRUE(formatText().contains("1411 kbps"));
}

TEST_F(PropertiesWindowTest, NoTrackAndAFileThatCannotBeRead) {
    track = {};
    open();
    EXPECT_EQ(text("编辑框1"), QString::fromUtf8("没有载入文件"));
    for (const char* name :
         {"编辑框2", "编辑框3", "编辑框4", "编辑框5", "编辑框7", "编辑框6", "组合框1"})
        EXPECT_EQ(text(name), "") << name;
    EXPECT_FALSE(formatText().contains(QString::fromUtf8("未知")));

    track = {QStringLiteral("/nonexistent/tarvo/gone.mp3"), 0, 0, 0};
    click("按钮2");
    EXPECT_EQ(text("编辑框1"), track.path);
    EXPECT_TRUE(formatText().contains(QString::fromUtf8("无法读取文件")));
    EXPECT_TRUE(formatText().contains(QString::fromUtf8("时长:\n未知")));
}

TEST_F(PropertiesWindowTest, PreviousAndNextWaitForTheirSetter) {
    open();
    QSignalSpy previous(window.get(), &app::PropertiesWindow::previousRequested);
    QSignalSpy next(window.get(), &app::PropertiesWindow::nextRequested);
    EXPECT_TRUE(unit("按钮上一首").isDisabled());
    EXPECT_TRUE(unit("按钮下一首").isDisabled());
    click("按钮上一首");
    EXPECT_EQ(previous.count(), 0);

    window->setTrackNavigation(true, false);
    click("按钮上一首");
    click("按钮下一首");
    EXPECT_EQ(previous.count(), 1);
    EXPECT_EQ(next.count(), 0);
    window->setTrackNavigation(false, true);
    click("按钮下一首");
    EXPECT_EQ(next.count(), 1);
    EXPECT_TRUE(unit("按钮上一首").isDisabled());
}

TEST_F(PropertiesWindowTest, TheCloseButtonAndTheCloseBoxDestroyTheWindow) {
    for (const bool byButton : {true, false}) {
        SCOPED_TRACE(byButton ? "button" : "close box");
        open();
        QPointer<QWidget> widget = window->window().widget();
        if (byButton)
            click("按钮4");
        else
            widget->close();
        EXPECT_FALSE(window->isOpen());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(widget.isNull());
        // Once closed it reads nothing more and raises nothing.
        const int before = asked;
        window->showTrack();
        window->raise();
        window->setTrackNavigation(true, true);
        EXPECT_EQ(asked, before);
    }
}

// The main window may go first at shutdown: its child widget goes with it.
TEST_F(PropertiesWindowTest, AnOwnerDestroyedFirstTakesTheWindowAlong) {
    auto mainWidget = std::make_unique<QWidget>();
    app::PropertiesWindow orphan(mainWidget.get(), [this] { return track; });
    orphan.load();
    mainWidget.reset();
    EXPECT_FALSE(orphan.isOpen());
    orphan.showTrack();
    orphan.raise();
}

TEST_F(PropertiesWindowTest, TheFileIsNeverWritten) {
    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("曲.mp3"));
    ASSERT_TRUE(QFile::copy(audio("id3v23-full.mp3"), copy));
    QFile file(copy);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    file.close();
    const QDateTime modified = QFileInfo(copy).lastModified();

    track.path = copy;
    open();
    EXPECT_EQ(text("编辑框2"), QString::fromUtf8("夜曲 Nocturne"));
    click("按钮2");
    click("按钮3"); // disabled: no effect
    click("按钮4");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), bytes);
    EXPECT_EQ(QFileInfo(copy).lastModified(), modified);
}

TEST(PropertiesTexts, FormatValues) {
    app::TrackProperties properties;
    properties.path = QStringLiteral("/music/a.flac");
    properties.lengthMs = 3'725'999;
    properties.format = media::AudioFormat{"MPEG-1 Layer III", 44100, 6, 0, 189'600, true, true};
    const std::vector<texts::FormatRow> rows = texts::formatRows(properties);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0], (texts::FormatRow{QString::fromUtf8("编码"),
                                         QString::fromUtf8("MPEG-1 Layer III VBR")}));
    EXPECT_EQ(rows[2].value, QString::fromUtf8("6 声道"));
    EXPECT_EQ(rows[3].value, QString::fromUtf8("平均 190 kbps"));
    EXPECT_EQ(rows[4].value, "1:02:05");

    properties.format = media::AudioFormat{};
    EXPECT_EQ(texts::formatRows(properties)[0].value, QString::fromUtf8("未知"));
    EXPECT_EQ(texts::formatRows(properties)[3].value, QString::fromUtf8("未知"));
    EXPECT_EQ(texts::duration(0), "0:00");
    EXPECT_EQ(texts::duration(59'999), "0:59");
    EXPECT_EQ(texts::duration(600'000), "10:00");
    EXPECT_EQ(texts::duration(-5), "0:00");
}

} // namespace
