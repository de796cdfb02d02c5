#pragma once

#include "QueryModel.h"

#include <QTableView>
#include <QWidget>

#include <functional>

class QToolButton;

namespace zeror::ui {

// A read-only grid over a named query whose selected row is the query's current row, both ways:
// moving in the grid moves the query, and moving the query (locate, first, last) moves the grid.
class QueryGrid : public QTableView
{
    Q_OBJECT

public:
    explicit QueryGrid(Query* query, QWidget* parent = nullptr);

    QueryModel* queryModel() const { return m_model; }
    Query* query() const { return m_model->query(); }
    void setColumns(const QList<QueryModel::Column>& columns) { m_model->setColumns(columns); }

    // Selects the query's current row (after the screen has moved the query itself).
    void syncFromQuery();

    // Enter (and Return) in the grid runs the action, e.g. choosing the current row in a picker;
    // without one, Enter is left to the window (it moves the focus on).
    void setEnterAction(std::function<void()> action);

    // The "zeror.ini" key under which the column widths are kept: "grids/<window>.<grid>" by
    // the object names; empty when either has none (the widths are then not kept).
    QString widthsKey() const;

protected:
    // On the first showing: number columns get room for a year's figures, then the widths the
    // operator left last time are put back.
    void showEvent(QShowEvent* event) override;
    // The widths the operator changed are kept for the next opening.
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

signals:
    // A column title was clicked: the section index and the grid column of the cell cursor.
    void titleClicked(int section, int cursorColumn);

private:
    void widenNumberColumns();
    void restoreWidths();
    void saveWidths();

    QueryModel* m_model;
    bool m_syncing = false;
    std::function<void()> m_enterAction;
    bool m_widthsApplied = false;
    bool m_widthsChanged = false;
};

// First / previous / next / last buttons for a grid, like a dataset navigator.
class GridNavigator : public QWidget
{
    Q_OBJECT

public:
    explicit GridNavigator(QueryGrid* grid, QWidget* parent = nullptr);

    QToolButton* firstButton() const { return m_first; }
    QToolButton* priorButton() const { return m_prior; }
    QToolButton* nextButton() const { return m_next; }
    QToolButton* lastButton() const { return m_last; }

private:
    QToolButton* m_first;
    QToolButton* m_prior;
    QToolButton* m_next;
    QToolButton* m_last;
};

} // namespace zeror::ui
