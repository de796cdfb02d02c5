#include "TicketScreens.h"

#include "ScreenRegistry.h"
#include "TForm8.h"
#include "TForm9.h"

namespace zeror {

void registerTicketScreens()
{
    ui::registerScreen(QStringLiteral("Felvsrlsijegy1"), [](QWidget* parent) { TForm8 f(parent); f.exec(); });
    // Opened by the ticket list; the caller has set ticketEntryMode.
    ui::registerScreen(QStringLiteral("ticketEntry:new"), [](QWidget* parent) {
        TForm9 f(parent);
        f.exec();
    });
    ui::registerScreen(QStringLiteral("ticketEntry:modify"), [](QWidget* parent) {
        TForm9 f(parent);
        f.loadTicket();
        f.exec();
    });
}

} // namespace zeror
