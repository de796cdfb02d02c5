#include "TForm15.h"

namespace zeror {

TForm15::TForm15(TData& dataModule, QWidget* parent)
    : TForm29(dataModule, parent, QStringLiteral("Form15"), QStringLiteral("Mégsem"), QStringLiteral("Mentés vége. "))
{
}

} // namespace zeror
