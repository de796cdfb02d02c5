// Compiled as a rules library by the layering test: it must not compile.
#include <QtWidgets/QWidget>

int widgetInRules()
{
    QWidget w;
    return w.width();
}
