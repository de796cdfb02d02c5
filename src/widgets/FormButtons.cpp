#include "FormButtons.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPushButton>
#include <QWidget>

namespace zeror::ui {

QPushButton* makeButton(QWidget* parent, const char* objectName, const QString& text)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(objectName));
    b->setAutoDefault(false);
    return b;
}

QHBoxLayout* buttonRow(const QList<QPushButton*>& buttons)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* b : buttons)
        row->addWidget(b);
    return row;
}

void setTabChain(const QList<QWidget*>& order)
{
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void fitWidthToTitle(QWidget* window)
{
    if (!window)
        return;
    QFont titleFont = window->font();
    titleFont.setBold(true);
    const int needed = QFontMetrics(titleFont).horizontalAdvance(window->windowTitle()) + 160;
    if (window->minimumWidth() < needed)
        window->setMinimumWidth(needed);
    if (window->width() < needed)
        window->resize(needed, window->height());
}

} // namespace zeror::ui
