// The program binary ends cleanly on SIGTERM and SIGINT instead of hanging in the database engine.
#include "Connection.h"
#include "DatabaseSetup.h"
#include "TData.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <csignal>
#include <gtest/gtest.h>

using namespace zeror;

namespace {

class SignalExit : public ::testing::TestWithParam<int>
{
};

TEST_P(SignalExit, CommitsClosesAndEnds)
{
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("ru2016.fdb"));
    DatabaseSetup::createDatabase(db, DatabaseSetup::Content::Demo);

    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("ZEROR_SCRIPTED_DIALOGS"), QStringLiteral("1"));
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.setWorkingDirectory(dir.path());
    program.start(QStringLiteral(ZEROR_PROGRAM), {QStringLiteral("--no-splash"), QStringLiteral("--database"), db});
    ASSERT_TRUE(program.waitForStarted(10000));
    // The program says when its window is up and the signals are its own.
    QByteArray output;
    while (!output.contains("zeror: ready") && program.state() == QProcess::Running && program.waitForReadyRead(30000))
        output += program.readAll();
    ASSERT_TRUE(output.contains("zeror: ready")) << output.toStdString();

    ::kill(static_cast<pid_t>(program.processId()), GetParam());
    ASSERT_TRUE(program.waitForFinished(30000)) << "the program did not end";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0) << program.readAll().toStdString();

    // The database was closed: it opens again at once.
    Connection c;
    EXPECT_NO_THROW(c.attach(db, QString::fromLatin1(TData::User), QString::fromLatin1(TData::Password)));
}

INSTANTIATE_TEST_SUITE_P(TermAndInt, SignalExit, ::testing::Values(SIGTERM, SIGINT));

} // namespace
