#include "TForm22.h"

#include "DbError.h"
#include "Dialogs.h"
#include "FormButtons.h"
#include "RawTables.h"
#include "TData.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace zeror {

TPasswordDlg::TPasswordDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PasswordDlg"));
    setWindowTitle(QStringLiteral("Jelszó"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("Kérem adja meg a jelszót"), this);
    label->setObjectName(QStringLiteral("Label1"));
    layout->addWidget(label);
    m_password = new QLineEdit(this);
    m_password->setObjectName(QStringLiteral("Password"));
    m_password->setEchoMode(QLineEdit::Password);
    label->setBuddy(m_password);
    layout->addWidget(m_password);
    m_ok = ui::makeButton(this, "OKBtn", QStringLiteral("OK"));
    m_cancel = ui::makeButton(this, "CancelBtn", QStringLiteral("Mégsem"));
    layout->addLayout(ui::buttonRow({m_ok, m_cancel}));
    // Enter in the field confirms, as in any password box.
    m_ok->setDefault(true);
    connect(m_password, &QLineEdit::returnPressed, this, &QDialog::accept);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    m_password->setFocus();
}

RawTableNavigator::RawTableNavigator(QTableView* grid, RawTableModel* model, QWidget* parent)
    : QWidget(parent), m_grid(grid), m_model(model)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto move = [this](const char* name, const QString& text, const QString& tip, auto target) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(text);
        b->setToolTip(tip);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QToolButton::clicked, this, [this, target] {
            const int rows = m_model->rowCount();
            if (rows == 0)
                return;
            const int current = m_grid->currentIndex().isValid() ? m_grid->currentIndex().row() : 0;
            const int column = m_grid->currentIndex().isValid() ? m_grid->currentIndex().column() : 0;
            const int row = qBound(0, target(current, rows), rows - 1);
            m_grid->setCurrentIndex(m_model->index(row, column));
        });
        return b;
    };
    layout->addWidget(move("navFirst", QStringLiteral("|◀"), QStringLiteral("Első"), [](int, int) { return 0; }));
    layout->addWidget(move("navPrior", QStringLiteral("◀"), QStringLiteral("Előző"), [](int r, int) { return r - 1; }));
    layout->addWidget(move("navNext", QStringLiteral("▶"), QStringLiteral("Következő"), [](int r, int) { return r + 1; }));
    layout->addWidget(move("navLast", QStringLiteral("▶|"), QStringLiteral("Utolsó"), [](int, int n) { return n - 1; }));
    m_insert = new QPushButton(QStringLiteral("+"), this);
    m_insert->setObjectName(QStringLiteral("navInsert"));
    m_insert->setToolTip(QStringLiteral("Új sor"));
    m_insert->setFocusPolicy(Qt::NoFocus);
    m_delete = new QPushButton(QStringLiteral("−"), this);
    m_delete->setObjectName(QStringLiteral("navDelete"));
    m_delete->setToolTip(QStringLiteral("Sor törlése"));
    m_delete->setFocusPolicy(Qt::NoFocus);
    for (QPushButton* b : {m_insert, m_delete}) {
        b->setAutoDefault(false);
        b->setMaximumWidth(32);
        layout->addWidget(b);
    }
    layout->addStretch();
    connect(m_insert, &QPushButton::clicked, this, [this] {
        const int row = m_model->appendRow();
        if (row >= 0) {
            m_grid->setCurrentIndex(m_model->index(row, 0));
            m_grid->setFocus();
        }
    });
    connect(m_delete, &QPushButton::clicked, this, [this] {
        const QModelIndex current = m_grid->currentIndex();
        if (!current.isValid())
            return;
        if (!ui::Dialogs::question(this, QStringLiteral("Törli a sort?")))
            return;
        if (m_model->deleteRow(current.row()) && m_model->rowCount() > 0)
            m_grid->setCurrentIndex(m_model->index(qMin(current.row(), m_model->rowCount() - 1), current.column()));
    });
    refresh();
}

void RawTableNavigator::refresh()
{
    const bool writable = RawTables::isWritable(m_model->dataModule(), m_model->table());
    m_insert->setEnabled(writable);
    m_delete->setEnabled(writable);
}

TForm22::TForm22(TData& dataModule, QWidget* parent) : QDialog(parent), m_data(dataModule)
{
    setObjectName(QStringLiteral("Form22"));
    setWindowTitle(QStringLiteral("Adatbázis"));
    resize(900, 520);
    auto* layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("PageControl1"));
    layout->addWidget(m_tabs);

    for (int t = 0; t < RawTables::Count; ++t) {
        auto* page = new QWidget(m_tabs);
        page->setObjectName(QStringLiteral("TabSheet%1").arg(t + 1));
        auto* pageLayout = new QVBoxLayout(page);
        m_models[t] = new RawTableModel(m_data, t, this);
        auto* grid = new QTableView(page);
        grid->setObjectName(QStringLiteral("DBGrid%1").arg(t + 1));
        grid->setModel(m_models[t]);
        grid->setSelectionMode(QAbstractItemView::SingleSelection);
        grid->setAlternatingRowColors(true);
        grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed);
        grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
        m_grids[t] = grid;
        m_navigators[t] = new RawTableNavigator(grid, m_models[t], page);
        m_navigators[t]->setObjectName(QStringLiteral("DBNavigator%1").arg(t + 1));
        pageLayout->addWidget(m_navigators[t]);
        pageLayout->addWidget(grid);
        m_tabs->addTab(page, RawTables::tabTitle(t));
        connect(m_models[t], &RawTableModel::failed, this,
                [this](const QString& message) { ui::Dialogs::error(this, message); });
        // A stored edit re-reads the table; the cursor comes back to the same row and column.
        connect(m_models[t], &QAbstractItemModel::modelAboutToBeReset, grid,
                [grid] { grid->setProperty("lastColumn", grid->currentIndex().column()); });
        connect(m_models[t], &QAbstractItemModel::modelReset, grid, [grid, model = m_models[t]] {
            const int row = model->dataset().recNo();
            if (row >= 0 && row < model->rowCount())
                grid->setCurrentIndex(model->index(row, qMax(0, grid->property("lastColumn").toInt())));
        });
    }

    m_edit = ui::makeButton(this, "Button1", QStringLiteral("Szerkeszt"));
    m_cancel = ui::makeButton(this, "Button2", QStringLiteral("Mégsem"));
    layout->addLayout(ui::buttonRow({m_edit, m_cancel}));
    connect(m_edit, &QPushButton::clicked, this, &TForm22::SzerkesztClick);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    m_edit->installEventFilter(this);
    m_cancel->installEventFilter(this);

    // The grid of the buyers shows only after the code that opens it.
    showBuyers(false);
    try {
        // The tables were opened at start-up; their rows are read now.
        for (int t = 0; t < RawTables::Count; ++t) {
            Query& q = m_models[t]->dataset();
            if (!q.isOpen())
                q.open();
        }
    } catch (const Error& e) {
        ui::Dialogs::error(this, e.message());
    }
    refreshAccess();
    m_edit->setFocus();
}

TForm22::~TForm22()
{
    if (!m_closed) {
        try {
            RawTables::closeEditor(m_data);
        } catch (...) {
        }
    }
}

void TForm22::showBuyers(bool visible)
{
    m_grids[RawTables::Buyers]->setVisible(visible);
    m_navigators[RawTables::Buyers]->setVisible(visible);
}

void TForm22::refreshAccess()
{
    for (int t = 0; t < RawTables::Count; ++t)
        m_navigators[t]->refresh();
}

void TForm22::SzerkesztClick()
{
    if (m_code.isEmpty()) {
        TPasswordDlg dialog(this);
        dialog.exec();
        // The text counts whichever button closed the box.
        m_code = dialog.passwordEdit()->text();
    }
    const EditorAccess access = accessForCode(m_code);
    try {
        RawTables::applyAccess(m_data, access);
    } catch (const Error& e) {
        ui::Dialogs::error(this, e.message());
    }
    if (access == EditorAccess::AllTables)
        showBuyers(true);
    refreshAccess();
}

bool TForm22::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == m_edit || watched == m_cancel) && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_M) {
            try {
                RawTables::setFiveWritable(m_data, true);
            } catch (const Error& e) {
                ui::Dialogs::error(this, e.message());
            }
            refreshAccess();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TForm22::done(int result)
{
    if (!m_closed) {
        m_closed = true;
        m_code.clear();
        try {
            RawTables::closeEditor(m_data);
        } catch (const Error& e) {
            ui::Dialogs::error(this, e.message());
        }
    }
    QDialog::done(result);
}

} // namespace zeror
