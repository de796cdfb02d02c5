// The tax-audit XML screen: its tabs and settings, collection and export through the buttons, the
// schema check, the XML and XSD tabs, and that opening it keeps the previous export.
#include "AuditXmlFixture.h"
#include "AuditXmlScreens.h"
#include "AuditXmlSettings.h"
#include "Clock.h"
#include "Dialogs.h"
#include "QueryGrid.h"
#include "ScreenRegistry.h"
#include "SharedState.h"
#include "TForm40.h"
#include "TestDatabase.h"
#include "WinPaths.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace zeror;
using ui::Dialogs;

namespace {

std::string str(const QString& s)
{
    return s.toStdString();
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void grab(QWidget* w, const QString& name)
{
    QDir().mkpath(QStringLiteral(ZEROR_SCREENSHOTS_DIR));
    w->grab().save(QStringLiteral(ZEROR_SCREENSHOTS_DIR "/") + name + QStringLiteral(".png"));
}

class AuditXmlScreen : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Dialogs::clear();
        test::insertAuditFixture(db);
        db.chooseBuyer(QStringLiteral("00001"));
        clock::setFixedDate(QDate(2016, 3, 31));
        paths::setWindowsRoot(QDir(db.folder()).filePath(QStringLiteral("c")));
        ini = QDir(db.folder()).filePath(QStringLiteral("zerorXML.ini"));
        auditxml::setSettingsFilePath(ini);
        xml = paths::localPath(QStringLiteral("C:\\RU2016\\szamlak.xml"));
    }
    void TearDown() override
    {
        clock::setFixed(QDateTime());
        paths::setWindowsRoot(QString());
        auditxml::setSettingsFilePath(QString());
        Dialogs::clear();
    }

    // Collects March by the date made out and exports it through the buttons.
    void collectAndExport(TForm40& form)
    {
        form.fromDate()->setDate(QDate(2016, 3, 1));
        form.toDate()->setDate(QDate(2016, 3, 31));
        QTest::mouseClick(form.collectButton(), Qt::LeftButton);
        ASSERT_TRUE(form.exportButton()->isEnabled()) << str(Dialogs::shownTexts().join(QLatin1Char('|')));
        QTest::mouseClick(form.exportButton(), Qt::LeftButton);
    }

    test::TestDatabase db{DatabaseSetup::Content::Minimal};
    QString ini;
    QString xml;
};

TEST_F(AuditXmlScreen, OpensWithTheSettingsAndKeepsThePreviousExport)
{
    QDir().mkpath(QFileInfo(xml).absolutePath());
    QFile previous(xml);
    ASSERT_TRUE(previous.open(QIODevice::WriteOnly));
    previous.write("previous export");
    previous.close();

    TForm40 form(db.data());
    EXPECT_EQ(str(form.windowTitle()), "Adóhatósági ellenőrzési adatszolgáltatás");
    QStringList tabs;
    for (int i = 0; i < form.tabs()->count(); ++i)
        tabs << form.tabs()->tabText(i);
    EXPECT_EQ(str(tabs.join(QLatin1Char('|'))), "Adatszolgáltatás|Beállítás|XML|XSD|Leírás");
    // No ini file yet: the captions' defaults.
    EXPECT_EQ(str(form.pathEdit()->text()), "C:\\RU2016\\szamlak.xml");
    EXPECT_EQ(str(form.onszlaEdit()->text()), "true");
    EXPECT_EQ(str(form.papirEdit()->text()), "Papir alapon számítógéppel kiállított");
    EXPECT_EQ(str(form.realPathLabel()->text()), str(QDir::toNativeSeparators(xml)));
    EXPECT_EQ(form.fromDate()->date(), QDate(2016, 3, 31));
    EXPECT_EQ(form.toDate()->date(), QDate(2016, 3, 31));
    EXPECT_TRUE(form.byDateRadio()->isChecked());
    EXPECT_TRUE(form.issueDateRadio()->isChecked());
    EXPECT_TRUE(form.optionalCheck()->isChecked());
    EXPECT_TRUE(form.selfBillingCheck()->isChecked());
    EXPECT_FALSE(form.exportButton()->isEnabled());
    EXPECT_TRUE(readAll(xml) == "previous export");

    // The number fields take digits only.
    form.fromNumberEdit()->setFocus();
    QTest::keyClicks(form.fromNumberEdit(), QStringLiteral("2016a0001"));
    EXPECT_EQ(str(form.fromNumberEdit()->text()), "20160001");
}

TEST_F(AuditXmlScreen, SettingsFollowTheFieldsAndAreSaved)
{
    TForm40 form(db.data());
    form.selfBillingCheck()->click();
    EXPECT_EQ(str(form.onszlaEdit()->text()), "false");
    form.papirEdit()->clear();
    QTest::keyClicks(form.papirEdit(), QStringLiteral("E-szamla"));
    form.pathEdit()->setText(QStringLiteral("C:\\RU2016\\marcius.xml"));
    EXPECT_EQ(str(form.settings().papir), "E-szamla");
    form.findChild<QPushButton*>(QStringLiteral("saveButton"))->click();
    QSettings saved(ini, QSettings::IniFormat);
    EXPECT_EQ(str(saved.value(QStringLiteral("XML/hova")).toString()), "C:\\RU2016\\marcius.xml");
    EXPECT_EQ(str(saved.value(QStringLiteral("XML/onszla")).toString()), "false");
    EXPECT_EQ(str(saved.value(QStringLiteral("XML/papir")).toString()), "E-szamla");

    // The typed "papir" text is what the collection stores.
    form.fromDate()->setDate(QDate(2016, 3, 1));
    QTest::mouseClick(form.collectButton(), Qt::LeftButton);
    EXPECT_EQ(str(db.scalar(QStringLiteral("SELECT FIRST 1 ne_szla_forma FROM navfej"))), "E-szamla");
    EXPECT_EQ(str(db.scalar(QStringLiteral("SELECT FIRST 1 za_onszamla FROM navfej"))), "false");

    TForm40 again(db.data());
    EXPECT_EQ(str(again.pathEdit()->text()), "C:\\RU2016\\marcius.xml");
    EXPECT_FALSE(again.selfBillingCheck()->isChecked());
}

TEST_F(AuditXmlScreen, CollectExportAndCheckThroughTheButtons)
{
    TForm40 form(db.data());
    form.resize(1000, 700);
    form.show();
    collectAndExport(form);
    const QStringList shown = Dialogs::shownTexts();
    ASSERT_EQ(shown.size(), 2) << str(shown.join(QLatin1Char('|')));
    EXPECT_EQ(str(shown[0]), "1.A FEJ adatok kigyűjtése vége.\n2. Folytatás az \"EXPORT\" gombra.");
    EXPECT_EQ(str(shown[1]), str(QStringLiteral("3.Az \"EXPORT\" vége.\nAdatok a \"") + QDir::toNativeSeparators(xml)
                                 + QStringLiteral("\" fáljban.")));
    EXPECT_TRUE(readAll(xml).startsWith("\xEF\xBB\xBF<?xml"));
    EXPECT_EQ(str(form.fromNumberEdit()->text()), "20160001");
    EXPECT_EQ(str(form.toNumberEdit()->text()), "20160004");
    EXPECT_EQ(form.grid()->model()->rowCount(), 4);
    grab(&form, QStringLiteral("auditxml_adatszolgaltatas"));

    Dialogs::clear();
    QTest::mouseClick(form.checkButton(), Qt::LeftButton);
    EXPECT_EQ(str(Dialogs::shownTexts().join(QLatin1Char('|'))), "rendben");
    EXPECT_EQ(str(form.checkResults()->toPlainText()), "rendben");

    form.tabs()->setCurrentIndex(2);
    form.findChild<QPushButton*>(QStringLiteral("loadXmlButton"))->click();
    EXPECT_TRUE(form.xmlText()->toPlainText().startsWith(QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>")));
    form.findChild<QPushButton*>(QStringLiteral("copyXmlButton"))->click();
    EXPECT_EQ(QApplication::clipboard()->text(), form.xmlText()->toPlainText());
    grab(&form, QStringLiteral("auditxml_xml"));

    form.tabs()->setCurrentIndex(1);
    grab(&form, QStringLiteral("auditxml_beallitas"));
    form.tabs()->setCurrentIndex(4);
    grab(&form, QStringLiteral("auditxml_leiras"));
}

TEST_F(AuditXmlScreen, InvalidFileIsListedOnTheXmlTab)
{
    test::insertAuditTicket(db, "20160005", "00001", "10001", "2016-03-04", "2016-03-04", "2016-03-04", " ", 0, "0",
                            "0", "1", "");
    TForm40 form(db.data());
    form.resize(1000, 700);
    form.show();
    collectAndExport(form);
    Dialogs::clear();
    QTest::mouseClick(form.checkButton(), Qt::LeftButton);
    ASSERT_EQ(Dialogs::shown().size(), 1);
    EXPECT_EQ(Dialogs::shown()[0].kind, Dialogs::Kind::Error);
    EXPECT_TRUE(Dialogs::lastText().startsWith(QStringLiteral("Hiba a(z) "))) << str(Dialogs::lastText());
    EXPECT_TRUE(form.checkResults()->toPlainText().contains(QStringLiteral("zaradekok")));
    EXPECT_EQ(form.tabs()->currentIndex(), 2);
    // Double-clicking the problem shows the line it names.
    EXPECT_FALSE(form.goToProblem(5));
    QTest::mouseDClick(form.checkResults()->viewport(), Qt::LeftButton, {}, QPoint(20, 8));
    EXPECT_TRUE(form.xmlText()->textCursor().selectedText().contains(QStringLiteral("<zaradekok>")))
        << str(form.xmlText()->textCursor().selectedText());
    grab(&form, QStringLiteral("auditxml_xml_hibas"));
}

TEST_F(AuditXmlScreen, RefusalsAndMessages)
{
    TForm40 form(db.data());
    // Dates the wrong way round.
    form.fromDate()->setDate(QDate(2016, 3, 31));
    form.toDate()->setDate(QDate(2016, 3, 1));
    QTest::mouseClick(form.collectButton(), Qt::LeftButton);
    EXPECT_EQ(str(Dialogs::lastText()), "Dátum tól-ig hiba.");
    EXPECT_FALSE(form.exportButton()->isEnabled());

    // Nothing in the range: the export explains why no file is made.
    Dialogs::clear();
    form.fromDate()->setDate(QDate(2016, 5, 1));
    form.toDate()->setDate(QDate(2016, 5, 31));
    QTest::mouseClick(form.collectButton(), Qt::LeftButton);
    QTest::mouseClick(form.exportButton(), Qt::LeftButton);
    EXPECT_TRUE(Dialogs::lastText().startsWith(QStringLiteral("Nincs kigyűjtött bizonylat"))) << str(Dialogs::lastText());
    EXPECT_FALSE(QFile::exists(xml));

    // The XML and XSD tabs without files.
    Dialogs::clear();
    form.findChild<QPushButton*>(QStringLiteral("loadXmlButton"))->click();
    EXPECT_EQ(str(Dialogs::lastText()), "Nincs \"szamlak.XML\" fálj!");
    form.findChild<QPushButton*>(QStringLiteral("loadXsdButton"))->click();
    EXPECT_EQ(str(Dialogs::lastText()), "Nincs \"23_2014_szamlasema.xsd\" fálj!");

    // With the schema in the working folder the XSD tab shows it.
    ASSERT_TRUE(QFile::copy(QStringLiteral(ZEROR_SHIPPED_SCHEMA), QDir(db.folder()).filePath(QStringLiteral("23_2014_szamlasema.xsd"))));
    form.findChild<QPushButton*>(QStringLiteral("loadXsdButton"))->click();
    EXPECT_TRUE(form.xsdText()->toPlainText().contains(QStringLiteral("szamlak_tipus")));
    form.findChild<QPushButton*>(QStringLiteral("copyXsdButton"))->click();
    EXPECT_EQ(QApplication::clipboard()->text(), form.xsdText()->toPlainText());
    form.resize(1000, 700);
    form.tabs()->setCurrentIndex(3);
    grab(&form, QStringLiteral("auditxml_xsd"));

    // "Tallóz": the chosen name goes into the path field; nothing is deleted.
    Dialogs::queueFileName(QDir(db.folder()).filePath(QStringLiteral("masik.xml")));
    form.findChild<QPushButton*>(QStringLiteral("browseButton"))->click();
    EXPECT_EQ(str(form.xmlFilePath()), str(QDir(db.folder()).filePath(QStringLiteral("masik.xml"))));
}

TEST_F(AuditXmlScreen, RegisteredForItsMenuItem)
{
    registerAuditXmlScreens();
    EXPECT_TRUE(ui::hasScreen(QStringLiteral("Adhatgiellenrzsiadatszolgltats1")));
}

} // namespace
