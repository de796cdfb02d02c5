// The first start of an installed program in the user's data folder: which shipped files are
// copied, which copies stay, and the database offered there.
#include "DbError.h"
#include "Error.h"
#include "UserFolder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zeror;

namespace {

void put(const QString& path, const QByteArray& bytes, const QDateTime& modified)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.setFileTime(modified, QFileDevice::FileModificationTime);
}

QByteArray get(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

TEST(UserFolder, FollowsXdgDataHome)
{
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", "/tmp/adat");
    EXPECT_EQ(userfolder::dataFolder(), QStringLiteral("/tmp/adat/zeror"));
    qputenv("XDG_DATA_HOME", "relative/not/allowed");
    EXPECT_EQ(userfolder::dataFolder(), QDir::home().filePath(QStringLiteral(".local/share/zeror")));
    qunsetenv("XDG_DATA_HOME");
    EXPECT_EQ(userfolder::dataFolder(), QDir::home().filePath(QStringLiteral(".local/share/zeror")));
    if (!saved.isNull())
        qputenv("XDG_DATA_HOME", saved);
}

TEST(UserFolder, FirstStartCopiesTheShippedFilesAndLaterOnlyNewerOnes)
{
    QTemporaryDir shipped, home;
    const QDateTime release1 = QDateTime::currentDateTime().addDays(-10);
    const QString templates = shipped.filePath(QStringLiteral("templates"));
    ASSERT_TRUE(QDir().mkpath(templates));
    put(templates + QStringLiteral("/FjLista2.frf"), "lista v1", release1);
    put(templates + QStringLiteral("/23_2014_szamlasema.xsd"), "schema", release1);
    put(templates + QStringLiteral("/olvass.txt"), "not shipped to the user", release1);
    const QString manual = shipped.filePath(QStringLiteral("sugo.pdf"));
    const QString folder = home.filePath(QStringLiteral("share/zeror"));

    // Without a manual the rest is still copied; the folder is made.
    EXPECT_EQ(userfolder::prepare(folder, templates, manual),
              (QStringList{QStringLiteral("23_2014_szamlasema.xsd"), QStringLiteral("FjLista2.frf")}));
    EXPECT_EQ(get(folder + QStringLiteral("/FjLista2.frf")), "lista v1");
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("/olvass.txt")));

    // A second start copies nothing; the manual once the build ships it.
    EXPECT_TRUE(userfolder::prepare(folder, templates, manual).isEmpty());
    put(manual, "%PDF", release1);
    EXPECT_EQ(userfolder::prepare(folder, templates, manual), QStringList{QStringLiteral("sugo.pdf")});

    // A later release's template replaces the copy; a copy the user changed since stays when the
    // shipped one is older than it.
    put(templates + QStringLiteral("/FjLista2.frf"), "lista v2", QDateTime::currentDateTime().addDays(-1));
    put(folder + QStringLiteral("/23_2014_szamlasema.xsd"), "the user's own", QDateTime::currentDateTime());
    EXPECT_EQ(userfolder::prepare(folder, templates, manual), QStringList{QStringLiteral("FjLista2.frf")});
    EXPECT_EQ(get(folder + QStringLiteral("/FjLista2.frf")), "lista v2");
    EXPECT_EQ(get(folder + QStringLiteral("/23_2014_szamlasema.xsd")), "the user's own");
    EXPECT_TRUE(QDir(folder).entryList({QStringLiteral("*.part")}, QDir::Files).isEmpty());
}

TEST(UserFolder, AFolderThatCannotBeMadeIsAnError)
{
    QTemporaryDir home;
    QFile blocker(home.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_THROW(userfolder::prepare(home.filePath(QStringLiteral("blocker/zeror")), home.path(), QString()), Error);
}

TEST(UserFolder, TheOfferedDatabaseHasItsBuyerAndIsNeverOverwritten)
{
    QTemporaryDir home;
    EXPECT_TRUE(userfolder::createDatabaseQuestion(home.path()).contains(QStringLiteral("ru2016.fdb")));
    userfolder::createDatabase(home.path());
    const QString path = userfolder::databasePath(home.path());
    ASSERT_TRUE(QFile::exists(path));
    const qint64 size = QFileInfo(path).size();
    EXPECT_THROW(userfolder::createDatabase(home.path()), DbError);
    EXPECT_EQ(QFileInfo(path).size(), size);
}
