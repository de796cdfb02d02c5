#pragma once

// A buyer's tickets for the list tests: headers and lines written straight into the test
// database, the shipped templates copied into its folder, and the preview replaced by a hook
// that keeps the prepared pages.
#include "Clock.h"
#include "Dialogs.h"
#include "ReportModule.h"
#include "SharedState.h"
#include "TestDatabase.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace zeror::test {

class ListFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ui::Dialogs::clear();
        clock::setFixedDate(QDate(2016, 6, 15));
        db.chooseBuyer(QStringLiteral("00001"));
        const QDir templates(QStringLiteral(ZEROR_TEMPLATES_DIR));
        for (const QString& name : templates.entryList({QStringLiteral("*.frf")}, QDir::Files)) {
            const QString to = QDir(db.folder()).filePath(name);
            QFile::remove(to);
            ASSERT_TRUE(QFile::copy(templates.filePath(name), to)) << name.toStdString();
        }
        ReportModule::setPreviewHook([this](const report::PreparedReport& p, bool) {
            pages = p;
            ++shown;
        });
    }
    void TearDown() override
    {
        ReportModule::setPreviewHook({});
        clock::setFixedDate(QDate());
        ui::Dialogs::clear();
    }

    // A ticket header; utal is the transfer mark ("x", " ", or a null mark when "NULL").
    void ticket(const QString& number, const QString& producer, const QString& paid, const QString& bought,
                const QString& utal = QStringLiteral(" "), double payable = 0, const QString& buyer = QStringLiteral("00001"))
    {
        const QString mark = utal == QStringLiteral("NULL") ? utal : QLatin1Char('\'') + utal + QLatin1Char('\'');
        db.exec(QStringLiteral("INSERT INTO fjfej (f_bszam, f_akod, f_ostermkod, f_fizkelt, f_felvkelt, f_kelt, f_utal, "
                               "f_muvktg, f_tipus, f_prn) VALUES ('%1', '%2', '%3', '%4', '%5', '%5', %6, %7, '1', 'I')")
                    .arg(number, buyer, producer, paid, bought, mark)
                    .arg(payable));
    }

    // A line: gross quantity, unit price, compensation percent (no weight deduction).
    void line(const QString& number, const QString& name, double quantity, double price, double comp = 0,
              const QString& buyer = QStringLiteral("00001"))
    {
        db.exec(QStringLiteral("INSERT INTO fjsor (s_bszam, s_akod, s_megnevezes, s_brutto, s_ear, s_kompmerteke, "
                               "s_levonszaz, s_megy, s_vtsz) VALUES ('%1', '%2', '%3', %4, %5, %6, 0, 'kg', '1001')")
                    .arg(number, buyer, name)
                    .arg(quantity)
                    .arg(price)
                    .arg(comp));
    }

    // The texts of the prepared report that contain the needle.
    QStringList containing(const QString& needle) const
    {
        QStringList out;
        for (const QString& t : pages.texts())
            if (t.contains(needle))
                out << t;
        return out;
    }
    std::string dump() const { return pages.texts().join(QLatin1Char('|')).toStdString(); }

    TestDatabase db;
    report::PreparedReport pages;
    int shown = 0;
};

} // namespace zeror::test
