#include "Startup.h"

#include "DbError.h"
#include "Dialogs.h"
#include "TicketNumberKey.h"
#include "IndexStatistics.h"
#include "TData.h"

#include <QDir>
#include <QFileInfo>

namespace zeror {

StartupOptions parseStartupOptions(const QStringList& arguments)
{
    StartupOptions options;
    options.database = qEnvironmentVariable("ZEROR_DATABASE");
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if ((a == QLatin1String("--database") || a == QLatin1String("-d")) && i + 1 < arguments.size())
            options.database = arguments[++i];
        else if (a.startsWith(QLatin1String("--database=")))
            options.database = a.mid(11);
        else if (a == QLatin1String("--no-splash"))
            options.splash = false;
        else if (a == QLatin1String("--show-hidden"))
            options.showHidden = true;
    }
    return options;
}

QString startupFailureMessage(const DbError& error, const QString& database)
{
    QString reason;
    switch (error.kind()) {
    case DbError::Kind::InUse:
        reason = QStringLiteral("Az adatbázist (%1) egy másik program már megnyitotta; zárja be azt, "
                                "és indítsa újra ezt a programot.")
                     .arg(database);
        break;
    case DbError::Kind::NotADatabase:
        reason = QStringLiteral("A(z) %1 fájl nem Firebird adatbázis.").arg(database);
        break;
    case DbError::Kind::NotFound:
        reason = QStringLiteral("Nem található: %1 (munkamappa: %2)")
                     .arg(database, QDir::toNativeSeparators(QDir::currentPath()));
        break;
    default:
        reason = error.message();
        break;
    }
    return QStringLiteral("Az adatbáziskezelöt nem találja.\rA program müködéséhez szükséges.\r\r") + reason;
}

bool openDataModule(TData& data, QWidget* parent)
{
    try {
        // A bare name that is not there is reported before the engine would create anything.
        const QString name = data.databaseName();
        if (!name.contains(QLatin1Char(':')) && !QFileInfo::exists(name))
            throw DbError(QStringLiteral("%1: No such file").arg(name), DbError::Kind::NotFound);
        data.open();
    } catch (const DbError& e) {
        ui::Dialogs::refusal(parent, startupFailureMessage(e, data.databaseName()));
        return false;
    }
    try {
        // A database made before ticket numbers had their unique key gets it now, unless it
        // already holds a number twice: those are listed for the operator to mend.
        const QList<ticketkey::DuplicateNumber> duplicates = ticketkey::ensureKey(data);
        if (!duplicates.isEmpty())
            ui::Dialogs::refusal(parent, ticketkey::duplicatesMessage(duplicates));
    } catch (const DbError& e) {
        ui::Dialogs::error(parent, QStringLiteral("A sorszámok egyediségét védő kulcs nem hozható létre:\n")
                                       + e.message());
    }
    try {
        data.openTables();
    } catch (const DbError& e) {
        ui::Dialogs::refusal(parent, startupFailureMessage(e, data.databaseName()));
        return false;
    }
    try {
        // Plans follow the stored index statistics; a year loaded since they were taken needs new ones.
        refreshIndexStatisticsIfStale(data);
    } catch (const DbError&) {
        // Without the right to recompute them the program still works, only slower.
    }
    return true;
}

} // namespace zeror
