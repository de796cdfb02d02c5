#include "TextExchangeScreens.h"

#include "ScreenRegistry.h"
#include "TData.h"
#include "TForm25.h"
#include "TForm29.h"
#include "TForm34.h"

namespace zeror {

void registerTextExchangeScreens()
{
    ui::registerScreen(QStringLiteral("Adatexport1"), [](QWidget* parent) {
        TForm29 form(*TData::instance(), parent);
        form.exec();
    });
    ui::registerScreen(QStringLiteral("Rgiblexport1"), [](QWidget* parent) {
        TForm25 form(*TData::instance(), parent);
        form.exec();
    });
    ui::registerScreen(QStringLiteral("Importexcelblcsv1"), [](QWidget* parent) {
        TForm34 form(*TData::instance(), parent);
        form.exec();
    });
    // The second export screen (TForm15) has no menu item.
}

} // namespace zeror
