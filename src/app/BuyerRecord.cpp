#include "BuyerRecord.h"

#include "DbError.h"
#include "SharedState.h"
#include "TData.h"
#include "Version.h"

namespace zeror {

namespace {

const QString kTrue = QStringLiteral("true");
const QString kBlank = QStringLiteral(" ");

// The buyer row by code, as the record screen and the re-read after storing read it.
void readBuyerRow(Query& q, const QString& code)
{
    q.close();
    q.clearSql();
    q.addLine(QStringLiteral("SELECT *  "));
    q.addLine(QStringLiteral("  FROM atvevo     "));
    q.addLine(QStringLiteral("  WHERE v_akod = :p1 "));
    q.setText(QStringLiteral("p1"), code);
    q.open();
}

// The ticket layout letter: the first character of the version text. Leading blanks are
// skipped, as a blank letter would name a template file that does not exist.
QString layoutLetter(const QString& version)
{
    return version.trimmed().left(1);
}

// Sets the shared buyer values that come from the current row of q.
void takeBuyerValues(const Query& q)
{
    SharedState& s = sharedState();
    s.buyerCode = q.text(QStringLiteral("V_AKOD"));
    s.buyerDeclaration = q.text(QStringLiteral("V_NYILATK"));
    s.templateVariant = layoutLetter(q.text(QStringLiteral("V_VERZIO")));
}

} // namespace

void openBuyerList(TData& dataModule)
{
    Query& q = dataModule.ZQ60;
    q.close();
    q.clearSql();
    q.addLine(QStringLiteral("SELECT *  "));
    q.addLine(QStringLiteral("  FROM atvevo     "));
    q.addLine(QStringLiteral("ORDER BY ID_ATVEVO"));
    q.open();
}

void applyOpeningBuyer(TData& dataModule)
{
    Query& q = dataModule.ZQ60;
    if (q.isEmpty())
        return;
    q.last();
    takeBuyerValues(q);
}

QString chooseBuyer(TData& dataModule, const QString& code)
{
    SharedState& s = sharedState();
    s.normalTicketType = QStringLiteral("1");
    s.stornoTicketType = QStringLiteral("4");
    Query& q = dataModule.ZQ60;
    if (!q.locate(QStringLiteral("V_AKOD"), code))
        return QString();
    takeBuyerValues(q);
    s.versionText = composeVersionText();
    return buyerTitle(q.text(QStringLiteral("V_NEVE")), s.versionText);
}

const std::vector<BuyerFieldSpec>& buyerRecordFields()
{
    static const std::vector<BuyerFieldSpec> fields = {
        {QStringLiteral("ID"), QStringLiteral("ID_ATVEVO"), 0, false, &BuyerRecord::id},
        {QStringLiteral("Kód"), QStringLiteral("V_AKOD"), 0, false, &BuyerRecord::code},
        {QStringLiteral("Átvevő neve"), QStringLiteral("V_NEVE"), 0, false, &BuyerRecord::name},
        {QStringLiteral("Irányitószám"), QStringLiteral("V_IRSZAM"), 0, false, &BuyerRecord::postcode},
        {QStringLiteral("Helységnév"), QStringLiteral("V_HELYSEG"), 0, false, &BuyerRecord::town},
        {QStringLiteral("Kerület"), QStringLiteral("V_KERULET"), 20, true, &BuyerRecord::district},
        {QStringLiteral("Utcanév"), QStringLiteral("V_UTCA"), 45, true, &BuyerRecord::street},
        {QStringLiteral("Jelleg (út, krt)"), QStringLiteral("V_JELLEG"), 20, true, &BuyerRecord::placeKind},
        {QStringLiteral("Házszám"), QStringLiteral("V_HAZSZAM"), 20, true, &BuyerRecord::houseNumber},
        {QStringLiteral("Épület"), QStringLiteral("V_EPULET"), 20, true, &BuyerRecord::building},
        {QStringLiteral("Lécsőház"), QStringLiteral("V_LEPCSO"), 20, true, &BuyerRecord::staircase},
        {QStringLiteral("Szint"), QStringLiteral("V_SZINT"), 20, true, &BuyerRecord::floor},
        {QStringLiteral("Ajtó"), QStringLiteral("V_AJTO"), 20, true, &BuyerRecord::door},
        {QStringLiteral("Adószám"), QStringLiteral("V_ADOSZAM"), 0, false, &BuyerRecord::taxNumber},
        {QStringLiteral("Közösségi adószám:"), QStringLiteral("V_KOZADOSZAM"), 20, true,
         &BuyerRecord::communityTaxNumber},
        {QStringLiteral("Bankszámlaszám"), QStringLiteral("V_BANKSZLA"), 26, true, &BuyerRecord::bankAccount},
        {QStringLiteral("Nyilatkozat szövege (250 betü hosszban)"), QStringLiteral("V_NYILATK"), 250, true,
         &BuyerRecord::declaration},
        // The column holds 45 characters; the field stops there so a longer text is never lost
        // to a refused store.
        {QStringLiteral("Verzió"), QStringLiteral("V_VERZIO"), 45, true, &BuyerRecord::version},
        {QStringLiteral("Egyéni vállalkozó neve"), QStringLiteral("V_EV_NEVE"), 45, true,
         &BuyerRecord::proprietorName},
        {QStringLiteral("Adóazonositó (egyéni vállalkozónál)"), QStringLiteral("V_ADOAZON"), 10, true,
         &BuyerRecord::taxId},
        {QStringLiteral("E.V. nyilvántartási szám"), QStringLiteral("V_EVNYILV"), 20, true,
         &BuyerRecord::registrationNumber},
    };
    return fields;
}

std::optional<BuyerRecord> loadBuyerRecord(TData& dataModule, const QString& code)
{
    try {
        Query& q = dataModule.ZQ60;
        readBuyerRow(q, code);
        if (q.isEmpty())
            return std::nullopt;
        BuyerRecord r;
        for (const BuyerFieldSpec& f : buyerRecordFields())
            r.*(f.member) = q.text(f.column);
        r.soleProprietor = q.text(kSoleProprietorColumn) == kTrue;
        r.smallTaxpayer = q.text(kSmallTaxpayerColumn) == kTrue;
        return r;
    } catch (const DbError&) {
        return std::nullopt;
    }
}

int buyerTicketCount(TData& dataModule, const QString& code)
{
    Query& q = dataModule.ZQ11;
    q.close();
    q.clearSql();
    q.addLine(QStringLiteral("SELECT  f_akod, count(f_akod) AS sdb "));
    q.addLine(QStringLiteral("  FROM Fjfej         "));
    q.addLine(QStringLiteral("  WHERE f_akod = :p1 "));
    q.addLine(QStringLiteral("  GROUP BY f_akod    "));
    q.setText(QStringLiteral("p1"), code);
    q.open();
    if (q.isEmpty())
        return 0;
    return static_cast<int>(q.integer(QStringLiteral("sdb")));
}

std::optional<BuyerFault> checkBuyerRecord(const BuyerRecord& record)
{
    const QString community = record.communityTaxNumber.trimmed();
    if (!community.isEmpty() && community.size() < 8)
        return BuyerFault{QStringLiteral("Közösségi adószám kevesebb mint 8 karakter!"),
                          QStringLiteral("V_KOZADOSZAM")};
    if (!record.soleProprietor)
        return std::nullopt;
    if (record.taxId.trimmed().isEmpty())
        return BuyerFault{QStringLiteral("Nincs megadva az egyéni váll.adóazonositó száma!"),
                          QStringLiteral("V_ADOAZON")};
    if (record.registrationNumber.trimmed().isEmpty())
        return BuyerFault{QStringLiteral("Nincs megadva az egyéni váll.nyilvántart.száma!"),
                          QStringLiteral("V_EVNYILV")};
    if (record.proprietorName.trimmed().isEmpty())
        return BuyerFault{QStringLiteral("Nincs megadva az egyéni váll. neve!"), QStringLiteral("V_EV_NEVE")};
    return std::nullopt;
}

void storeBuyerRecord(TData& dataModule, const BuyerRecord& record, const QString& buyerCode)
{
    const bool sole = record.soleProprietor;
    dataModule.write({kStatementFailedMessage, kStartFailedMessage}, [&] {
        Query& q = dataModule.ZQ61;
        q.close();
        q.clearSql();
        q.setSql({
            QStringLiteral("UPDATE atvevo            "),
            QStringLiteral("  SET  V_UTCA     = :p2,  "),
            QStringLiteral("       V_BANKSZLA = :p5,  "),
            QStringLiteral("       V_ADOAZON  = :p6,  "),
            QStringLiteral("       V_NYILATK  = :p7,  "),
            QStringLiteral("       V_VERZIO   = :p10, "),
            QStringLiteral("       V_EV       = :p11, "),
            QStringLiteral("       V_EVNYILV  = :p12, "),
            QStringLiteral("       V_KERULET  = :p13, "),
            QStringLiteral("       V_JELLEG   = :p14, "),
            QStringLiteral("       V_HAZSZAM  = :p15, "),
            QStringLiteral("       V_EPULET   = :p16, "),
            QStringLiteral("       V_LEPCSO   = :p17, "),
            QStringLiteral("       V_SZINT    = :p18, "),
            QStringLiteral("       V_AJTO     = :p19, "),
            QStringLiteral("       V_KISADO   = :p21, "),
            QStringLiteral("       V_KOZADOSZAM = :p22,"),
            QStringLiteral("       V_EV_NEVE  = :p23  "),
            QStringLiteral(" WHERE V_AKOD     = :p20  "),
        });
        q.setText(QStringLiteral("p2"), record.street);
        q.setText(QStringLiteral("p5"), record.bankAccount);
        q.setText(QStringLiteral("p6"), sole ? record.taxId : kBlank);
        q.setText(QStringLiteral("p7"), record.declaration);
        q.setText(QStringLiteral("p10"), record.version);
        q.setText(QStringLiteral("p11"), sole ? kTrue : kBlank);
        q.setText(QStringLiteral("p12"), sole ? record.registrationNumber : kBlank);
        q.setText(QStringLiteral("p13"), record.district);
        q.setText(QStringLiteral("p14"), record.placeKind);
        q.setText(QStringLiteral("p15"), record.houseNumber);
        q.setText(QStringLiteral("p16"), record.building);
        q.setText(QStringLiteral("p17"), record.staircase);
        q.setText(QStringLiteral("p18"), record.floor);
        q.setText(QStringLiteral("p19"), record.door);
        q.setText(QStringLiteral("p20"), buyerCode);
        q.setText(QStringLiteral("p21"), record.smallTaxpayer ? kTrue : kBlank);
        q.setText(QStringLiteral("p22"), record.communityTaxNumber);
        q.setText(QStringLiteral("p23"), sole ? record.proprietorName : kBlank);
        q.exec();
        // An UPDATE that meets no row reports no error; a buyer deleted since the screen
        // opened must not look stored.
        readBuyerRow(dataModule.ZQ60, buyerCode);
        if (dataModule.ZQ60.isEmpty())
            throw DbError(QStringLiteral("Az átvevő (kód: %1) már nincs az adatbázisban, "
                                         "a módosítás nem tárolódott!")
                              .arg(buyerCode),
                          DbError::Kind::NotFound);
    });
}

void rereadBuyerValues(TData& dataModule, const QString& buyerCode)
{
    Query& q = dataModule.ZQ60;
    readBuyerRow(q, buyerCode);
    if (q.isEmpty())
        return;
    SharedState& s = sharedState();
    s.buyerDeclaration = q.text(QStringLiteral("V_NYILATK"));
    const QString version = q.text(QStringLiteral("V_VERZIO"));
    if (!version.trimmed().isEmpty())
        s.templateVariant = layoutLetter(version);
}

} // namespace zeror
