#include "ExchangeScreens.h"

#include "ScreenRegistry.h"
#include "TData.h"
#include "TForm20.h"

namespace zeror {

void registerExchangeScreens()
{
    ui::registerScreen(QStringLiteral("Adatokexceltblba1"), [](QWidget* parent) {
        TForm20 form(*TData::instance(), parent);
        form.exec();
    });
}

} // namespace zeror
