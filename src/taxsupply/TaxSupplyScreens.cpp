#include "TaxSupplyScreens.h"

#include "ScreenRegistry.h"
#include "TForm11.h"
#include "TForm24.h"

namespace zeror {

void registerTaxSupplyScreens()
{
    ui::registerScreen(QStringLiteral("N0808Mhozexport1"), [](QWidget* parent) {
        TForm11 form(parent);
        form.exec();
    });
    ui::registerScreen(QStringLiteral("Importsszevons1"), [](QWidget* parent) {
        TForm24 form(parent);
        form.exec();
    });
}

} // namespace zeror
