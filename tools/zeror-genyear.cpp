// Creates a register database holding a generated year of tickets, for benchmarks and trials.
#include "DbError.h"
#include "YearGenerator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zeror-genyear"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Creates a new register database with a generated year: two buyers, 5,000 producers, 200 products, "
        "50,000 tickets and 150,000 lines by default (never overwrites an existing file)."));
    parser.addHelpOption();
    QCommandLineOption tickets(QStringLiteral("tickets"),
                               QStringLiteral("Number of tickets; producers, products and lines scale with it."),
                               QStringLiteral("n"), QStringLiteral("50000"));
    QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Seed of the generator (default 2016)."),
                            QStringLiteral("n"), QStringLiteral("2016"));
    parser.addOption(tickets);
    parser.addOption(seed);
    parser.addPositionalArgument(QStringLiteral("database"), QStringLiteral("File to create (default: ru2016.fdb)."));
    parser.process(app);

    bool ok = false;
    const int n = parser.value(tickets).toInt(&ok);
    if (!ok || n < 2) {
        std::fprintf(stderr, "--tickets needs a whole number of at least 2.\n");
        return 1;
    }
    const QStringList args = parser.positionalArguments();
    QString path = args.isEmpty() ? QStringLiteral("ru2016.fdb") : args.first();
    if (!path.contains(QLatin1Char(':')))
        path = QFileInfo(path).absoluteFilePath();
    if (QFileInfo::exists(path)) {
        std::fprintf(stderr, "%s already exists; nothing was changed.\n", qPrintable(QDir::toNativeSeparators(path)));
        return 1;
    }
    QElapsedTimer timer;
    timer.start();
    try {
        const auto size = n == 50000 ? zeror::yeargen::Size{} : zeror::yeargen::Size::forTickets(n);
        const auto s = zeror::yeargen::generateYear(path, size, parser.value(seed).toUInt(), [](const QString& step) {
            std::fprintf(stderr, "%s\n", qPrintable(step));
        });
        std::printf("Created %s in %.1f s: %d buyers, %d producers, %d products, %d tickets (%d voided, %d cash), "
                    "%d lines; last numbers %s and %s\n",
                    qPrintable(QDir::toNativeSeparators(path)), timer.elapsed() / 1000.0, s.buyers, s.producers,
                    s.products, s.tickets, s.voided, s.cashTickets, s.lines, qPrintable(s.firstBuyerLastNumber),
                    qPrintable(s.secondBuyerLastNumber));
    } catch (const zeror::Error& e) {
        std::fprintf(stderr, "Cannot create %s: %s\n", qPrintable(path), e.what());
        QFile::remove(path);
        return 2;
    }
    return 0;
}
