#pragma once

#include "prepared.h"

#include <QRectF>
#include <QString>

class QPainter;

namespace report {

// Paints one prepared page into targetRect (device units of the painter's
// device); the page is scaled to the rectangle's width.
void paintPage(const PreparedReport& report, int pageIndex, QPainter* painter,
               const QRectF& targetRectDeviceUnits);

// Writes every page to a PDF file. The file is written under a temporary name
// and renamed when complete, so a failed write leaves no half file behind.
bool writePdf(const PreparedReport& report, const QString& fileName, QString* error);

}  // namespace report
