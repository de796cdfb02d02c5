#include "DataCheckScreens.h"

#include "ScreenRegistry.h"
#include "TData.h"
#include "TForm14.h"

namespace zeror {

void registerDataCheckScreens()
{
    ui::registerScreen(QStringLiteral("Ellenrzs2"), [](QWidget* parent) {
        TForm14 f(*TData::instance(), parent);
        f.exec();
    });
}

} // namespace zeror
