// The backup (names, refusals, a consistent copy while the program writes), and the help, about
// and remote-support screens, driven through their real widgets.
#include "AppSettings.h"
#include "Clock.h"
#include "Connection.h"
#include "DatabaseBackup.h"
#include "DesktopShell.h"
#include "Dialogs.h"
#include "Help.h"
#include "ScreenRegistry.h"
#include "ShellToolScreens.h"
#include "TForm16.h"
#include "TForm21.h"
#include "TForm26.h"
#include "TForm35.h"
#include "ModalDriver.h"
#include "TestDatabase.h"
#include "Version.h"
#include "WinPaths.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QUrl>
#include <gtest/gtest.h>

using namespace zeror;
using ui::Dialogs;

namespace {

void saveShot(QWidget& w, const char* name)
{
    const QString dir = QStringLiteral(ZEROR_SCREENSHOTS_DIR);
    QDir().mkpath(dir);
    w.show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(w.grab().save(dir + QLatin1Char('/') + QString::fromLatin1(name)));
}

QByteArray digest(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

// Opens a database file on its own attachment and gives the first column of a SELECT.
QString scalarIn(const QString& path, const QString& sql)
{
    Connection c;
    c.attach(path, QString::fromLatin1(TData::User), QString::fromLatin1(TData::Password));
    Query q(&c, QStringLiteral("check"));
    q.setSql({sql});
    q.open();
    const QString value = q.isEmpty() ? QString() : q.text(q.fieldNames().value(0));
    c.commit();
    c.detach();
    return value;
}

TEST(BackupNames, FollowTheMomentAndTheChosenFolder)
{
    const QDateTime moment(QDate(2016, 3, 5), QTime(14, 7, 59));
    EXPECT_EQ(backup::backupName(moment), QStringLiteral("2016_03_05_14_07.FDB"));
    paths::setWindowsRoot(QStringLiteral("/tmp/zeror-root"));
    EXPECT_EQ(backup::defaultTarget(moment), QStringLiteral("/tmp/zeror-root/ru2016/ment/2016_03_05_14_07.FDB"));
    paths::setWindowsRoot(QString());
    // Only the folder of the chosen file counts.
    EXPECT_EQ(backup::targetInFolderOf(QStringLiteral("/srv/mentes/x.fdb"), moment),
              QStringLiteral("/srv/mentes/2016_03_05_14_07.FDB"));
}

class BackupFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Dialogs::clear();
        clock::setFixed(QDateTime(QDate(2016, 3, 5), QTime(14, 7, 10)));
        paths::setWindowsRoot(db.folder() + QStringLiteral("/root"));
        QDir().mkpath(folder());
        options.nbackupProgram = backup::findNbackup();
        ASSERT_FALSE(options.nbackupProgram.isEmpty()) << "nbackup (firebird3.0-utils) is not installed";
    }
    void TearDown() override
    {
        clock::setFixed(QDateTime());
        paths::setWindowsRoot(QString());
    }
    QString folder() const { return db.folder() + QStringLiteral("/root/ru2016/ment"); }
    QString target() const { return folder() + QStringLiteral("/2016_03_05_14_07.FDB"); }
    // Stores tickets through the program's own data module, one commit for them all.
    void storeTickets(int first, int count)
    {
        Query& q = db.data().ZQ31;
        for (int i = first; i < first + count; ++i) {
            q.setSql({QStringLiteral("INSERT INTO fjfej (f_bszam, f_akod, f_ostermkod, f_tipus) VALUES (:p1, '00001', '00001', '1')")});
            q.setText(QStringLiteral("p1"), QString::number(20160000 + i));
            q.exec();
            q.setSql({QStringLiteral("INSERT INTO fjsor (s_bszam, s_akod, s_termekkod, s_brutto, s_ear) VALUES (:p1, '00001', '00001', 10, 50)")});
            q.setText(QStringLiteral("p1"), QString::number(20160000 + i));
            q.exec();
        }
        db.data().commit();
    }

    test::TestDatabase db;
    backup::Options options;
};

TEST_F(BackupFixture, RefusalsComeBeforeAnyCopy)
{
    EXPECT_EQ(backup::check(db.folder() + QStringLiteral("/nincs.fdb"), target()), backup::kSourceMissingMessage);
    EXPECT_EQ(backup::check(QString(), target()), backup::kSourceMissingMessage);
    EXPECT_EQ(backup::check(db.databasePath(), db.folder() + QStringLiteral("/nincs/x.FDB")),
              backup::kTargetFolderMissingMessage);
    EXPECT_EQ(backup::check(db.databasePath(), target()), std::nullopt);
    // Without nbackup the copy is refused with the package to install.
    backup::Options none;
    try {
        backup::makeBackup(db.databasePath(), target(), none);
        ADD_FAILURE() << "a backup without nbackup was made";
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("firebird3.0-utils"))) << e.message().toStdString();
    }
    EXPECT_FALSE(QFile::exists(target()));
}

TEST_F(BackupFixture, ACopyTakenWhileTheProgramWritesHoldsEveryCommittedTicket)
{
    storeTickets(1, 40);
    // A ticket the program has not committed yet must not be in the copy.
    Query& pending = db.data().ZQ22;
    pending.setSql({QStringLiteral("INSERT INTO fjfej (f_bszam, f_akod, f_ostermkod) VALUES ('29999999', '00001', '00001')")});
    pending.exec();
    db.data().commit(); // the shared transaction is committed; reopen a pending one below
    pending.setSql({QStringLiteral("DELETE FROM fjfej WHERE f_bszam = '29999999'")});
    pending.exec(); // uncommitted delete while the copy runs

    int calls = 0;
    options.progress = [&](qint64, qint64) {
        // The program goes on writing and committing while the file is copied.
        if (calls++ == 1)
            storeTickets(100, 30);
    };
    backup::makeBackup(db.databasePath(), target(), options);
    EXPECT_GE(calls, 3);
    db.data().rollback();

    EXPECT_TRUE(QFile::exists(target()));
    EXPECT_FALSE(QFile::exists(target() + QStringLiteral(".part")));
    // The copy opens as a database of its own: the tickets committed before the copy began, each
    // with its line, and the row the pending delete had not removed.
    EXPECT_EQ(scalarIn(target(), QStringLiteral("SELECT COUNT(*) FROM fjfej WHERE f_bszam BETWEEN '20160001' AND '20160040'")),
              QStringLiteral("40"));
    EXPECT_EQ(scalarIn(target(), QStringLiteral("SELECT COUNT(*) FROM fjsor WHERE s_bszam BETWEEN '20160001' AND '20160040'")),
              QStringLiteral("40"));
    EXPECT_EQ(scalarIn(target(), QStringLiteral("SELECT COUNT(*) FROM fjfej WHERE f_bszam = '29999999'")), QStringLiteral("1"));
    EXPECT_EQ(scalarIn(target(), QStringLiteral("SELECT COUNT(*) FROM fjfej h LEFT JOIN fjsor s ON s.s_bszam = h.f_bszam "
                                                "WHERE h.f_akod = '00001' AND s.id_fjsor IS NULL AND h.f_bszam <> '29999999'")),
              QStringLiteral("0"));
    // The database itself kept the writes made during the copy, and is no longer locked.
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM fjfej WHERE f_bszam BETWEEN '20160100' AND '20160129'")),
              QStringLiteral("30"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT MON$BACKUP_STATE FROM MON$DATABASE")), QStringLiteral("0"));
    storeTickets(200, 1);
}

TEST_F(BackupFixture, TwoBackupsInOneMinuteKeepTheFirst)
{
    registerShellToolScreens();
    EXPECT_TRUE(ui::hasScreen(QStringLiteral("Adatments1")));
    TForm35 form;
    EXPECT_EQ(form.sourceEdit()->text(), QDir::toNativeSeparators(db.databasePath()));
    EXPECT_EQ(form.targetEdit()->text(), target());
    saveShot(form, "backup.png");

    QTest::mouseClick(form.saveButton(), Qt::LeftButton);
    EXPECT_EQ(Dialogs::shownTexts(), QStringList{backup::kDoneMessage});
    const QByteArray first = digest(target());
    ASSERT_FALSE(first.isEmpty());

    storeTickets(1, 5);
    clock::setFixed(QDateTime(QDate(2016, 3, 5), QTime(14, 7, 50)));
    Dialogs::clear();
    QTest::mouseClick(form.saveButton(), Qt::LeftButton);
    ASSERT_EQ(Dialogs::shown().size(), 1);
    EXPECT_EQ(Dialogs::shown().first().kind, Dialogs::Kind::Refusal);
    EXPECT_EQ(Dialogs::lastText(), backup::kTargetExistsMessage);
    EXPECT_EQ(digest(target()), first);
    EXPECT_EQ(scalarIn(target(), QStringLiteral("SELECT COUNT(*) FROM fjfej")), QStringLiteral("0"));
}

TEST_F(BackupFixture, ScreenChoosesFoldersAndReportsFailures)
{
    TForm35 form;
    // "Hová": only the folder of the chosen file is used, the name is the moment's.
    const QString other = db.folder() + QStringLiteral("/mentes");
    QDir().mkpath(other);
    Dialogs::queueFileName(other + QStringLiteral("/x.fdb"));
    QTest::mouseClick(form.targetButton(), Qt::LeftButton);
    EXPECT_EQ(form.targetEdit()->text(), other + QStringLiteral("/2016_03_05_14_07.FDB"));

    // "Honnan" typed by hand, and missing.
    form.sourceEdit()->setText(db.folder() + QStringLiteral("/regi.fdb"));
    QTest::mouseClick(form.saveButton(), Qt::LeftButton);
    EXPECT_EQ(Dialogs::shownTexts(), QStringList{backup::kSourceMissingMessage});

    // A file that is not a database: the failure is reported instead of the success message.
    Dialogs::clear();
    QFile notDb(db.folder() + QStringLiteral("/regi.fdb"));
    ASSERT_TRUE(notDb.open(QIODevice::WriteOnly));
    notDb.write(QByteArray(4096, 'x'));
    notDb.close();
    Dialogs::queueFileName(notDb.fileName());
    QTest::mouseClick(form.sourceButton(), Qt::LeftButton);
    EXPECT_EQ(form.sourceEdit()->text(), QDir::toNativeSeparators(notDb.fileName()));
    QTest::mouseClick(form.saveButton(), Qt::LeftButton);
    ASSERT_EQ(Dialogs::shown().size(), 1);
    EXPECT_EQ(Dialogs::shown().first().kind, Dialogs::Kind::Error);
    EXPECT_FALSE(QFile::exists(form.targetEdit()->text()));
    EXPECT_FALSE(QFile::exists(form.targetEdit()->text() + QStringLiteral(".part")));
}

// ---- help, about, remote support ----

class HelpFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Dialogs::clear();
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        ui::desktop::setOpenUrlHook([this](const QUrl& url) {
            opened << url;
            return true;
        });
        ui::desktop::setStartProgramHook([this](const QString& program, const QStringList& args, const QString&) {
            started << (QStringList{program} + args);
            return true;
        });
    }
    void TearDown() override
    {
        ui::desktop::setOpenUrlHook({});
        ui::desktop::setStartProgramHook({});
        QDir::setCurrent(m_previous);
    }
    QTemporaryDir m_dir;
    QString m_previous;
    QList<QUrl> opened;
    QList<QStringList> started;
};

TEST_F(HelpFixture, ManualOpensFromTheWorkingFolderOrIsMissedPlainly)
{
    registerShellToolScreens();
    for (const char* item : {"Sug1", "Nvjegy1", "Tvsegitsg1"})
        EXPECT_TRUE(ui::hasScreen(QString::fromLatin1(item))) << item;
    TForm21 form;
    saveShot(form, "help.png");
    QTest::mouseClick(form.helpButton(), Qt::LeftButton);
    EXPECT_EQ(Dialogs::shownTexts(), QStringList{help::manualMissingMessage()});
    EXPECT_TRUE(opened.isEmpty());

    Dialogs::clear();
    QFile pdf(m_dir.filePath(QStringLiteral("sugo.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::WriteOnly));
    pdf.close();
    // Pressed twice, opened twice; the screen stays.
    QTest::mouseClick(form.helpButton(), Qt::LeftButton);
    QTest::mouseClick(form.helpButton(), Qt::LeftButton);
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened.first(), QUrl::fromLocalFile(m_dir.filePath(QStringLiteral("sugo.pdf"))));
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(Dialogs::shownTexts().isEmpty());
}

TEST_F(HelpFixture, MenuItemsOpenTheirScreens)
{
    registerShellToolScreens();
    const std::pair<const char*, const char*> cases[] = {
        {"Sug1", "Sugó"}, {"Nvjegy1", "Névjegy"}, {"Tvsegitsg1", "Távsegítség"}, {"Adatments1", "Adatok mentése"}};
    for (const auto& [item, title] : cases) {
        QString seen;
        test::whenModal([&seen](QWidget* w) {
            seen = w->windowTitle();
            w->close();
        });
        EXPECT_TRUE(ui::openScreen(QString::fromLatin1(item), nullptr));
        EXPECT_EQ(seen, QString::fromUtf8(title)) << item;
    }
}

TEST_F(HelpFixture, AboutShowsTheVersion)
{
    TForm16 form;
    const QString text = form.textEdit()->toPlainText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("FELVÁSÁRLÁSI JEGY \n2006-2016\n")));
    EXPECT_TRUE(text.contains(composeVersionText()));
    EXPECT_TRUE(form.textEdit()->isReadOnly());
    saveShot(form, "about.png");
}

TEST_F(HelpFixture, RemoteSupportStartsTheConfiguredProgramOrSaysNoneIs)
{
    TForm26 form;
    saveShot(form, "remote-support.png");
    QTest::mouseClick(form.startButton(), Qt::LeftButton);
    EXPECT_EQ(Dialogs::shownTexts(), QStringList{help::remoteNotConfiguredMessage()});
    EXPECT_TRUE(started.isEmpty());

    Dialogs::clear();
    settings::setValue(help::kRemoteProgramKey, QStringLiteral("nincs-ilyen-program"));
    QTest::mouseClick(form.startButton(), Qt::LeftButton);
    EXPECT_EQ(Dialogs::shownTexts(), QStringList{help::remoteNotFoundMessage(QStringLiteral("nincs-ilyen-program"))});

    Dialogs::clear();
    QFile program(m_dir.filePath(QStringLiteral("tavsegito")));
    ASSERT_TRUE(program.open(QIODevice::WriteOnly));
    program.write("#!/bin/sh\n");
    program.close();
    program.setPermissions(program.permissions() | QFileDevice::ExeOwner);
    settings::setValue(help::kRemoteProgramKey, QStringLiteral("tavsegito"));
    QTest::mouseClick(form.startButton(), Qt::LeftButton);
    ASSERT_EQ(started.size(), 1);
    EXPECT_EQ(started.first(), QStringList{QFileInfo(program).absoluteFilePath()});
    EXPECT_TRUE(Dialogs::shownTexts().isEmpty());
    EXPECT_TRUE(form.isVisible());
}

} // namespace
