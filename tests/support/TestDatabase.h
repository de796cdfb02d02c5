#pragma once

#include "DatabaseSetup.h"
#include "QtPrinters.h"
#include "TData.h"

#include <QDir>
#include <QTemporaryDir>

#include <memory>

namespace zeror::test {

// A fresh database in a temporary folder that is also the working folder while the fixture lives,
// with the one data module of the process attached to it and the shared values emptied.
class TestDatabase
{
public:
    explicit TestDatabase(DatabaseSetup::Content content = DatabaseSetup::Content::Demo,
                          DatabaseSetup::Layout layout = DatabaseSetup::Layout::Current);
    ~TestDatabase();

    TData& data() { return *m_data; }
    QString folder() const { return m_dir.path(); }
    QString databasePath() const { return m_dir.filePath(QStringLiteral("ru2016.fdb")); }

    // Runs a statement and commits it, for preparing a test's rows.
    void exec(const QString& sql);
    // The first column of the first row of a SELECT, as text ("" for NULL or no row).
    QString scalar(const QString& sql);
    // Chooses a buyer by code the way the buyer selection does: the shared values are set.
    void chooseBuyer(const QString& code);

private:
    QTemporaryDir m_dir;
    QString m_previousDir;
    std::unique_ptr<TData> m_data;
};

} // namespace zeror::test
