#include "MusicFolder.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

platform::Environment environmentOf(QMap<QString, QString> variables) {
    return [variables](const QString& name) { return variables.value(name); };
}

TEST(ExpandVariables, ReplacesBothFormsAndDropsUnknownNames) {
    const auto env = environmentOf({{"HOME", "/home/ana"}, {"SUB", "Music"}});
    EXPECT_EQ(platform::expandVariables("$HOME/${SUB}", env), "/home/ana/Music");
    EXPECT_EQ(platform::expandVariables("$HOME$SUB", env), "/home/anaMusic");
    EXPECT_EQ(platform::expandVariables("/x/$NOPE/y", env), "/x//y");
    EXPECT_EQ(platform::expandVariables("no references", env), "no references");
    EXPECT_EQ(platform::expandVariables("cost $5", env), "cost $5");
}

TEST(MusicFolder, ReadsTheUserDirsFileAndExpandsIt) {
    QTemporaryDir config;
    ASSERT_TRUE(config.isValid());
    QFile file(QDir(config.path()).filePath("user-dirs.dirs"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
               "XDG_MUSIC_DIR=\"$HOME/音乐\"\n");
    file.close();
    const auto env = environmentOf({{"HOME", "/home/ana"}, {"XDG_CONFIG_HOME", config.path()}});
    EXPECT_EQ(platform::musicFolder(env), QString::fromUtf8("/home/ana/音乐"));
}

TEST(MusicFolder, EnvironmentWinsAndNothingSetGivesEmpty) {
    EXPECT_EQ(
        platform::musicFolder(environmentOf({{"XDG_MUSIC_DIR", "${HOME}/m"}, {"HOME", "/h"}})),
        "/h/m");
    QTemporaryDir emptyConfig;
    EXPECT_EQ(platform::musicFolder(environmentOf({{"XDG_CONFIG_HOME", emptyConfig.path()}})), "");
    EXPECT_EQ(platform::musicFolder(environmentOf({})), "");
}

} // namespace
