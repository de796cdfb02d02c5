#include "MasterdataScreens.h"

#include "ScreenRegistry.h"
#include "TForm4.h"
#include "TForm6.h"

namespace zeror {

void registerMasterdataScreens()
{
    const ui::ScreenOpener producers = [](QWidget* parent) {
        TForm4 form(parent);
        form.exec();
    };
    const ui::ScreenOpener products = [](QWidget* parent) {
        TForm6 form(parent);
        form.exec();
    };
    // The main-menu items and the pickers of the ticket screens open the same lists.
    ui::registerScreen(QStringLiteral("stermel1"), producers);
    ui::registerScreen(QStringLiteral("picker:producer"), producers);
    ui::registerScreen(QStringLiteral("Termk1"), products);
    ui::registerScreen(QStringLiteral("picker:product"), products);
}

} // namespace zeror
