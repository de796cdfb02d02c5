#pragma once

#include "prepared.h"

#include <QRectF>
#include <QString>

class QPainter;
class QPrinter;

namespace report {

// Paints one prepared page into targetRect (device units of the painter's
// device); the page is scaled to the rectangle's width.
void paintPage(const PreparedReport& report, int pageIndex, QPainter* painter,
               const QRectF& targetRectDeviceUnits);

// Writes every page to a PDF file. The file is written under a temporary name
// and renamed when complete, so a failed write leaves no half file behind.
bool writePdf(const PreparedReport& report, const QString& fileName, QString* error);

// Prints on the printer as it is set up (e.g. by QPrintDialog): paper size and
// orientation of the report, the page range and copies chosen there.
bool print(const PreparedReport& report, QPrinter* printer, QString* error);

}  // namespace report
