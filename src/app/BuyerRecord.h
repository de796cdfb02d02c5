#pragma once

#include "Error.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace zeror {

class TData;
class Query;

// ---- Choosing the buyer ----------------------------------------------------------------------

// Fills ZQ60 with every buyer in a stable order (by ID_ATVEVO) and leaves it on the first row;
// throws DbError.
void openBuyerList(TData& dataModule);

// The values set when the selection screen opens: the buyer query moves to its last row and
// buyerCode, buyerDeclaration and templateVariant take that row's values. Nothing else changes.
void applyOpeningBuyer(TData& dataModule);

// A buyer choice by code on the open buyer list: positions ZQ60 on the code and sets every buyer
// value of the shared state (ticket types, code, declaration, layout letter, version text).
// Returns the window title of the choice, or "" when the code is not in the list.
QString chooseBuyer(TData& dataModule, const QString& code);

// ---- The buyer record ------------------------------------------------------------------------

// The columns of the buyer record screen, as typed by the operator or loaded from ATVEVO.
struct BuyerRecord
{
    QString id;
    QString code;
    QString name;
    QString postcode;
    QString town;
    QString district;
    QString street;
    QString placeKind;
    QString houseNumber;
    QString building;
    QString staircase;
    QString floor;
    QString door;
    QString taxNumber;
    QString communityTaxNumber;
    QString bankAccount;
    QString declaration;
    QString version;
    bool soleProprietor = false;
    QString proprietorName;
    QString taxId;
    QString registrationNumber;
    bool smallTaxpayer = false;
};

// One text field of the buyer record screen: label, column, maximum length (0 = none) and
// whether the operator can change it. The column name is also the field's object name.
struct BuyerFieldSpec
{
    QString label;
    QString column;
    int maxLength;
    bool editable;
    QString BuyerRecord::*member;
};

// The text fields of the screen in display order (the two tick boxes are separate).
const std::vector<BuyerFieldSpec>& buyerRecordFields();

inline const QString kSoleProprietorColumn = QStringLiteral("V_EV");
inline const QString kSmallTaxpayerColumn = QStringLiteral("V_KISADO");
inline const QString kSoleProprietorLabel = QStringLiteral("Egyéni vállalkozó");
inline const QString kSmallTaxpayerLabel = QStringLiteral("Kisadózó");

inline const QString kLoadFailedMessage =
    QStringLiteral("Hiba172 az atvevo módosítás Edit-ben való megjelenitésekor!");
inline const QString kTicketsExistMessage = QStringLiteral("Már készült felvásárlási jegy! Nem módositható.");
inline const QString kStatementFailedMessage = QStringLiteral("Hiba170: UPDATE atvevo ");
inline const QString kStartFailedMessage = QStringLiteral("Hiba171: UPDATE az atvevo ");

// Reads the buyer's row by code (query ZQ60). nullopt when the row cannot be read or is missing:
// a record that is not in the database cannot be shown for change.
std::optional<BuyerRecord> loadBuyerRecord(TData& dataModule, const QString& code);

// Number of ticket headers of the buyer (query ZQ11); throws DbError.
int buyerTicketCount(TData& dataModule, const QString& code);

// The first fault of a record about to be stored: its message and the column of the field.
using BuyerFault = Fault<QString>;
std::optional<BuyerFault> checkBuyerRecord(const BuyerRecord& record);

// The UPDATE of the record through the write procedure (query ZQ61), committed at once. Without
// "Egyéni vállalkozó" the tax identifier, registration number and proprietor's name are written
// as one blank. An UPDATE that finds no row (the buyer vanished meanwhile) is a failure too.
// Throws WriteError with the message to show.
void storeBuyerRecord(TData& dataModule, const BuyerRecord& record, const QString& buyerCode);

// After storing (whatever its outcome): buyerDeclaration and, when the stored version is not
// blank, templateVariant are re-read from the buyer's row. A missing row changes nothing.
void rereadBuyerValues(TData& dataModule, const QString& buyerCode);

} // namespace zeror
