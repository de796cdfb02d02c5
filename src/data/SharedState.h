#pragma once

#include <QString>

namespace zeror {

// The text values that carry choices between the screens during one run; all empty at start.
struct SharedState
{
    // The chosen buyer.
    QString buyerCode;
    QString buyerDeclaration;
    QString templateVariant;
    QString normalTicketType;
    QString stornoTicketType;
    QString versionText;

    // Registers.
    QString producerEntryMode;
    QString producerLocateCode;
    QString productEntryMode;
    QString productSearchText;

    // Tickets.
    QString ticketEntryMode;
    QString lineEntryMode;
    QString currentTicketNumber;
    QString lineLocateId;
    QString printAction;

    // Results of the text helpers.
    QString nameHead;
    QString nameTail;
    QString buyerStreetLine;
    QString producerStreetLine;

    // Empties every value, as at the start of the program.
    void reset() { *this = SharedState(); }
};

// The one set of shared values of the process.
SharedState& sharedState();

} // namespace zeror
