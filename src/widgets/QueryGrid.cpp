#include "QueryGrid.h"

#include "AppSettings.h"
#include "GridFormats.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QStyle>
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
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int, int, int) {
        // Only the operator's dragging counts; the program's own widths are set before showing.
        if (m_widthsApplied && isVisible())
            m_widthsChanged = true;
    });
}

QString QueryGrid::widthsKey() const
{
    const QString windowName = window() ? window()->objectName() : QString();
    if (windowName.isEmpty() || objectName().isEmpty())
        return QString();
    return QStringLiteral("grids/%1.%2").arg(windowName, objectName());
}

void QueryGrid::setEnterAction(std::function<void()> action)
{
    m_enterAction = std::move(action);
    // The Enter navigation of the window leaves this grid's Enter to the grid.
    setProperty("enterActivates", bool(m_enterAction));
}

void QueryGrid::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && m_enterAction && !(event->modifiers() & Qt::ShiftModifier)) {
        event->accept();
        m_enterAction();
        return;
    }
    QTableView::keyPressEvent(event);
}

void QueryGrid::showEvent(QShowEvent* event)
{
    QTableView::showEvent(event);
    if (m_widthsApplied)
        return;
    widenNumberColumns();
    restoreWidths();
    m_widthsApplied = true;
}

void QueryGrid::hideEvent(QHideEvent* event)
{
    saveWidths();
    QTableView::hideEvent(event);
}

void QueryGrid::widenNumberColumns()
{
    Query* q = m_model->query();
    if (!q || m_model->rowCount() == 0)
        return;
    const int padding = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 12;
    for (int c = 0; c < m_model->columnCount(); ++c) {
        const QString field = m_model->fieldName(c);
        const int queryColumn = q->fieldIndex(field);
        if (queryColumn < 0)
            continue;
        const int type = q->valueAt(0, queryColumn).typeId();
        if (type != QMetaType::Double && type != QMetaType::Float)
            continue;
        // Room for a year's figures: hundreds of millions of forints, quantities with four decimals.
        const QString widest = gridfmt::kindOfField(field) == gridfmt::Kind::Money ? QStringLiteral("-999 999 999,99")
                                                                                  : QStringLiteral("-9 999 999,9999");
        const int needed = fontMetrics().horizontalAdvance(widest) + padding;
        if (columnWidth(c) < needed)
            setColumnWidth(c, needed);
    }
}

void QueryGrid::restoreWidths()
{
    const QString key = widthsKey();
    if (key.isEmpty())
        return;
    const QStringList widths = settings::value(key).toString().split(u',', Qt::SkipEmptyParts);
    if (widths.size() != m_model->columnCount())
        return;
    for (int c = 0; c < widths.size(); ++c) {
        bool ok = false;
        const int w = widths[c].toInt(&ok);
        if (ok && w >= 8 && w <= 2000)
            setColumnWidth(c, w);
    }
}

void QueryGrid::saveWidths()
{
    const QString key = widthsKey();
    if (!m_widthsChanged || key.isEmpty())
        return;
    QStringList widths;
    for (int c = 0; c < m_model->columnCount(); ++c)
        widths << QString::number(columnWidth(c));
    settings::setValue(key, widths.join(u','));
    m_widthsChanged = false;
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
