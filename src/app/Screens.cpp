#include "Startup.h"
#include "TForm1.h"

namespace zeror {

void registerScreens()
{
}

} // namespace zeror
