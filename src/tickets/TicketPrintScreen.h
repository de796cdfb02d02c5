#pragma once

class QWidget;

namespace zeror {

class TData;

// The printout of the ticket list's current row by printAction ("Nyomtat" prints, "Megtekint"
// only views): prepares it, marks an unprinted ticket printed (committed, and only once its
// template has loaded), shows the preview and re-opens the list on currentTicketNumber. False
// when the printout stopped with a message.
bool printSelectedTicket(TData& data, QWidget* parent);

} // namespace zeror
