#include "AuditXmlScreens.h"

#include "ScreenRegistry.h"
#include "TData.h"
#include "TForm40.h"

namespace zeror {

void registerAuditXmlScreens()
{
    ui::registerScreen(QStringLiteral("Adhatgiellenrzsiadatszolgltats1"), [](QWidget* parent) {
        TForm40 form(*TData::instance(), parent);
        form.exec();
    });
}

} // namespace zeror
