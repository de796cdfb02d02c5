#include "ShellToolScreens.h"

#include "ScreenRegistry.h"
#include "TForm16.h"
#include "TForm21.h"
#include "TForm26.h"
#include "TForm35.h"

namespace zeror {

void registerShellToolScreens()
{
    ui::registerScreen(QStringLiteral("Adatments1"), [](QWidget* parent) {
        TForm35 form(parent);
        form.exec();
    });
    ui::registerScreen(QStringLiteral("Sug1"), [](QWidget* parent) {
        TForm21 form(parent);
        form.exec();
    });
    ui::registerScreen(QStringLiteral("Nvjegy1"), [](QWidget* parent) {
        TForm16 form(parent);
        form.exec();
    });
    ui::registerScreen(QStringLiteral("Tvsegitsg1"), [](QWidget* parent) {
        TForm26 form(parent);
        form.exec();
    });
}

} // namespace zeror
