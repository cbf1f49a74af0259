#include "EventLoopGap.h"
#include "LocalHttpServer.h"
#include "QtConnectivityCheck.h"
#include "QtHttpReader.h"

#include <QTest>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>

namespace {

// What a request's callback was given, and how often it ran.
struct Answer {
    int calls = 0;
    QByteArray body;
    bool ok = false;
};

std::shared_ptr<Answer> read(tk::HttpReader& reader, const QUrl& address, int timeoutMs,
                             QObject* context = nullptr) {
    auto answer = std::make_shared<Answer>();
    reader.get(address, timeoutMs, context, [answer](const QByteArray& body, bool ok) {
        ++answer->calls;
        answer->body = body;
        answer->ok = ok;
    });
    EXPECT_EQ(answer->calls, 0) << "answered inside get()";
    return answer;
}

bool waitForAnswer(const Answer& answer, int ms = 10000) {
    return QTest::qWaitFor([&] { return answer.calls > 0; }, ms);
}

// A port on 127.0.0.1 where nothing listens.
int closedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

class LocalServerTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(server.error().isEmpty()) << server.error().toStdString(); }
    FileHttpServer server;
    tk::QtHttpReader reader;
};

TEST_F(LocalServerTest, AnswersWithTheBytesTheServerSent) {
    const QByteArray text = "每日精选\r\n第二行";
    const QByteArray withZero("ab\0cd", 5);
    server.put(QStringLiteral("/mrjx/ew.txt"), text);
    server.put(QStringLiteral("/empty.txt"), {});
    server.put(QStringLiteral("/zero.bin"), withZero);
    for (const auto& [path, bytes] :
         {std::pair{"/mrjx/ew.txt", text}, std::pair{"/empty.txt", QByteArray()},
          std::pair{"/zero.bin", withZero}}) {
        SCOPED_TRACE(path);
        const auto answer = read(reader, server.url(QString::fromLatin1(path)), 5000);
        ASSERT_TRUE(waitForAnswer(*answer));
        EXPECT_TRUE(answer->ok);
        EXPECT_EQ(answer->body, bytes);
    }
    QTest::qWait(50);
    EXPECT_EQ(reader.requestsInFlight(), 0);
}

TEST_F(LocalServerTest, FailsWithoutABodyOnAnErrorStatusARefusalOrAnUnusableAddress) {
    const QUrl addresses[] = {server.url(QStringLiteral("/missing.txt")),
                              QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(closedPort())),
                              QUrl(QStringLiteral("no address")), QUrl()};
    for (const QUrl& address : addresses) {
        SCOPED_TRACE(address.toString().toStdString());
        // Far beyond the wait: a failure must not be mistaken for a slow server.
        const auto answer = read(reader, address, 60000);
        ASSERT_TRUE(waitForAnswer(*answer, 5000));
        EXPECT_FALSE(answer->ok);
        EXPECT_TRUE(answer->body.isEmpty());
        QTest::qWait(20);
        EXPECT_EQ(answer->calls, 1);
    }
}

TEST_F(LocalServerTest, ABodyBeyondTheLimitFailsTheRequest) {
    server.put(QStringLiteral("/limit.txt"), QByteArray(1000, 'x'));
    server.put(QStringLiteral("/over.txt"), QByteArray(1001, 'x'));
    tk::QtHttpReader small(1000);
    const auto atLimit = read(small, server.url(QStringLiteral("/limit.txt")), 5000);
    const auto over = read(small, server.url(QStringLiteral("/over.txt")), 5000);
    ASSERT_TRUE(waitForAnswer(*atLimit) && waitForAnswer(*over));
    EXPECT_TRUE(atLimit->ok);
    EXPECT_EQ(atLimit->body.size(), 1000);
    EXPECT_FALSE(over->ok);
    EXPECT_TRUE(over->body.isEmpty());
    // An announced size beyond the limit ends the request before the body comes.
    SilentServer trickling(50);
    const auto announced = read(small, trickling.url(), 60000);
    ASSERT_TRUE(waitForAnswer(*announced, 3000));
    EXPECT_FALSE(announced->ok);
}

TEST(HttpReader, GivesUpOnASilentServerWhileTheEventLoopTurns) {
    SilentServer server;
    tk::QtHttpReader reader;
    const EventLoopGap gap;
    const auto answer = read(reader, server.url(), 1000);
    ASSERT_TRUE(waitForAnswer(*answer));
    EXPECT_FALSE(answer->ok);
    EXPECT_EQ(server.connectionsAccepted(), 1);
    // Giving up closes the connection: nothing is left open.
    EXPECT_TRUE(QTest::qWaitFor([&] { return server.connectionsClosedByPeer() == 1; }, 2000));
    std::printf("longest event-loop gap while waiting: %lld ms over %d ticks\n",
                static_cast<long long>(gap.longestMs()), gap.ticks());
    // Blocking until the limit would show a gap of the whole second.
    EXPECT_LT(gap.longestMs(), 500);
}

TEST(HttpReader, TheTimeLimitCoversTheWholeTransfer) {
    SilentServer server(50); // one byte every 50 ms of a 100000-byte body
    tk::QtHttpReader reader;
    const auto answer = read(reader, server.url(), 500);
    ASSERT_TRUE(waitForAnswer(*answer, 5000));
    EXPECT_FALSE(answer->ok);
    EXPECT_TRUE(answer->body.isEmpty());
}

TEST(HttpReader, DestroyingTheContextOrTheReaderAbandonsTheRequest) {
    SilentServer server;
    tk::QtHttpReader reader;
    auto context = std::make_unique<QObject>();
    const auto abandoned = read(reader, server.url(), 300, context.get());
    auto shortLived = std::make_unique<tk::QtHttpReader>();
    const auto orphaned = read(*shortLived, server.url(), 300);
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.connectionsAccepted() == 2; }, 5000));
    context.reset();
    shortLived.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return server.connectionsClosedByPeer() == 2; }, 5000));
    QTest::qWait(500); // past the limit: a timed-out callback would have run by now
    EXPECT_EQ(abandoned->calls, 0);
    EXPECT_EQ(orphaned->calls, 0);
    EXPECT_EQ(reader.requestsInFlight(), 0);
}

// The connectivity check, with the system's report given by the test.
struct ConnectivityCase {
    bool systemSaysNoNetwork;
    QUrl testAddress;
    bool online;
};

TEST_F(LocalServerTest, ConnectivityNeedsTheSystemsConsentAndASuccessfulRequest) {
    SilentServer silent;
    const ConnectivityCase cases[] = {
        {false, server.url(QStringLiteral("/")), true},
        {false, server.url(QStringLiteral("/missing")), false},
        {false, QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(closedPort())), false},
        {false, silent.url(), false},
        {true, silent.url(), false},
    };
    for (const ConnectivityCase& c : cases) {
        SCOPED_TRACE(c.testAddress.toString().toStdString() +
                     (c.systemSaysNoNetwork ? " down" : ""));
        tk::QtConnectivityCheck check(reader, c.testAddress, 500,
                                      [&] { return c.systemSaysNoNetwork; });
        int calls = 0;
        bool online = !c.online;
        check.check(nullptr, [&](bool answer) {
            ++calls;
            online = answer;
        });
        EXPECT_EQ(calls, 0) << "answered inside check()";
        ASSERT_TRUE(QTest::qWaitFor([&] { return calls > 0; }, 5000));
        EXPECT_EQ(online, c.online);
    }
    // The one request to the silent server came from the case where the system did not object.
    EXPECT_EQ(silent.connectionsAccepted(), 1);
}

} // namespace
