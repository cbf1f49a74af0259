#include "MakerSite.h"
#include "CommandLine.h"

#include <gtest/gtest.h>

namespace {

std::optional<app::CommandLine> parse(const QStringList& options, QString* message, int* exitCode) {
    return app::parseCommandLine(QStringList{QStringLiteral("tarvo")} + options, message, exitCode);
}

TEST(MakerSite, TheOptionWinsOverTheEnvironmentWhichWinsOverTheBuiltInAddress) {
    QString message;
    int exitCode = -1;
    const auto line = parse({QStringLiteral("--site"), QStringLiteral("http://127.0.0.1:8000/")},
                            &message, &exitCode);
    ASSERT_TRUE(line && line->site);
    const auto env = QStringLiteral("https://mirror.example/tarvo/");
    EXPECT_EQ(app::MakerSite::choose(line->site, env, &message)->root(),
              QStringLiteral("http://127.0.0.1:8000"));
    const auto fromEnvironment = app::MakerSite::choose(std::nullopt, env, &message);
    EXPECT_EQ(fromEnvironment->picksText(),
              QUrl(QStringLiteral("https://mirror.example/tarvo/mrjx/ew.txt")));
    const auto builtIn = app::MakerSite::choose(std::nullopt, QString(), &message);
    EXPECT_EQ(builtIn->panelPage(), QUrl(QStringLiteral("http://www.tarvo.example/gg/gg.html")));
    EXPECT_EQ(builtIn->homePage(), QUrl(QStringLiteral("http://www.tarvo.example/")));
    EXPECT_EQ(builtIn->root(), QStringLiteral("http://www.tarvo.example"));
    EXPECT_TRUE(message.isEmpty());
}

TEST(MakerSite, AnUnusableAddressIsRefusedWithAMessageWhereverItComesFrom) {
    for (const QString& address :
         {QStringLiteral("ftp://files.example"), QStringLiteral("www.tarvo.example"),
          QStringLiteral("http://"), QStringLiteral("http://x.example/?a=1"),
          QStringLiteral("http://bad host/")}) {
        SCOPED_TRACE(address.toStdString());
        QString message;
        int exitCode = -1;
        EXPECT_FALSE(parse({QStringLiteral("--site"), address}, &message, &exitCode));
        EXPECT_EQ(exitCode, 2);
        EXPECT_TRUE(message.startsWith(QStringLiteral("--site: ")));
        message.clear();
        EXPECT_FALSE(app::MakerSite::choose(std::nullopt, address, &message));
        EXPECT_TRUE(message.startsWith(QStringLiteral("TARVO_SITE: ")));
        EXPECT_TRUE(message.contains(address));
    }
}

} // namespace
