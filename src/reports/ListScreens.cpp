#include "ListScreens.h"

#include "ScreenRegistry.h"
#include "TData.h"
#include "TForm12.h"
#include "TForm13.h"
#include "TForm19.h"
#include "TForm30.h"
#include "TForm31.h"
#include "TForm32.h"
#include "TForm33.h"

namespace zeror {

namespace {
template<class Form>
ui::ScreenOpener opener()
{
    return [](QWidget* parent) {
        Form form(*TData::instance(), parent);
        form.exec();
    };
}
} // namespace

void registerListScreens()
{
    ui::registerScreen(QStringLiteral("Bevallslista1"), opener<TForm12>());
    ui::registerScreen(QStringLiteral("Termkenkntilista1"), opener<TForm13>());
    ui::registerScreen(QStringLiteral("Termelnkntilista1"), opener<TForm19>());
    ui::registerScreen(QStringLiteral("stermelhavibontsban1"), opener<TForm30>());
    ui::registerScreen(QStringLiteral("Kszpnzeskifizets1"), opener<TForm31>());
    ui::registerScreen(QStringLiteral("Statisztika1"), opener<TForm32>());
    ui::registerScreen(QStringLiteral("Szerzds1"), opener<TForm33>());
}

} // namespace zeror
