// The ticket line screen driven through its real widgets against a real database.
#include "TForm10.h"
#include "TicketEntry.h"
#include "TicketEntryLine.h"

#include "Dialogs.h"
#include "SharedState.h"
#include "test_ticketentry_support.h"

#include <QDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace zeror;
using namespace zeror::test;
using namespace zeror::ticketentry;
using zeror::ui::Dialogs;

namespace {

class LineScreen : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db = std::make_unique<TestDatabase>();
        db->chooseBuyer(QStringLiteral("00001"));
        registerProductPicker(QStringLiteral("00001")); // Búza, 1001, 48,5 kg, 7 %
        Dialogs::clear();
    }
    void TearDown() override
    {
        form.reset();
        Dialogs::clear();
        db.reset();
    }

    void writeForm10(const QByteArray& content)
    {
        writeFile(QDir(db->folder()).filePath(QStringLiteral("form10.ini")), content);
    }

    TForm10* open(const QString& mode, const QString& number = QStringLiteral("20160001"),
                  const QString& weight = QStringLiteral("0"))
    {
        sharedState().lineEntryMode = mode;
        form = std::make_unique<TForm10>(LineScreenContext{number, weight, QStringLiteral("00001")});
        form->show();
        return form.get();
    }

    QString lineColumn(const QString& col)
    {
        return db->scalar(QStringLiteral("SELECT %1 FROM fjsor ORDER BY id_fjsor").arg(col));
    }
    QString lineCount() { return db->scalar(QStringLiteral("SELECT COUNT(*) FROM fjsor")); }

    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<TForm10> form;
};

TEST_F(LineScreen, NewLineCopiesTheProductAndStoresANegativeQuantity)
{
    TForm10* f = open(NewLineMode, QStringLiteral("20160001"), QStringLiteral("2,5"));
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Ravuraruvida reva tételsor"));
    EXPECT_EQ(lineEdit(f, "numberEdit")->text(), QStringLiteral("20160001"));
    EXPECT_TRUE(lineEdit(f, "Edit10")->isHidden()); // no form10.ini
    EXPECT_TRUE(lineEdit(f, "Edit8")->text().isEmpty());

    lineEdit(f, "nameEdit")->setText(QStringLiteral("Bú"));
    button(f, "productButton")->click();
    EXPECT_EQ(sharedState().productSearchText, QStringLiteral("Bú"));
    EXPECT_EQ(lineEdit(f, "nameEdit")->text(), QStringLiteral("Búza"));
    EXPECT_EQ(lineEdit(f, "vtszEdit")->text(), QStringLiteral("1001"));
    EXPECT_EQ(lineEdit(f, "unitEdit")->text(), QStringLiteral("kg"));
    EXPECT_EQ(lineEdit(f, "unitPriceEdit")->text(), QStringLiteral("48,5"));
    EXPECT_EQ(lineEdit(f, "Edit8")->text(), QStringLiteral("7"));
    EXPECT_EQ(lineEdit(f, "codeEdit")->text(), QStringLiteral("00001"));
    EXPECT_EQ(f->focusWidget(), lineEdit(f, "quantityEdit"));

    QTest::keyClicks(lineEdit(f, "quantityEdit"), QStringLiteral("-3,5"));
    EXPECT_EQ(lineEdit(f, "quantityEdit")->text(), QStringLiteral("-3,5"));
    button(f, "okButton")->click();
    EXPECT_TRUE(Dialogs::shownTexts().isEmpty()) << Dialogs::lastText().toStdString();
    EXPECT_EQ(f->result(), QDialog::Accepted);
    EXPECT_EQ(lineColumn(QStringLiteral("s_brutto")), QStringLiteral("-3,5"));
    EXPECT_EQ(lineColumn(QStringLiteral("s_bszam")), QStringLiteral("20160001"));
    EXPECT_EQ(lineColumn(QStringLiteral("s_termekkod")), QStringLiteral("00001"));
    EXPECT_EQ(lineColumn(QStringLiteral("s_megnevezes")), QStringLiteral("Búza"));
    EXPECT_EQ(lineColumn(QStringLiteral("s_ear")), QStringLiteral("48,5"));
    EXPECT_EQ(lineColumn(QStringLiteral("s_kompmerteke")), QStringLiteral("7"));
    EXPECT_EQ(lineColumn(QStringLiteral("s_akod")), QStringLiteral("00001"));
    EXPECT_EQ(lineColumn(QStringLiteral("s_levonszaz")), QStringLiteral("2,5"));
    EXPECT_TRUE(db->scalar(QStringLiteral("SELECT s_vetelar FROM fjsor")).startsWith(u'-'));
    // The entry screen's grid and producer panel are open again.
    EXPECT_EQ(db->data().ZQ20.rowCount(), 1);
    EXPECT_EQ(db->data().ZQ30.text(QStringLiteral("O_KOD")), QStringLiteral("00001"));
}

TEST_F(LineScreen, SettingsGiveTheDocumentFieldAndTheRateOfANewLine)
{
    writeForm10("[Form10]\nEdit10Visible=1\nEdit8Text=12\n");
    TForm10* f = open(NewLineMode);
    EXPECT_FALSE(lineEdit(f, "Edit10")->isHidden());
    EXPECT_EQ(lineEdit(f, "Edit8")->text(), QStringLiteral("12"));

    insertLine(*db, QStringLiteral("20160001"), QStringLiteral("10"), QStringLiteral("100"), QStringLiteral("7"));
    openTicketLines(db->data().ZQ20, QStringLiteral("20160001"));
    f = open(ModifyLineMode);
    ASSERT_TRUE(f->loadLine());
    EXPECT_EQ(lineEdit(f, "Edit8")->text(), QStringLiteral("7")); // a changed line keeps its stored rate
}

TEST_F(LineScreen, ChangedLineIsUpdatedInPlace)
{
    insertLine(*db, QStringLiteral("20160001"), QStringLiteral("10.25"), QStringLiteral("100"), QStringLiteral("12"));
    insertLine(*db, QStringLiteral("20160001"), QStringLiteral("1"), QStringLiteral("1"));
    openTicketLines(db->data().ZQ20, QStringLiteral("20160001"));
    const QString id = db->data().ZQ20.text(QStringLiteral("ID_FJSOR"));
    TForm10* f = open(ModifyLineMode);
    ASSERT_TRUE(f->loadLine());
    EXPECT_EQ(lineEdit(f, "idEdit")->text(), id);
    EXPECT_EQ(lineEdit(f, "quantityEdit")->text(), QStringLiteral("10,25")); // shortest form
    EXPECT_EQ(lineEdit(f, "unitPriceEdit")->text(), QStringLiteral("100"));
    EXPECT_EQ(lineEdit(f, "Edit8")->text(), QStringLiteral("12"));
    EXPECT_EQ(lineEdit(f, "nameEdit")->text(), QStringLiteral("Búza"));
    lineEdit(f, "quantityEdit")->setText(QStringLiteral("20"));
    button(f, "okButton")->click();
    EXPECT_TRUE(Dialogs::shownTexts().isEmpty()) << Dialogs::lastText().toStdString();
    EXPECT_EQ(lineCount(), QStringLiteral("2"));
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT s_brutto FROM fjsor WHERE id_fjsor = %1").arg(id)), QStringLiteral("20"));
    EXPECT_EQ(sharedState().lineLocateId, id);
    EXPECT_EQ(db->data().ZQ20.text(QStringLiteral("ID_FJSOR")), id);
}

TEST_F(LineScreen, EmptyFieldsAreReportedInOrderAndNothingIsStored)
{
    const struct
    {
        const char* cleared;
        const char* message;
    } cases[] = {
        {"nameEdit", "Nincs megadva a megnevezés!"},   {"vtszEdit", "Nincs megadva a VTSZ!"},
        {"quantityEdit", "Nincs megadva a mennyiség!"}, {"unitEdit", "Nincs megadva a mennyiség egység!"},
        {"unitPriceEdit", "Nincs megadva az egységár!"}, {"Edit8", "Nincs megadva a komp.mértéke!"},
    };
    for (const auto& c : cases) {
        TForm10* f = open(NewLineMode);
        button(f, "productButton")->click();
        lineEdit(f, "quantityEdit")->setText(QStringLiteral("1"));
        lineEdit(f, c.cleared)->setText(QStringLiteral("   "));
        Dialogs::clear();
        button(f, "okButton")->click();
        EXPECT_EQ(Dialogs::lastText(), QString::fromUtf8(c.message)) << c.cleared;
        EXPECT_EQ(f->focusWidget(), lineEdit(f, c.cleared)) << c.cleared;
        EXPECT_TRUE(f->isVisible()) << c.cleared;
    }
    // The product code is not required.
    TForm10* f = open(NewLineMode);
    lineEdit(f, "nameEdit")->setText(QStringLiteral("Egyéb"));
    lineEdit(f, "vtszEdit")->setText(QStringLiteral("0000"));
    lineEdit(f, "quantityEdit")->setText(QStringLiteral("1"));
    lineEdit(f, "unitEdit")->setText(QStringLiteral("db"));
    lineEdit(f, "unitPriceEdit")->setText(QStringLiteral("10"));
    lineEdit(f, "Edit8")->setText(QStringLiteral("0"));
    EXPECT_EQ(lineCount(), QStringLiteral("0"));
    button(f, "okButton")->click();
    EXPECT_EQ(lineCount(), QStringLiteral("1"));
}

TEST_F(LineScreen, UnreadableNumbersAreRefusedBeforeStoring)
{
    const struct
    {
        const char* field;
        const char* text;
        const char* message;
    } cases[] = {
        {"quantityEdit", "3-5", "Hibás a mennyiség: \"3-5\" nem szám!"},
        {"quantityEdit", "-", "Hibás a mennyiség: \"-\" nem szám!"},
        {"unitPriceEdit", "1,2,3", "Hibás az egységár: \"1,2,3\" nem szám!"},
        {"Edit8", ",", "Hibás a komp.mértéke: \",\" nem szám!"},
    };
    for (const auto& c : cases) {
        TForm10* f = open(NewLineMode);
        button(f, "productButton")->click();
        lineEdit(f, "quantityEdit")->setText(QStringLiteral("1"));
        lineEdit(f, c.field)->setText(QString::fromLatin1(c.text));
        Dialogs::clear();
        button(f, "okButton")->click();
        EXPECT_EQ(Dialogs::lastText(), QString::fromUtf8(c.message)) << c.field;
        EXPECT_EQ(f->focusWidget(), lineEdit(f, c.field)) << c.field;
        EXPECT_TRUE(f->isVisible());
    }
    // The entry screen's weight deduction is checked too.
    TForm10* f = open(NewLineMode, QStringLiteral("20160001"), QStringLiteral("12,5,3"));
    button(f, "productButton")->click();
    lineEdit(f, "quantityEdit")->setText(QStringLiteral("1"));
    button(f, "okButton")->click();
    EXPECT_EQ(Dialogs::lastText(), QStringLiteral("Hibás a felvásárlási jegy súlylevonás % -a: \"12,5,3\" nem szám!"));
    EXPECT_EQ(lineCount(), QStringLiteral("0"));
}

TEST_F(LineScreen, KeysOutsideAFieldsClassNeverReachIt)
{
    TForm10* f = open(NewLineMode);
    const struct
    {
        const char* field;
        const char* typed;
        const char* kept;
    } cases[] = {
        {"quantityEdit", "-3a,5", "-3,5"}, {"unitPriceEdit", "4-8.5", "485"}, {"Edit8", "x12", "12"},
    };
    for (const auto& c : cases) {
        QTest::keyClicks(lineEdit(f, c.field), QString::fromLatin1(c.typed));
        EXPECT_EQ(lineEdit(f, c.field)->text(), QString::fromLatin1(c.kept)) << c.field;
    }
}

TEST_F(LineScreen, FailedInsertIsRolledBackAndTheScreenCloses)
{
    db->exec(QStringLiteral("ALTER TABLE fjsor ADD CONSTRAINT ck_test_line CHECK (s_megnevezes <> 'Búza')"));
    TForm10* f = open(NewLineMode);
    button(f, "productButton")->click();
    lineEdit(f, "quantityEdit")->setText(QStringLiteral("1"));
    button(f, "okButton")->click();
    EXPECT_TRUE(Dialogs::lastText().startsWith(Hiba103)) << Dialogs::lastText().toStdString();
    EXPECT_EQ(f->result(), QDialog::Rejected);
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(lineCount(), QStringLiteral("0"));
    EXPECT_TRUE(db->data().ZQ20.isOpen());
}

TEST_F(LineScreen, ChangeOnAnEmptyGridStopsAtTheFirstEmptyField)
{
    openTicketLines(db->data().ZQ20, QStringLiteral("20160001"));
    TForm10* f = open(ModifyLineMode);
    ASSERT_TRUE(f->loadLine());
    EXPECT_TRUE(lineEdit(f, "nameEdit")->text().isEmpty());
    button(f, "okButton")->click();
    EXPECT_EQ(Dialogs::lastText(), QStringLiteral("Nincs megadva a megnevezés!"));
    // Filled in by hand, it still has no line to change.
    button(f, "productButton")->click();
    lineEdit(f, "quantityEdit")->setText(QStringLiteral("1"));
    button(f, "okButton")->click();
    EXPECT_EQ(Dialogs::lastText(), QStringLiteral("Nincs kiválasztva módosítandó tételsor!"));
    EXPECT_EQ(lineCount(), QStringLiteral("0"));
}

TEST_F(LineScreen, UnreadableLineOrProductIsReported)
{
    insertLine(*db, QStringLiteral("20160001"), QStringLiteral("1"), QStringLiteral("1"));
    Query& g = db->data().ZQ20;
    g.close();
    g.setSql({QStringLiteral("SELECT id_fjsor, s_megnevezes FROM fjsor")});
    g.open();
    TForm10* f = open(ModifyLineMode);
    EXPECT_FALSE(f->loadLine());
    EXPECT_TRUE(Dialogs::lastText().startsWith(Hiba101));

    ui::registerScreen(QStringLiteral("picker:product"), [](QWidget*) {
        Query& q = TData::instance()->ZQ40;
        q.close();
        q.setSql({QStringLiteral("SELECT t_kod FROM termek")});
        q.open();
    });
    f = open(NewLineMode);
    button(f, "productButton")->click();
    EXPECT_TRUE(Dialogs::lastText().startsWith(Hiba102));
    EXPECT_FALSE(f->isVisible());
}

} // namespace
