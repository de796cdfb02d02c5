#include "BuyerScreens.h"

#include "ScreenRegistry.h"
#include "TData.h"
#include "TForm17.h"
#include "TForm18.h"
#include "TForm38.h"

namespace zeror {

void registerBuyerScreens()
{
    ui::registerScreen(QStringLiteral("Vlaszts1"), [](QWidget* parent) {
        TForm18 form(*TData::instance(), parent);
        form.exec();
    });
    // The buyer record is the one item whose screen is filled before it is shown.
    ui::registerScreen(QStringLiteral("Lekrdezs2"), [](QWidget* parent) {
        TForm17 form(*TData::instance(), parent);
        if (form.loadRecord())
            form.exec();
    });
    ui::registerScreen(QStringLiteral("vnyits1"), [](QWidget* parent) {
        TForm38 form(*TData::instance(), parent);
        form.exec();
    });
}

} // namespace zeror
