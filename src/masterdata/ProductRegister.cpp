#include "ProductRegister.h"

#include "DbError.h"
#include "Formats.h"
#include "RegisterCommon.h"
#include "SharedState.h"
#include "TextHelpers.h"
#include "Win1250.h"

#include <cmath>

namespace zeror {

namespace {

using F = ProductField;

const std::array<ProductFieldSpec, kProductFieldCount> kSpecs = {{
    {F::Id, "ID_TERMEK", "ID", 0, CharClass::Any, true, ""},
    // T_KOD is VARCHAR(5): a longer code could not be stored.
    {F::Kod, "T_KOD", "Kód", 5, CharClass::Digits, false, ""},
    {F::Megnevezes, "T_MEGNEVEZES", "Megnevezés", 75, CharClass::Any, false, ""},
    {F::Vtsz, "T_VTSZ", "VTSZ", 10, CharClass::Any, false, ""},
    {F::Ear, "T_EAR", "Egységár", 0, CharClass::DigitsComma, false, "0"},
    {F::Megy, "T_MEGY", "Menny.egység", 10, CharClass::Any, false, ""},
    {F::Kompmerteke, "T_KOMPMERTEKE", "Komp.mértéke", 0, CharClass::DigitsComma, false, "12,00"},
    {F::Bizonylat, "T_BIZONYLAT", "Tételszám", 10, CharClass::DigitsComma, false, ""},
}};

} // namespace

namespace producttext {
const QString NewMode = QStringLiteral("Új termék");
const QString ChangeMode = QStringLiteral("Termék módositás");
const QString LastRow = QStringLiteral("Az utolsó terméksor nem törölhető ki.");
const QString Deleted = QStringLiteral("Az termék sor törlölve!");
const QString Hiba61 = QStringLiteral("Hiba61: termék DELETE törlésekor");
const QString Hiba72 = QStringLiteral("Hiba72: Újban, INSERT  a termékben ");
const QString Hiba73 = QStringLiteral("Hiba73: Módositásban, UPDATE a termékben ");
const QString Hiba74 = QStringLiteral("Hiba74: az append vagy edit közben a termékben!");
const QString ByCodeLabel = QStringLiteral("Termék lista, \"Kód\" szerint");
const QString ByNameLabel = QStringLiteral("Termék lista, \"Megnevezés\" szerint");
const QString ByIdLabel = QStringLiteral("Termék lista a beviteli sorrend szerint");
const QString GridHint =
    QStringLiteral("Termék sorrend: klikk az \"kód\" , \"Megnevezés\" vagy \"ID\" oszlop fejlécre");
} // namespace producttext

const std::array<ProductFieldSpec, kProductFieldCount>& productFieldSpecs()
{
    return kSpecs;
}

const ProductFieldSpec& productFieldSpec(ProductField field)
{
    return kSpecs[static_cast<size_t>(field)];
}

std::optional<ProductFault> checkProduct(const ProductInput& in)
{
    auto fault = [](const QString& message, F field) { return std::optional<ProductFault>(ProductFault{message, field}); };
    if (isBlank(in[F::Kod]))
        return fault(QStringLiteral("Nincs megadva a kód!"), F::Kod);
    if (isBlank(in[F::Megnevezes]))
        return fault(QStringLiteral("Nincs megadva a megnevezés!"), F::Megnevezes);
    if (isBlank(in[F::Ear]))
        return fault(QStringLiteral("Nincs megadva az egységár!"), F::Ear);
    if (isBlank(in[F::Megy]))
        return fault(QStringLiteral("Nincs megadva a mennyiség egység!"), F::Megy);
    if (isBlank(in[F::Kompmerteke]))
        return fault(QStringLiteral("Nincs megadva a komp.mérték!"), F::Kompmerteke);
    // "1,2,3" or a lone "," would fail in the database; say so here instead.
    double price = 0;
    if (!fmt::parseNumber(in[F::Ear], &price))
        return fault(QStringLiteral("Hibás az egységár!"), F::Ear);
    // The rate is kept in whole percent; a fraction would be rounded away unnoticed.
    double rate = 0;
    if (!fmt::parseNumber(in[F::Kompmerteke], &rate) || rate != std::floor(rate))
        return fault(QStringLiteral("Hibás a komp.mérték! Egész százalékot adjon meg."), F::Kompmerteke);
    // What the key filters block, checked again for a caller without widgets.
    if (!isAllDigits(in[F::Kod].trimmed()))
        return fault(QStringLiteral("Hibás a kód: csak számjegyet tartalmazhat!"), F::Kod);
    if (price < 0)
        return fault(QStringLiteral("Hibás az egységár: nem lehet negatív!"), F::Ear);
    if (rate < 0 || rate > 100)
        return fault(QStringLiteral("Hibás a komp.mérték: 0 és 100 közötti egész szám legyen!"), F::Kompmerteke);
    for (const ProductFieldSpec& column : productFieldSpecs()) {
        const QString refusal = win1250::fieldRefusal(QString::fromUtf8(column.label).remove(QLatin1Char(':')).trimmed(),
                                                      in[column.field]);
        if (!refusal.isEmpty())
            return fault(refusal, column.field);
    }
    return std::nullopt;
}

std::optional<ProductFault> checkProductCodeUnique(TData& data, const QString& code, qint64 ownId)
{
    const QString wanted = code.trimmed();
    qint64 wantedNumber = 0;
    const bool numeric = fmt::parseInteger(wanted, &wantedNumber);
    Query& q = data.ZQ41;
    q.close();
    q.clearSql();
    q.setSql({QStringLiteral("SELECT id_termek, t_kod FROM termek "), QStringLiteral("  ORDER BY t_kod ")});
    q.open();
    for (int row = 0; row < q.rowCount(); ++row) {
        q.setRecNo(row);
        if (q.integer(QStringLiteral("ID_TERMEK")) == ownId)
            continue;
        const QString other = q.text(QStringLiteral("T_KOD")).trimmed();
        qint64 otherNumber = 0;
        const bool same = other == wanted
                          || (numeric && fmt::parseInteger(other, &otherNumber) && otherNumber == wantedNumber);
        if (same)
            return ProductFault{QStringLiteral("A(z) %1 kódú termék már létezik!").arg(other), F::Kod};
    }
    return std::nullopt;
}

QStringList productListSql(ProductOrder order)
{
    switch (order) {
    case ProductOrder::OpeningByName:
        return {QStringLiteral("SELECT * FROM Termek           "), QStringLiteral("         ORDER BY t_megnevezes COLLATE PXW_HUN ")};
    case ProductOrder::ByCode:
        return {QStringLiteral("SELECT *         "), QStringLiteral("  FROM termek    "),
                QStringLiteral("  ORDER BY t_kod ")};
    case ProductOrder::ByName:
        return {QStringLiteral("SELECT *                "), QStringLiteral("  FROM termek           "),
                QStringLiteral("  ORDER BY t_megnevezes COLLATE PXW_HUN ")};
    case ProductOrder::ById:
        return {QStringLiteral("SELECT *             "), QStringLiteral("  FROM termek        "),
                QStringLiteral("  ORDER BY ID_Termek ")};
    case ProductOrder::AfterStore:
        return {QStringLiteral("SELECT * FROM termek           "), QStringLiteral("         ORDER BY t_megnevezes COLLATE PXW_HUN ")};
    }
    return {};
}

QString productOrderLabel(ProductOrder order)
{
    switch (order) {
    case ProductOrder::ByCode:
        return producttext::ByCodeLabel;
    case ProductOrder::ById:
        return producttext::ByIdLabel;
    default:
        return producttext::ByNameLabel;
    }
}

void openProductList(TData& data, ProductOrder order)
{
    Query& q = data.ZQ40;
    q.close();
    q.clearSql();
    q.setSql(productListSql(order));
    q.open();
}

bool locateProductCode(Query& query, const QString& code)
{
    return registercommon::locateCode(query, QStringLiteral("T_KOD"), code);
}

QString nextProductCode(TData& data)
{
    Query& q = data.ZQ41;
    q.close();
    q.clearSql();
    q.setSql({QStringLiteral("SELECT  * FROM termek    "), QStringLiteral("          ORDER BY t_kod ")});
    q.open();
    // By value, not by the last code in text order: "9" sorts after "00041".
    return QString::number(registercommon::numericMaximum(q, QStringLiteral("T_KOD")) + 1);
}

qint64 productCount(TData& data)
{
    Query& q = data.ZQ41;
    q.close();
    q.clearSql();
    q.setSql({QStringLiteral("SELECT count(*) AS db FROM termek  ")});
    q.open();
    return q.isEmpty() ? 0 : q.integer(QStringLiteral("db"));
}

void deleteProduct(TData& data, qint64 id)
{
    // Committed at once: a later rollback of another screen must not bring the row back.
    data.write({producttext::Hiba61}, [&] {
        Query& q = data.ZQ41;
        q.close();
        q.clearSql();
        q.setSql({QStringLiteral("DELETE FROM termek      "), QStringLiteral("  WHERE ID_termek = :p1 ")});
        q.setInteger(QStringLiteral("p1"), id);
        q.exec();
    });
}

ProductInput productFromRow(const Query& query)
{
    if (query.recNo() < 0)
        throw DbError(QStringLiteral("%1: nincs aktuális sor").arg(query.componentName()));
    ProductInput in;
    for (const ProductFieldSpec& fieldDef : kSpecs)
        in[fieldDef.field] = query.text(QString::fromLatin1(fieldDef.column));
    return in;
}

QStringList productInsertSql()
{
    return {QStringLiteral("INSERT INTO termek ( t_kod, t_megnevezes, t_VTSZ, t_Ear, t_megy, t_Kompmerteke, t_bizonylat ) "),
            QStringLiteral("   VALUES          (   :p1,          :p2,    :p3,   :p4,    :p5,           :p6,         :p7 ) ")};
}

QStringList productUpdateSql()
{
    return {QStringLiteral("UPDATE termek              "), QStringLiteral("  SET t_kod         = :p1, "),
            QStringLiteral("      t_megnevezes  = :p2, "), QStringLiteral("      t_VTSZ        = :p3, "),
            QStringLiteral("      t_Ear         = :p4, "), QStringLiteral("      t_megy        = :p5, "),
            QStringLiteral("      t_Kompmerteke = :p6, "), QStringLiteral("      t_bizonylat   = :p7  "),
            QStringLiteral(" WHERE ID_termek    = :p0  ")};
}

void storeProduct(TData& data, bool isNew, const ProductInput& in)
{
    data.write({isNew ? producttext::Hiba72 : producttext::Hiba73, producttext::Hiba74}, [&] {
        Query& q = data.ZQ41;
        q.close();
        q.clearSql();
        q.setSql(isNew ? productInsertSql() : productUpdateSql());
        if (!isNew)
            registercommon::bindKey(q, in[F::Id]);
        q.setText(QStringLiteral("p1"), in[F::Kod]);
        q.setText(QStringLiteral("p2"), in[F::Megnevezes]);
        q.setText(QStringLiteral("p3"), in[F::Vtsz]);
        double price = 0;
        if (fmt::parseNumber(in[F::Ear], &price))
            q.setDouble(QStringLiteral("p4"), price);
        else
            q.setText(QStringLiteral("p4"), in[F::Ear]);
        q.setText(QStringLiteral("p5"), in[F::Megy]);
        double rate = 0;
        if (fmt::parseNumber(in[F::Kompmerteke], &rate))
            q.setDouble(QStringLiteral("p6"), rate);
        else
            q.setText(QStringLiteral("p6"), in[F::Kompmerteke]);
        q.setText(QStringLiteral("p7"), in[F::Bizonylat]);
        q.exec();
        sharedState().productSearchText = in[F::Kod];
    });
}

} // namespace zeror
