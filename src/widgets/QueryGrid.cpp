#include "QueryGrid.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QToolButton>

namespace zeror::ui {

QueryGrid::QueryGrid(Query* query, QWidget* parent) : QTableView(parent), m_model(new QueryModel(query, this))
{
    setModel(m_model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAlternatingRowColors(true);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setVisible(false);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);

    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current, const QModelIndex&) {
                if (m_syncing || !current.isValid())
                    return;
                m_syncing = true;
                m_model->query()->setRecNo(current.row());
                m_syncing = false;
            });
    connect(query, &Query::currentChanged, this, [this](int) {
        if (!m_syncing)
            syncFromQuery();
    });
    connect(query, &Query::rowsReset, this, [this] { syncFromQuery(); });
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        emit titleClicked(section, currentIndex().isValid() ? currentIndex().column() : -1);
    });
}

void QueryGrid::syncFromQuery()
{
    const int row = m_model->query()->recNo();
    if (row < 0 || row >= m_model->rowCount())
        return;
    m_syncing = true;
    const int column = currentIndex().isValid() ? currentIndex().column() : 0;
    const QModelIndex index = m_model->index(row, qMax(0, column));
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
    m_syncing = false;
}

GridNavigator::GridNavigator(QueryGrid* grid, QWidget* parent) : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto make = [&](const char* name, const QString& text, const QString& tip, auto move) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(text);
        b->setToolTip(tip);
        b->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(b);
        connect(b, &QToolButton::clicked, grid, [grid, move] {
            move(grid->query());
            grid->syncFromQuery();
        });
        return b;
    };
    m_first = make("navFirst", QStringLiteral("|◀"), QStringLiteral("Első"), [](Query* q) { q->first(); });
    m_prior = make("navPrior", QStringLiteral("◀"), QStringLiteral("Előző"), [](Query* q) { q->prior(); });
    m_next = make("navNext", QStringLiteral("▶"), QStringLiteral("Következő"), [](Query* q) { q->next(); });
    m_last = make("navLast", QStringLiteral("▶|"), QStringLiteral("Utolsó"), [](Query* q) { q->last(); });
    layout->addStretch();
}

} // namespace zeror::ui
