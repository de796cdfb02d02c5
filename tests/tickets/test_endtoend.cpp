// A ticket's whole road through the real screens: the list opens the entry, the producer and the
// product come from the real registers, the line and the header are stored, the ticket is printed,
// reprinted as a copy and voided.
#include "Dialogs.h"
#include "MasterdataScreens.h"
#include "ModalDriver.h"
#include "ReportModule.h"
#include "TForm8.h"
#include "TestDatabase.h"
#include "TicketScreens.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace zeror;
using ui::Dialogs;

namespace {

QPushButton* button(QWidget* w, const char* name)
{
    auto* b = w->findChild<QPushButton*>(QString::fromLatin1(name));
    EXPECT_NE(b, nullptr) << name;
    return b;
}

// Picks a row of a register by code and presses "Kiválaszt".
void pickInRegister(QWidget* picker, Query& list, const QString& field, const QString& code)
{
    EXPECT_TRUE(list.locate(field, code)) << code.toStdString();
    button(picker, "chooseButton")->click();
}

class EndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Dialogs::clear();
        db.chooseBuyer(QStringLiteral("00001"));
        registerMasterdataScreens();
        registerTicketScreens();
        QFile::copy(QStringLiteral(ZEROR_TEMPLATES_DIR "/FjLista7.frf"), db.folder() + QStringLiteral("/FjLista7.frf"));
        ReportModule::setPreviewHook([this](const report::PreparedReport& p, bool) { printed = p.texts(); });
    }
    void TearDown() override { ReportModule::setPreviewHook({}); }

    test::TestDatabase db;
    QStringList printed;
};

TEST_F(EndToEnd, EnterPrintReprintAndVoidATicket)
{
    TData& data = db.data();
    TForm8 list;
    list.show();

    bool entryOpened = false;
    test::whenModal([&](QWidget* entry) {
        entryOpened = true;
        test::whenModal([&](QWidget* picker) { pickInRegister(picker, data.ZQ30, QStringLiteral("O_KOD"), QStringLiteral("00003")); },
                        10000, entry);
        button(entry, "producerButton")->click();

        test::whenModal([&](QWidget* line) {
            test::whenModal([&](QWidget* picker) { pickInRegister(picker, data.ZQ40, QStringLiteral("T_KOD"), QStringLiteral("00001")); },
                            10000, line);
            button(line, "productButton")->click();
            auto* quantity = line->findChild<QLineEdit*>(QStringLiteral("quantityEdit"));
            EXPECT_TRUE(quantity->hasFocus() || quantity->text().isEmpty());
            QTest::keyClicks(quantity, QStringLiteral("120"));
            button(line, "okButton")->click();
        }, 10000, entry);
        button(entry, "newLineButton")->click();
        button(entry, "okButton")->click();
    });
    button(&list, "newButton")->click();
    ASSERT_TRUE(entryOpened);
    ASSERT_TRUE(Dialogs::shownTexts().isEmpty()) << Dialogs::shownTexts().join(QLatin1Char('|')).toStdString();

    // 120 kg of Búza at 48,5 with 7 % surcharge from Horváth Győző (16 % SZJA, bank account: transfer).
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT a_fjbszam FROM sorszam WHERE a_akod = '00001'")), QStringLiteral("20160001"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT f_ostermkod || '/' || f_utal || '/' || f_szja || '/' || f_tipus FROM fjfej "
                                       "WHERE f_bszam = '20160001'")),
              QStringLiteral("00003/x/16/1"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT s_megnevezes || '/' || s_brutto FROM fjsor WHERE s_bszam = '20160001'")),
              QStringLiteral("Búza/120.0000"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT CAST(f_sumvar * 100 AS INTEGER) FROM fjfej WHERE f_bszam = '20160001'")),
              QStringLiteral("622740"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT f_muvktg FROM fjfej WHERE f_bszam = '20160001'")), QStringLiteral("5231"));

    // The list stands on the stored ticket; printing marks it printed, the next print is a copy.
    EXPECT_EQ(data.ZQ10.text(QStringLiteral("f_bszam")), QStringLiteral("20160001"));
    button(&list, "printButton")->click();
    EXPECT_TRUE(printed.contains(QStringLiteral("5231")) || printed.join(QLatin1Char(' ')).contains(QStringLiteral("5 231")))
        << printed.join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(printed.contains(QStringLiteral("MÁSOLATI PÉLDÁNY")));
    data.rollback();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT f_prn FROM fjfej WHERE f_bszam = '20160001'")), QStringLiteral("I"));
    button(&list, "printButton")->click();
    EXPECT_TRUE(printed.join(QLatin1Char('|')).contains(QStringLiteral("MÁSOLATI PÉLDÁNY")));

    // Voiding creates the next number with the negated line, and the pair sums to zero.
    Dialogs::queueAnswer(true);
    bool voidingOpened = false;
    test::whenModal([&](QWidget* voiding) {
        voidingOpened = true;
        button(voiding, "okButton")->click();
    });
    button(&list, "voidButton")->click();
    ASSERT_TRUE(voidingOpened);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT f_tipus || '/' || f_ervenyt FROM fjfej WHERE f_bszam = '20160002'")),
              QStringLiteral("4/20160001"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT f_ervenyt FROM fjfej WHERE f_bszam = '20160001'")), QStringLiteral("20160002"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT SUM(s_vetelar) FROM fjsor WHERE s_akod = '00001'")), QStringLiteral("0"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT a_fjbszam FROM sorszam WHERE a_akod = '00001'")), QStringLiteral("20160002"));
}

} // namespace
