#pragma once

#include <QDate>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

namespace zeror {

class TData;

// What a list screen hands to the print sequence: the template, its orientation, the variables
// to set, and (for the per-product and per-producer lists) the period the data feeds re-run
// their detail queries with.
struct ListPrintJob
{
    QString templateFile;
    bool landscape = false;
    QList<QPair<QString, QVariant>> variables;
    bool readBuyer = true; // read the chosen buyer into ZQ60 first
    bool setsFeedPeriod = false;
    bool byPaymentDate = true;
    QDate from;
    QDate to;

    QVariant variable(const QString& name) const;
};

// A period of a list screen: both days included, selected by the payment date (f_fizkelt) or by
// the purchase date (f_felvkelt).
struct ListPeriod
{
    QDate from;
    QDate to;
    bool byPaymentDate = true;
};

// The default period of a list screen: 1 January to 31 December of today's year.
ListPeriod defaultListPeriod();

// A period date as the lists print it: "2016.01.31".
QString listDateText(const QDate& date);

// The grand total as the lists hand it over: shortest general form with a decimal comma and
// no grouping; no rows or an empty sum give "0".
QString grandTotalText(const QVariant& sum);

// The statement line of the period: every quoted WHERE line names f_fizkelt, the purchase-date
// choice puts f_felvkelt in its place.
QString periodLine(const QString& paymentDateLine, bool byPaymentDate);

// ---- "Tételes lista" ------------------------------------------------------------------------

// The five orders of the itemised list, in the order of their buttons.
struct ItemisedOrder
{
    QString button;  // "Östermelö"
    QString orderBy; // "ORDER BY o_nev, f_fizkelt"
    QString label;   // v_sorrend: "östermelö"
};
const QList<ItemisedOrder>& itemisedOrders();

// "Kigyüjtés": the grand total by payment date, then the period's lines into ZQ20 in the chosen
// order. Returns the grand total text. Throws DbError.
QString collectItemisedList(TData& data, const QString& buyerCode, const QDate& from, const QDate& to, int order);

ListPrintJob itemisedListPrint(const QString& grandTotal, const QDate& from, const QDate& to, int order);

// The grid columns of the itemised list: field and title.
QList<QPair<QString, QString>> itemisedListColumns();

// ---- "Termékenkénti lista" ------------------------------------------------------------------

// "Kigyüjtés": the grand total (ZQ80), the product summary (ZQ20), and the first product's lines
// (ZQ21). Returns the grand total text. Throws DbError.
QString collectProductList(TData& data, const QString& buyerCode, const ListPeriod& period);

ListPrintJob productListPrint(const QString& grandTotal, const ListPeriod& period);

// ---- "Östermelönkénti lista" ----------------------------------------------------------------

// "Kigyüjtés": the grand total (ZQ80) and the producer summary (ZQ20). Throws DbError.
QString collectProducerList(TData& data, const QString& buyerCode, const ListPeriod& period);

// "Nyomtatás", first producer: ZQ20 on its first row, that producer's total in ZQ80 and its
// lines in ZQ21. Throws DbError.
void prepareProducerListPrint(TData& data, const QString& buyerCode, const ListPeriod& period);

ListPrintJob producerListPrint(const QString& grandTotal, const ListPeriod& period);

} // namespace zeror
