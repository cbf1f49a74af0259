#include "SiteFetch.h"
#include "LocalHttpServer.h"
#include "QtHttpReader.h"
#include "ServerText.h"

#include <QLineEdit>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>
#include <memory>

namespace {

TEST(ServerText, StopsAtTheFirstZeroByteAndReadsUtf8ElseGbk) {
    EXPECT_EQ(app::serverText(QByteArray("today\0garbage", 13)), QStringLiteral("today"));
    EXPECT_EQ(app::serverText(QByteArray("\0text", 5)), QString());
    EXPECT_EQ(app::serverText({}), QString());
    EXPECT_EQ(app::serverText("\xEF\xBB\xBF每日精选"), QStringLiteral("每日精选"));
    EXPECT_EQ(app::serverText("\xC3\xBF\xC8\xD5\xBE\xAB\xD1\xA1\r\nok"),
              QStringLiteral("每日精选\r\nok")); // GBK
    // GBK that breaks off: the lone lead byte is marked, the rest kept.
    EXPECT_EQ(app::serverText("\xC3\xBF\xC8"), QStringLiteral("每\uFFFD"));
}

class SiteFetchTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(server.error().isEmpty()) << server.error().toStdString(); }
    FileHttpServer server;
    tk::QtHttpReader reader;
};

TEST_F(SiteFetchTest, TheTextAndThePageArriveDecoded) {
    server.put(QStringLiteral("/mrjx/ew.txt"), QByteArray("\xBD\xF1\xC8\xD5\0tail", 9));
    server.put(QStringLiteral("/gg/gg.html"), "<p>每日精选</p>");
    QLineEdit box;
    app::fetchSiteText(reader, server.url(QStringLiteral("/mrjx/ew.txt")), &box,
                       [&](const QString& text) { box.setText(text); });
    QTextBrowser view;
    app::fetchSitePage(reader, server.url(QStringLiteral("/gg/gg.html")), &view);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !box.text().isEmpty(); }, 5000));
    EXPECT_EQ(box.text(), QStringLiteral("今日"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !view.toPlainText().isEmpty(); }, 5000));
    EXPECT_EQ(view.toPlainText(), QStringLiteral("每日精选"));
}

TEST_F(SiteFetchTest, AFailedOrAbandonedFetchShowsNothing) {
    int shown = 0;
    app::fetchSiteText(reader, server.url(QStringLiteral("/missing.txt")), nullptr,
                       [&](const QString&) { ++shown; });
    // A window closed while its server says nothing: the fetch goes with it.
    SilentServer silent;
    auto window = std::make_unique<QLineEdit>();
    app::fetchSiteText(reader, silent.url(), window.get(), [&](const QString&) { ++shown; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return silent.connectionsAccepted() == 1; }, 5000));
    window.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return reader.requestsInFlight() == 0; }, 5000));
    EXPECT_EQ(shown, 0);
}

} // namespace
