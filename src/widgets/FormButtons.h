#pragma once

#include <QList>
#include <QString>

class QHBoxLayout;
class QPushButton;
class QWidget;

namespace zeror::ui {

// A push button with a stable object name that is never the dialog's default button: Enter
// moves between the fields (EnterNavigator) and clicks only the button that has the focus.
QPushButton* makeButton(QWidget* parent, const char* objectName, const QString& text);

// The buttons in a row, pushed to the right.
QHBoxLayout* buttonRow(const QList<QPushButton*>& buttons);

// Sets the tab order of the widgets in the order given.
void setTabChain(const QList<QWidget*>& order);

// Makes the window at least as wide as its caption needs, with room for the title bar's buttons,
// so that the caption is never cut off.
void fitWidthToTitle(QWidget* window);

} // namespace zeror::ui
