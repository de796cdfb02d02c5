#include "MaintenanceScreens.h"

#include "ScreenRegistry.h"
#include "TData.h"
#include "TForm22.h"
#include "UpgradeScreens.h"

namespace zeror {

namespace {

template<class Screen>
void registerOne(const char* itemName)
{
    ui::registerScreen(QString::fromLatin1(itemName), [](QWidget* parent) {
        Screen form(*TData::instance(), parent);
        form.exec();
    });
}

} // namespace

void registerMaintenanceScreens()
{
    registerOne<TForm22>("Adatbzis1");
    registerOne<TForm28>("Magnnytag1");
    registerOne<TForm36>("Ostermeloegyesites1");
    registerOne<TForm37>("FELIRazonfelvtele1");
    registerOne<TForm42>("Kamaraiszmhossza1");
}

} // namespace zeror
