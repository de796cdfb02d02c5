#include "HandOverScreens.h"

#include "ScreenRegistry.h"
#include "TData.h"
#include "TForm27.h"
#include "TForm41.h"

namespace zeror {

void registerHandOverScreens()
{
    ui::registerScreen(QStringLiteral("Adattadskszlethez1"), [](QWidget* parent) {
        TForm41 form(*TData::instance(), parent);
        form.exec();
    });
    ui::registerScreen(QStringLiteral("Adatokkldse1"), [](QWidget* parent) {
        TForm27 form(parent);
        form.exec();
    });
}

} // namespace zeror
