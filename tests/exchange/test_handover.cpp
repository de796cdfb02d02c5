// The inventory hand-over XML (query, value rules, the file against its reference, the copy) and
// the support mail (the link, the attachment command), with their screens.
#include "Clock.h"
#include "DesktopShell.h"
#include "Dialogs.h"
#include "HandOverScreens.h"
#include "InventoryXml.h"
#include "QueryGrid.h"
#include "ScreenRegistry.h"
#include "SupportMail.h"
#include "TForm27.h"
#include "TForm41.h"
#include "ModalDriver.h"
#include "TestDatabase.h"
#include "WinPaths.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

using namespace zeror;
using ui::Dialogs;

namespace {

const QString kDataDir = QStringLiteral(ZEROR_EXCHANGE_DATA) + QStringLiteral("/inventory");

void saveShot(QWidget& w, const char* name)
{
    const QString dir = QStringLiteral(ZEROR_SCREENSHOTS_DIR);
    QDir().mkpath(dir);
    w.show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(w.grab().save(dir + QLatin1Char('/') + QString::fromLatin1(name)));
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(InventoryValueText, FollowsTheRulesOfEachKind)
{
    using inventory::ValueKind;
    struct Case
    {
        ValueKind kind;
        QVariant value;
        const char* text;
    };
    const Case cases[] = {
        {ValueKind::Text, QStringLiteral("Búza"), "Búza"},
        {ValueKind::Text, QString(), "null"},
        {ValueKind::Text, QVariant(), "null"},
        {ValueKind::Text, QStringLiteral(" "), " "},
        {ValueKind::Decimal, 100.5, "100,5"},
        {ValueKind::Decimal, 5226.0, "5226"},
        {ValueKind::Decimal, 0.0, "0"},
        {ValueKind::Decimal, -10.25, "0"},
        {ValueKind::Decimal, QVariant(), "0"},
        {ValueKind::Integer, 42, "42"},
        {ValueKind::Integer, -3, "0"},
        {ValueKind::Date, QDate(2016, 3, 15), "03.15.2016"},
        {ValueKind::Date, QDate(2016, 12, 1), "12.01.2016"},
        {ValueKind::Date, QVariant(), "01.01.1900"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(inventory::valueText(c.kind, c.value), QString::fromUtf8(c.text));
    }
}

class InventoryFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Dialogs::clear();
        clock::setFixedDate(QDate(2016, 3, 20));
        paths::setWindowsRoot(db.folder() + QStringLiteral("/root"));
        db.chooseBuyer(QStringLiteral("00001"));
        // Buyer 00001: two tickets in March (one without a producer) and one in April.
        ticket(1, "20160001", "00001", "'00001'", "2016-03-15");
        line(1, "20160001", "00001", "'Búza'", "100.5", "52", "'B-1'", "00001");
        line(2, "20160001", "00002", "''", "0", "48", "NULL", "00001");
        ticket(2, "20160002", "00001", "NULL", "2016-03-16");
        line(3, "20160002", "00003", "'Méz <&> \"akác\"'", "-10", "1150", "'B-2'", "00001");
        ticket(3, "20160003", "00001", "'00002'", "2016-04-02");
        line(4, "20160003", "00001", "'Búza'", "7", "52", "'B-3'", "00001");
        // Buyer 00002 uses the number 20160001 too, on another day and producer.
        ticket(4, "20160001", "00002", "'00003'", "2016-03-10");
        line(5, "20160001", "00001", "'Búza'", "9", "50", "'X-1'", "00002");
    }
    void TearDown() override
    {
        clock::setFixed(QDateTime());
        paths::setWindowsRoot(QString());
    }
    void ticket(int id, const char* number, const char* buyer, const char* producer, const char* day)
    {
        db.exec(QStringLiteral("INSERT INTO fjfej (id_fjfej, f_bszam, f_akod, f_ostermkod, f_kelt, f_felvkelt, f_tipus) "
                               "VALUES (%1, '%2', '%3', %4, DATE '%5', DATE '%5', '1')")
                    .arg(id)
                    .arg(QLatin1String(number), QLatin1String(buyer), QLatin1String(producer), QLatin1String(day)));
    }
    void line(int id, const char* number, const char* product, const char* name, const char* gross, const char* price,
              const char* voucher, const char* buyer)
    {
        db.exec(QStringLiteral("INSERT INTO fjsor (id_fjsor, s_bszam, s_termekkod, s_megnevezes, s_vtsz, s_levonszaz, "
                               "s_brutto, s_megy, s_ear, s_akod, s_bizonylat) "
                               "VALUES (%1, '%2', '%3', %4, '1001', 0, %5, 'kg', %6, '%7', %8)")
                    .arg(id)
                    .arg(QLatin1String(number), QLatin1String(product), QString::fromUtf8(name), QLatin1String(gross),
                         QLatin1String(price), QLatin1String(buyer), QLatin1String(voucher)));
    }
    QByteArray xmlOf(const QDate& from, const QDate& to)
    {
        inventory::gather(db.data().ZQ20, from, to, QStringLiteral("00001"));
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        inventory::writeXml(db.data().ZQ20, &buffer);
        return buffer.data();
    }

    test::TestDatabase db;
};

TEST_F(InventoryFixture, TheMonthsLinesMatchTheReferenceFile)
{
    const QByteArray xml = xmlOf(QDate(2016, 3, 1), QDate(2016, 3, 31));
    const QByteArray reference = readAll(kDataDir + QStringLiteral("/zeror_keszlethez.xml"));
    ASSERT_FALSE(reference.isEmpty());
    EXPECT_EQ(xml, reference) << "written:\n" << xml.constData();
    // No declaration, no whitespace between the elements.
    EXPECT_FALSE(xml.startsWith("<?xml"));
    EXPECT_FALSE(xml.contains('\n'));
    EXPECT_FALSE(xml.contains("> <"));
}

TEST_F(InventoryFixture, AnIndependentReaderAcceptsTheFile)
{
    const QString xmllint = QStandardPaths::findExecutable(QStringLiteral("xmllint"));
    if (xmllint.isEmpty())
        GTEST_SKIP() << "xmllint (libxml2-utils) is not installed";
    inventory::gather(db.data().ZQ20, QDate(2016, 3, 1), QDate(2016, 3, 31), QStringLiteral("00001"));
    inventory::writeXmlFile(db.data().ZQ20, inventory::workingFile());
    QProcess p;
    p.start(xmllint, {QStringLiteral("--xpath"), QStringLiteral("string(/zeror_keszlethez/Records[3]/S_MEGNEVEZES)"),
                      inventory::workingFile()});
    ASSERT_TRUE(p.waitForFinished());
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().constData();
    EXPECT_EQ(QString::fromUtf8(p.readAllStandardOutput()).trimmed(), QStringLiteral("Méz <&> \"akác\""));
}

TEST_F(InventoryFixture, PeriodBoundsAndBuyerDecideTheLines)
{
    // Both bounds are included; the other buyer's line under the same number never comes.
    inventory::gather(db.data().ZQ20, QDate(2016, 3, 15), QDate(2016, 3, 15), QStringLiteral("00001"));
    EXPECT_EQ(db.data().ZQ20.rowCount(), 2);
    inventory::gather(db.data().ZQ20, QDate(2016, 3, 1), QDate(2016, 4, 30), QStringLiteral("00001"));
    EXPECT_EQ(db.data().ZQ20.rowCount(), 4);
    inventory::gather(db.data().ZQ20, QDate(2016, 3, 1), QDate(2016, 3, 31), QStringLiteral("00002"));
    ASSERT_EQ(db.data().ZQ20.rowCount(), 1);
    EXPECT_EQ(db.data().ZQ20.text(QStringLiteral("O_KOD")), QStringLiteral("00003"));
    EXPECT_EQ(db.data().ZQ20.date(QStringLiteral("F_FELVKELT")), QDate(2016, 3, 10));
}

TEST_F(InventoryFixture, AnEmptyPeriodGivesTheRootAlone)
{
    EXPECT_EQ(xmlOf(QDate(2016, 1, 1), QDate(2016, 1, 31)), QByteArray("<zeror_keszlethez/>"));
}

TEST_F(InventoryFixture, HandOverReplacesTheTargetOrReportsWhyNot)
{
    const QString source = db.folder() + QStringLiteral("/source.xml");
    QFile s(source);
    ASSERT_TRUE(s.open(QIODevice::WriteOnly));
    s.write("<zeror_keszlethez/>");
    s.close();
    const QString folder = db.folder() + QStringLiteral("/keszlet");
    QDir().mkpath(folder);
    const QString target = folder + QStringLiteral("/zeror_keszlethez.xml");
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an older, longer hand-over file");
    old.close();

    inventory::handOver(source, target);
    EXPECT_EQ(readAll(target), QByteArray("<zeror_keszlethez/>"));

    EXPECT_THROW(inventory::handOver(source, db.folder() + QStringLiteral("/nincs/zeror_keszlethez.xml")), Error);
    EXPECT_THROW(inventory::handOver(db.folder() + QStringLiteral("/missing.xml"), target), Error);
    EXPECT_EQ(readAll(target), QByteArray("<zeror_keszlethez/>"));
}

TEST_F(InventoryFixture, ScreenGathersWritesAndHandsOver)
{
    registerHandOverScreens();
    EXPECT_TRUE(ui::hasScreen(QStringLiteral("Adattadskszlethez1")));
    TForm41 form(db.data());
    form.show();
    QCoreApplication::processEvents();
    // Every showing starts from today, with nothing to hand over yet.
    EXPECT_EQ(form.fromEdit()->date(), QDate(2016, 3, 20));
    EXPECT_EQ(form.toEdit()->date(), QDate(2016, 3, 20));
    EXPECT_FALSE(form.handOverButton()->isEnabled());
    const QString mapped = QDir::toNativeSeparators(db.folder() + QStringLiteral("/root/keszlet2016/zeror_keszlethez.xml"));
    EXPECT_EQ(form.targetEdit()->text(), mapped);

    form.fromEdit()->setDate(QDate(2016, 3, 1));
    form.toEdit()->setDate(QDate(2016, 3, 31));
    QTest::mouseClick(form.gatherButton(), Qt::LeftButton);
    EXPECT_EQ(form.grid()->model()->rowCount(), 3);
    EXPECT_TRUE(form.handOverButton()->isEnabled());
    EXPECT_EQ(readAll(QDir::current().filePath(QStringLiteral("zeror_keszlethez.xml"))),
              readAll(kDataDir + QStringLiteral("/zeror_keszlethez.xml")));
    EXPECT_TRUE(Dialogs::shownTexts().isEmpty());
    saveShot(form, "inventory-handover.png");

    // The target folder does not exist yet: the failure is reported and the screen stays.
    QTest::mouseClick(form.handOverButton(), Qt::LeftButton);
    ASSERT_EQ(Dialogs::shown().size(), 1);
    EXPECT_EQ(Dialogs::shown().first().kind, Dialogs::Kind::Error);
    EXPECT_NE(Dialogs::lastText(), inventory::kCopiedMessage);
    EXPECT_TRUE(form.isVisible());

    Dialogs::clear();
    QDir().mkpath(db.folder() + QStringLiteral("/root/keszlet2016"));
    QTest::mouseClick(form.handOverButton(), Qt::LeftButton);
    EXPECT_EQ(Dialogs::shownTexts(), QStringList{inventory::kCopiedMessage});
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(readAll(QDir::fromNativeSeparators(mapped)), readAll(kDataDir + QStringLiteral("/zeror_keszlethez.xml")));

    // Shown again: today's dates, and "Adatátadás" waits for a new gathering.
    form.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(form.fromEdit()->date(), QDate(2016, 3, 20));
    EXPECT_FALSE(form.handOverButton()->isEnabled());
}

TEST_F(InventoryFixture, MenuItemsOpenTheirScreens)
{
    registerHandOverScreens();
    const std::pair<const char*, const char*> cases[] = {{"Adattadskszlethez1", "Adatátadás a készlethez"},
                                                         {"Adatokkldse1", "Adatok elküldése  emailben"}};
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

TEST_F(InventoryFixture, AFailedWriteLeavesNothingToHandOver)
{
    // A folder in the way of the working file makes the write fail.
    QDir().mkpath(QDir::current().filePath(QStringLiteral("zeror_keszlethez.xml")));
    TForm41 form(db.data());
    form.show();
    form.fromEdit()->setDate(QDate(2016, 3, 1));
    form.toEdit()->setDate(QDate(2016, 3, 31));
    QTest::mouseClick(form.gatherButton(), Qt::LeftButton);
    ASSERT_EQ(Dialogs::shown().size(), 1);
    EXPECT_EQ(Dialogs::shown().first().kind, Dialogs::Kind::Error);
    EXPECT_FALSE(form.handOverButton()->isEnabled());
}

// ---- the support mail ----

class SupportMailFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Dialogs::clear();
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        QFile db(m_dir.filePath(QStringLiteral("ru2016.fdb")));
        ASSERT_TRUE(db.open(QIODevice::WriteOnly));
        db.write("database");
        ui::desktop::setOpenUrlHook([this](const QUrl& url) {
            opened << url;
            return true;
        });
        ui::desktop::setStartProgramHook([this](const QString& program, const QStringList& args, const QString&) {
            started << (QStringList{program} + args);
            return true;
        });
        ui::desktop::setFindProgramHook([this](const QString& name) {
            return mailProgramInstalled ? QStringLiteral("/usr/bin/") + name : QString();
        });
    }
    void TearDown() override
    {
        ui::desktop::setOpenUrlHook({});
        ui::desktop::setStartProgramHook({});
        ui::desktop::setFindProgramHook({});
        QDir::setCurrent(m_previous);
    }
    QString dbPath() const { return QDir::toNativeSeparators(m_dir.filePath(QStringLiteral("ru2016.fdb"))); }

    QTemporaryDir m_dir;
    QString m_previous;
    QList<QUrl> opened;
    QList<QStringList> started;
    bool mailProgramInstalled = true;
};

TEST_F(SupportMailFixture, TheMailLinkReadsAsWordedOnceDecoded)
{
    const QString link = supportmail::mailLink();
    // Encoded: nothing a mail program could cut at.
    for (const QChar c : link)
        EXPECT_TRUE(c.unicode() > 32 && c.unicode() < 127) << "unencoded character in " << link.toStdString();
    EXPECT_EQ(QUrl::fromPercentEncoding(link.toLatin1()),
              QStringLiteral("mailto:ugyfelszolgalat@zeror.hu?subject=Zeror adatok &body=Zeror 2016 adatok elküldése "
                             "ellenőrzésre. Figyelmeztetés: csatolt fálj mellékelni kell! "));
    const QUrl url = QUrl::fromEncoded(link.toLatin1(), QUrl::StrictMode);
    EXPECT_TRUE(url.isValid());
    EXPECT_EQ(url.path(), supportmail::kSupportAddress);
}

TEST_F(SupportMailFixture, TheFolderGivesItsDatabaseOnly)
{
    EXPECT_EQ(supportmail::databaseFileIn(m_dir.path()), dbPath());
    QTemporaryDir other;
    QFile backup(other.filePath(QStringLiteral("2016_03_05_14_07.FDB")));
    ASSERT_TRUE(backup.open(QIODevice::WriteOnly));
    QFile upper(other.filePath(QStringLiteral("RU2016.FDB")));
    ASSERT_TRUE(upper.open(QIODevice::WriteOnly));
    EXPECT_EQ(supportmail::databaseFileIn(other.path()), QString());
    EXPECT_EQ(supportmail::databaseFileIn(QString()), QString());
}

TEST_F(SupportMailFixture, ScreenSendsCopiesAndRefuses)
{
    registerHandOverScreens();
    EXPECT_TRUE(ui::hasScreen(QStringLiteral("Adatokkldse1")));
    TForm27 form;
    form.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(form.folderEdit()->text(), QDir::toNativeSeparators(QDir::currentPath()));
    EXPECT_EQ(form.fileEdit()->text(), dbPath());
    saveShot(form, "support-mail.png");

    QTest::mouseClick(form.send2Button(), Qt::LeftButton);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(QString::fromLatin1(opened.first().toEncoded()), supportmail::mailLink());

    QTest::mouseClick(form.copyButton(), Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), dbPath());

    QTest::mouseClick(form.send1Button(), Qt::LeftButton);
    ASSERT_EQ(started.size(), 1);
    EXPECT_EQ(started.first(),
              (QStringList{QStringLiteral("/usr/bin/xdg-email"), QStringLiteral("--subject"), supportmail::kMailSubject,
                           QStringLiteral("--body"), supportmail::kMailBody, QStringLiteral("--attach"),
                           QDir::fromNativeSeparators(dbPath()), supportmail::kSupportAddress}));
    EXPECT_TRUE(Dialogs::shownTexts().isEmpty());

    mailProgramInstalled = false;
    QTest::mouseClick(form.send1Button(), Qt::LeftButton);
    EXPECT_EQ(Dialogs::shownTexts(), QStringList{supportmail::noMailProgramMessage(dbPath())});
    EXPECT_EQ(started.size(), 1);

    // A folder without the database empties the field; "Küldés1" then refuses.
    Dialogs::clear();
    QTemporaryDir empty;
    Dialogs::queueFileName(empty.path());
    QTest::mouseClick(form.browseButton(), Qt::LeftButton);
    EXPECT_EQ(form.fileEdit()->text(), QString());
    QTest::mouseClick(form.send1Button(), Qt::LeftButton);
    ASSERT_EQ(Dialogs::shown().size(), 1);
    EXPECT_EQ(Dialogs::shown().first().kind, Dialogs::Kind::Refusal);
    EXPECT_EQ(Dialogs::lastText(), QStringLiteral("Nincs kiválasztva! "));
}

} // namespace
