// Creates a fresh register database from the schema, with the rows the program needs to run.
#include "DatabaseSetup.h"
#include "DbError.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zeror-initdb"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Creates a new purchase-ticket register database (never overwrites an existing file)."));
    parser.addHelpOption();
    QCommandLineOption demo(QStringLiteral("demo"), QStringLiteral("Add a realistic sample: buyers, producers, products."));
    parser.addOption(demo);
    QCommandLineOption oldLayout(QStringLiteral("old-layout"),
                                 QStringLiteral("Create the tables as older versions had them (no O_MNYPTAG and no "
                                                "O_FELIR, D_KAMARA of 10 characters), to try the schema upgrades on."));
    parser.addOption(oldLayout);
    parser.addPositionalArgument(QStringLiteral("database"), QStringLiteral("File to create (default: ru2016.fdb)."));
    parser.process(app);

    const QStringList args = parser.positionalArguments();
    QString path = args.isEmpty() ? QStringLiteral("ru2016.fdb") : args.first();
    if (!path.contains(QLatin1Char(':')))
        path = QFileInfo(path).absoluteFilePath();
    if (QFileInfo::exists(path)) {
        std::fprintf(stderr, "%s already exists; nothing was changed.\n", qPrintable(QDir::toNativeSeparators(path)));
        return 1;
    }
    try {
        zeror::DatabaseSetup::createDatabase(path, parser.isSet(demo) ? zeror::DatabaseSetup::Content::Demo
                                                                       : zeror::DatabaseSetup::Content::Minimal,
                                            parser.isSet(oldLayout) ? zeror::DatabaseSetup::Layout::BeforeUpgrades
                                                                    : zeror::DatabaseSetup::Layout::Current);
    } catch (const zeror::DbError& e) {
        std::fprintf(stderr, "Cannot create %s: %s\n", qPrintable(path), e.what());
        return 2;
    }
    std::printf("Created %s\n", qPrintable(QDir::toNativeSeparators(path)));
    return 0;
}
