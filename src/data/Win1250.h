#pragma once

#include <QByteArray>
#include <QString>

// Text crosses into and out of the database in the Windows-1250 code page.
namespace zeror::win1250 {
QByteArray encode(const QString& text);
QString decode(const QByteArray& bytes);
QString decode(const char* bytes, qsizetype size);
} // namespace zeror::win1250
