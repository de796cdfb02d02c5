#pragma once

#include <QDate>
#include <QDialog>

#include <functional>

class QDateEdit;
class QLabel;
class QPushButton;
class QVBoxLayout;

namespace zeror {

class Query;
namespace ui {
class QueryGrid;
class GridNavigator;
} // namespace ui

// The common shape of the list screens: a grid with its navigator over the collected rows and
// the buttons "Kigyüjtés", "Nyomtatás" (disabled until collected) and "Mégsem".
class ListScreenParts : public QDialog
{
    Q_OBJECT

public:
    QPushButton* collectButton() const { return m_collect; }
    QPushButton* printButton() const { return m_print; }
    QPushButton* cancelButton() const { return m_cancel; }
    ui::QueryGrid* grid() const { return m_grid; }
    ui::GridNavigator* navigator() const { return m_navigator; }

protected:
    ListScreenParts(const char* objectName, const QString& title, QWidget* parent);

    // A date picker showing the year-first form, with a calendar.
    QDateEdit* makeDatePicker(const char* objectName, const QDate& date);
    // Adds the grid over the query and its navigator, then the button row, to the layout.
    void addGridAndButtons(QVBoxLayout* layout, Query* query);
    // Runs a database action; a failure is shown and leaves "Nyomtatás" as it was.
    bool guarded(const std::function<void()>& action);
    // After a successful collection: the grid shows the query's current row, printing is allowed.
    void collected();
    // A choice changed after collecting: the collected rows no longer match it.
    void withdrawPrint();

private:
    ui::QueryGrid* m_grid = nullptr;
    ui::GridNavigator* m_navigator = nullptr;
    QPushButton* m_collect;
    QPushButton* m_print;
    QPushButton* m_cancel;
};

} // namespace zeror
