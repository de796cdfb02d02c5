#pragma once

#include "Error.h"

#include "CharClass.h"
#include "TData.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace zeror {

// The fields of the product entry window in tab order.
enum class ProductField { Id, Kod, Megnevezes, Vtsz, Ear, Megy, Kompmerteke, Bizonylat, Count };
constexpr int kProductFieldCount = static_cast<int>(ProductField::Count);

struct ProductFieldSpec {
    ProductField field;
    const char* column; // TERMEK column
    const char* label;  // UTF-8
    int maxLength;      // 0: unlimited
    CharClass keys;
    bool readOnly;
    const char* defaultText; // for a new product
};

const std::array<ProductFieldSpec, kProductFieldCount>& productFieldSpecs();
const ProductFieldSpec& productFieldSpec(ProductField field);

struct ProductInput {
    std::array<QString, kProductFieldCount> values;

    QString& operator[](ProductField f) { return values[static_cast<size_t>(f)]; }
    const QString& operator[](ProductField f) const { return values[static_cast<size_t>(f)]; }
};

using ProductFault = Fault<ProductField>;

// The entry checks in their fixed order; the first fault, or nothing.
std::optional<ProductFault> checkProduct(const ProductInput& input);

// Another product with the same code (the same text, or the same number: "7" and "00007"),
// read on ZQ41; ownId is the key of the product being changed, 0 for a new one.
std::optional<ProductFault> checkProductCodeUnique(TData& data, const QString& code, qint64 ownId);

namespace producttext {
extern const QString NewMode;    // "Új termék"
extern const QString ChangeMode; // "Termék módositás"
extern const QString LastRow;
extern const QString Deleted;
extern const QString Hiba61;
extern const QString Hiba72;
extern const QString Hiba73;
extern const QString Hiba74;
extern const QString ByCodeLabel;
extern const QString ByNameLabel;
extern const QString ByIdLabel;
extern const QString GridHint;
} // namespace producttext

// The orders of the list: by name (opening and after a store), by code, by key.
enum class ProductOrder { OpeningByName, ByCode, ByName, ById, AfterStore };
QStringList productListSql(ProductOrder order);
QString productOrderLabel(ProductOrder order);
// Re-runs ZQ40 in the order.
void openProductList(TData& data, ProductOrder order);
// Moves ZQ40 to the product with the code: an exact match first, otherwise the first code that
// begins with it (ignoring case); no move when none does.
bool locateProductCode(Query& query, const QString& code);

// The proposed code of a new product: the numeric maximum of the existing codes plus one,
// unpadded (query ZQ41).
QString nextProductCode(TData& data);

// All products (query ZQ41).
qint64 productCount(TData& data);
// Deletes the product by its key on ZQ41 and commits at once; throws WriteError ("Hiba61…").
void deleteProduct(TData& data, qint64 id);

// Fills an entry from the current row of a product query; throws DbError without a row.
ProductInput productFromRow(const Query& query);

// The INSERT (new) or UPDATE (change) on ZQ41; on success productSearchText is the code. Throws
// WriteError with "Hiba72…" / "Hiba73…", or "Hiba74…" when the transaction could not start.
void storeProduct(TData& data, bool isNew, const ProductInput& input);
QStringList productInsertSql();
QStringList productUpdateSql();

} // namespace zeror
