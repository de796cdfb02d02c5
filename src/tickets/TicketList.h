#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace zeror {

class TData;

// The order labels of the ticket list.
namespace ticketlist {
inline const QString NumberOrderLabel = QStringLiteral("A lista, \"Bszám\" szerint");
inline const QString SearchOrderLabel = QStringLiteral("Ravuraruvida reva lista, \"Bizonylatszám\" szerint");
inline const QString NumberOrderBy = QStringLiteral("ORDER BY f_Bszam");
} // namespace ticketlist

// One sort order chosen by clicking a column title of the list grid.
struct TicketSortOrder
{
    QString title;   // the column title clicked
    QString orderBy; // the ORDER BY line that replaces the list's own
    QString label;   // the order label shown above the grid
};

// The five titles that sort the list, in grid column order; the other titles do nothing.
const QList<TicketSortOrder>& ticketSortOrders();
// The sort order of a column title, nullptr when the title does not sort.
const TicketSortOrder* ticketSortOrderForTitle(const QString& title);

// The buyer's ticket list query: the headers of buyerCode joined with their producer.
QStringList ticketListSql(const QString& orderBy = ticketlist::NumberOrderBy);

// Re-opens the buyer's ticket list in ZQ10 in the given order, standing on its first row.
void openTicketList(TData& data, const QString& orderBy = ticketlist::NumberOrderBy);

// Re-opens the list in number order and moves to the first ticket whose number begins with the
// prefix (ignoring case); with no match, or an empty prefix, the list stays on its first row.
// Returns whether a ticket matched.
bool openTicketListAt(TData& data, const QString& numberPrefix);

// Why "Módosít" refuses a ticket, from its freshly read F_PRN and F_TIPUS; empty when it may change.
QString modifyRefusal(const QString& printed, const QString& type);
// Reads the list row's ticket afresh (ZQ11) and gives modifyRefusal's answer, or NoTicketSelected
// when the ticket is gone; throws DbError.
QString modifyRefusalOfSelected(TData& data);

// The lines (ZQ20) and the producer (ZQ30) of the selected ticket, for the list's other two tabs;
// throws DbError.
void openTicketDetails(TData& data, const QString& number, const QString& producerCode);

// Why "Érvénytelenit" refuses the list row, from its f_prn, F_ERVENYT and f_tipus; empty when it
// may be voided.
QString voidingRefusal(const QString& printed, const QString& counterpart, const QString& type,
                       const QString& normalTicketType);

// Shown when an action needs a ticket and the list is empty.
inline const QString NoTicketSelected = QStringLiteral("Nincs kiválasztva felvásárlási jegy!");

} // namespace zeror
