#include "TicketEntryLine.h"

#include "Formats.h"
#include "Query.h"
#include "TData.h"
#include "TicketEntry.h"
#include "Win1250.h"

namespace zeror::ticketentry {

namespace {

double numberOf(const QString& text)
{
    double v = 0;
    fmt::parseNumber(text, &v);
    return v;
}

void bindLine(Query& q, const TicketLineInput& in, const QString& buyerCode)
{
    q.setText(QStringLiteral("p1"), in.number);
    q.setText(QStringLiteral("p2"), in.productCode);
    q.setText(QStringLiteral("p3"), in.name);
    q.setText(QStringLiteral("p4"), in.vtsz);
    q.setDouble(QStringLiteral("p5"), numberOf(in.quantity));
    q.setText(QStringLiteral("p6"), in.unit);
    q.setDouble(QStringLiteral("p7"), numberOf(in.unitPrice));
    q.setDouble(QStringLiteral("p8"), numberOf(in.rate));
    q.setText(QStringLiteral("p9"), buyerCode);
    q.setDouble(QStringLiteral("p10"), numberOf(in.weightDeduction));
    q.setText(QStringLiteral("p11"), in.document);
}

} // namespace

std::optional<LineFault> checkLine(const TicketLineInput& in, bool isNew)
{
    if (!ticketNumberFits(in.number))
        return LineFault{ticketNumberProblem(in.number), LineField::Number};

    struct Field
    {
        const QString& text;
        const char* message;
        LineField field;
    };
    const Field required[] = {
        {in.name, "Nincs megadva a megnevezés!", LineField::Name},
        {in.vtsz, "Nincs megadva a VTSZ!", LineField::Vtsz},
        {in.quantity, "Nincs megadva a mennyiség!", LineField::Quantity},
        {in.unit, "Nincs megadva a mennyiség egység!", LineField::Unit},
        {in.unitPrice, "Nincs megadva az egységár!", LineField::UnitPrice},
        {in.rate, "Nincs megadva a komp.mértéke!", LineField::Rate},
    };
    for (const Field& f : required) {
        if (isBlank(f.text))
            return LineFault{QString::fromUtf8(f.message), f.field};
    }
    const Field numbers[] = {
        {in.quantity, "Hibás a mennyiség: \"%1\" nem szám!", LineField::Quantity},
        {in.unitPrice, "Hibás az egységár: \"%1\" nem szám!", LineField::UnitPrice},
        {in.rate, "Hibás a komp.mértéke: \"%1\" nem szám!", LineField::Rate},
        {in.weightDeduction, "Hibás a felvásárlási jegy súlylevonás % -a: \"%1\" nem szám!",
         LineField::WeightDeduction},
    };
    for (const Field& f : numbers) {
        if (!fmt::parseNumber(f.text, nullptr))
            return LineFault{QString::fromUtf8(f.message).arg(f.text), f.field};
    }
    // Ranges the widgets do not enforce, checked for every caller.
    double value = 0;
    fmt::parseNumber(in.unitPrice, &value);
    if (value < 0)
        return LineFault{QStringLiteral("Hibás az egységár: nem lehet negatív!"), LineField::UnitPrice};
    fmt::parseNumber(in.rate, &value);
    if (value < 0 || value > 100)
        return LineFault{QStringLiteral("Hibás a komp.mértéke: 0 és 100 közötti szám legyen!"), LineField::Rate};
    fmt::parseNumber(in.weightDeduction, &value);
    if (value < 0 || value > 100)
        return LineFault{QStringLiteral("Hibás a felvásárlási jegy súlylevonás % -a: 0 és 100 közötti szám legyen!"),
                         LineField::WeightDeduction};
    const Field texts[] = {
        {in.name, "Megnevezés", LineField::Name},
        {in.vtsz, "VTSZ", LineField::Vtsz},
        {in.unit, "Menny. egys.", LineField::Unit},
        {in.document, "Bizonylat", LineField::Name},
    };
    for (const Field& f : texts) {
        const QString refusal = win1250::fieldRefusal(QString::fromUtf8(f.message), f.text);
        if (!refusal.isEmpty())
            return LineFault{refusal, f.field};
    }
    qint64 id = 0;
    if (!isNew && !fmt::parseInteger(in.id, &id))
        return LineFault{QStringLiteral("Nincs kiválasztva módosítandó tételsor!"), LineField::Id};
    return std::nullopt;
}

void prepareLineInsert(Query& q, const TicketLineInput& in, const QString& buyerCode)
{
    q.close();
    q.setSql({QStringLiteral("INSERT INTO Fjsor ( s_bszam, s_termekkod, s_megnevezes, s_vtsz, s_brutto, s_megy, "
                             "s_ear,  s_kompmerteke, s_akod, s_levonszaz, s_bizonylat   )"),
              QStringLiteral("VALUES ( :p1, :p2, :p3, :p4, :p5, :p6, :p7, :p8, :p9, :p10, :p11 )")});
    bindLine(q, in, buyerCode);
}

void prepareLineUpdate(Query& q, const TicketLineInput& in, const QString& buyerCode)
{
    q.close();
    q.setSql({QStringLiteral("UPDATE Fjsor"),
              QStringLiteral("SET ID_fjsor = :p0, s_bszam = :p1, s_termekkod = :p2, s_megnevezes = :p3, "
                             "s_vtsz = :p4, s_brutto = :p5, s_megy = :p6, s_ear = :p7, s_kompmerteke = :p8, "
                             "s_akod = :p9, s_levonszaz = :p10, s_bizonylat = :p11"),
              QStringLiteral("WHERE ID_fjsor    = :p0")});
    qint64 id = 0;
    fmt::parseInteger(in.id, &id);
    q.setInteger(QStringLiteral("p0"), id);
    bindLine(q, in, buyerCode);
}

void storeLine(TData& data, bool isNew, const TicketLineInput& in, const QString& buyerCode)
{
    data.write({isNew ? Hiba103 : Hiba104, Hiba105}, [&] {
        // A line names a product of the register (an import may give any code).
        if (!isBlank(in.productCode)) {
            Query& known = data.ZQ41;
            known.close();
            known.setSql({QStringLiteral("SELECT COUNT(*) AS db"), QStringLiteral("FROM termek"),
                          QStringLiteral("WHERE t_kod = :p1")});
            known.setText(QStringLiteral("p1"), in.productCode);
            known.open();
            if (known.integer(QStringLiteral("db")) == 0)
                throw Error(QStringLiteral("Hibás a termékkód: nincs \u201E%1\u201D kódú termék!").arg(in.productCode));
        }
        if (isNew)
            prepareLineInsert(data.ZQ31, in, buyerCode);
        else
            prepareLineUpdate(data.ZQ31, in, buyerCode);
        data.ZQ31.exec();
        sharedState().lineLocateId = in.id;
    });
}

void reopenEntryLines(Query& q, const QString& number, const QString& lineId)
{
    q.close();
    q.setSql({QStringLiteral("SELECT  *"), QStringLiteral("FROM  FjSor"),
              QStringLiteral("WHERE ( s_Bszam= :p1 ) AND ( s_akod = :p2 )"), QStringLiteral("ORDER BY ID_fjsor")});
    q.setText(QStringLiteral("p1"), number);
    q.setText(QStringLiteral("p2"), sharedState().buyerCode);
    q.open();
    q.locatePrefix(QStringLiteral("ID_FJSOR"), lineId);
}

} // namespace zeror::ticketentry
