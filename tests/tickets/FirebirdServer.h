#pragma once

// A Firebird server of the test's own: the installed server binary started as a child process
// with its own configuration, security database and lock folder in a temporary folder, listening
// on a free loopback port. Used to try what several workstations do to one database.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace zeror::test {

class FirebirdServer
{
public:
    // The server binary, its root folder (plugins, messages, character sets) and the SQL tool
    // that creates the security database; ZEROR_FIREBIRD_SERVER / ZEROR_FIREBIRD_ROOT override.
    FirebirdServer()
    {
        const QString server = qEnvironmentVariable("ZEROR_FIREBIRD_SERVER", QStringLiteral("/usr/sbin/firebird"));
        const QString root = qEnvironmentVariable("ZEROR_FIREBIRD_ROOT",
                                                  QStringLiteral("/usr/lib/x86_64-linux-gnu/firebird/3.0"));
        const QString isql = QStandardPaths::findExecutable(QStringLiteral("isql-fb"));
        if (!QFileInfo(server).isExecutable()) {
            m_problem = QStringLiteral("no Firebird server binary at %1 (Debian package firebird3.0-server)").arg(server);
            return;
        }
        if (!QFileInfo(root + QStringLiteral("/plugins")).isDir()) {
            m_problem = QStringLiteral("no Firebird root folder at %1").arg(root);
            return;
        }
        if (isql.isEmpty()) {
            m_problem = QStringLiteral("no isql-fb (Debian package firebird3.0-utils) to create the security database");
            return;
        }
        if (!m_dir.isValid()) {
            m_problem = QStringLiteral("no temporary folder");
            return;
        }
        m_port = freePort();
        if (m_port == 0) {
            m_problem = QStringLiteral("no free loopback port");
            return;
        }
        const QDir dir(m_dir.path());
        for (const char* entry : {"plugins", "firebird.msg", "lib", "UDF", "plugins.conf"}) {
            const QString name = QString::fromLatin1(entry);
            if (QFileInfo::exists(root + QLatin1Char('/') + name))
                QFile::link(root + QLatin1Char('/') + name, dir.filePath(name));
        }
        // The character sets (WIN1250) load only from a real folder under the root, not a link.
        dir.mkpath(QStringLiteral("intl"));
        for (const char* entry : {"libfbintl.so", "fbintl.conf"})
            QFile::copy(root + QStringLiteral("/intl/") + QString::fromLatin1(entry),
                        dir.filePath(QStringLiteral("intl/") + QString::fromLatin1(entry)));
        dir.mkpath(QStringLiteral("lock"));
        const QString security = dir.filePath(QStringLiteral("security3.fdb"));
        writeFile(dir.filePath(QStringLiteral("firebird.conf")),
                  QStringLiteral("RemoteServicePort = %1\n"
                                 "RemoteBindAddress = 127.0.0.1\n"
                                 "SecurityDatabase = %2\n"
                                 "ServerMode = Super\n"
                                 "AuthServer = Srp\n"
                                 "UserManager = Srp\n"
                                 "IpcName = zeror_test_%1\n"
                                 "DatabaseAccess = Restrict %3\n")
                      .arg(m_port)
                      .arg(security, m_dir.path()));
        writeFile(dir.filePath(QStringLiteral("databases.conf")), QStringLiteral("security.db = %1\n").arg(security));

        m_env = QProcessEnvironment::systemEnvironment();
        m_env.insert(QStringLiteral("FIREBIRD"), m_dir.path());
        m_env.insert(QStringLiteral("FIREBIRD_LOCK"), dir.filePath(QStringLiteral("lock")));

        // The security database with SYSDBA and the program's password, made by the engine
        // embedded in the SQL tool.
        if (!runIsql(isql, {QStringLiteral("-q"), QStringLiteral("-user"), QStringLiteral("SYSDBA")},
                     QStringLiteral("CREATE DATABASE '%1';\nQUIT;\n").arg(security))
            || !runIsql(isql, {QStringLiteral("-q"), QStringLiteral("-user"), QStringLiteral("SYSDBA"), security},
                        QStringLiteral("CREATE USER SYSDBA PASSWORD 'pelvaroni' USING PLUGIN Srp;\nCOMMIT;\nQUIT;\n"))) {
            return;
        }

        m_server.setProcessEnvironment(m_env);
        m_server.setProcessChannelMode(QProcess::MergedChannels);
        m_server.start(server, {});
        if (!m_server.waitForStarted(10000)) {
            m_problem = QStringLiteral("the server did not start: %1").arg(m_server.errorString());
            return;
        }
        QElapsedTimer timer;
        timer.start();
        while (!accepts(m_port)) {
            if (m_server.state() != QProcess::Running || timer.elapsed() > 15000) {
                m_problem = QStringLiteral("the server does not listen on port %1: %2")
                                .arg(m_port)
                                .arg(QString::fromLocal8Bit(m_server.readAll()));
                return;
            }
            QThread::msleep(20);
        }
        m_running = true;
    }

    ~FirebirdServer()
    {
        if (m_server.state() != QProcess::NotRunning) {
            m_server.terminate();
            if (!m_server.waitForFinished(10000)) {
                m_server.kill();
                m_server.waitForFinished(5000);
            }
        }
    }

    FirebirdServer(const FirebirdServer&) = delete;
    FirebirdServer& operator=(const FirebirdServer&) = delete;

    bool isRunning() const { return m_running; }
    // Why the server is not running, for the skip message.
    const QString& problem() const { return m_problem; }
    QString folder() const { return m_dir.path(); }
    // A database name as the program takes it: host/port:path.
    QString databaseName(const QString& file) const
    {
        return QStringLiteral("127.0.0.1/%1:%2").arg(m_port).arg(QDir(m_dir.path()).filePath(file));
    }

private:
    static void writeFile(const QString& path, const QString& text)
    {
        QFile f(path);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(text.toUtf8());
    }

    bool runIsql(const QString& isql, const QStringList& args, const QString& script)
    {
        QProcess p;
        p.setProcessEnvironment(m_env);
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(isql, args);
        if (!p.waitForStarted(10000)) {
            m_problem = QStringLiteral("isql-fb did not start");
            return false;
        }
        p.write(script.toUtf8());
        p.closeWriteChannel();
        if (!p.waitForFinished(30000) || p.exitCode() != 0) {
            m_problem = QStringLiteral("the security database could not be made: %1")
                            .arg(QString::fromLocal8Bit(p.readAll()));
            return false;
        }
        return true;
    }

    static quint16 freePort()
    {
        const int s = ::socket(AF_INET, SOCK_STREAM, 0);
        if (s < 0)
            return 0;
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = 0;
        socklen_t len = sizeof addr;
        quint16 port = 0;
        if (::bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0
            && ::getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len) == 0)
            port = ntohs(addr.sin_port);
        ::close(s);
        return port;
    }

    static bool accepts(quint16 port)
    {
        const int s = ::socket(AF_INET, SOCK_STREAM, 0);
        if (s < 0)
            return false;
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = htons(port);
        const bool ok = ::connect(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
        ::close(s);
        return ok;
    }

    QTemporaryDir m_dir;
    QProcessEnvironment m_env;
    QProcess m_server;
    quint16 m_port = 0;
    bool m_running = false;
    QString m_problem;
};

} // namespace zeror::test
