#include "Win1250.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace zeror::win1250 {

QByteArray encode(const QString& text)
{
    QStringEncoder encoder("windows-1250");
    return encoder.encode(text);
}

QString decode(const QByteArray& bytes)
{
    QStringDecoder decoder("windows-1250");
    return decoder.decode(bytes);
}

} // namespace zeror::win1250
