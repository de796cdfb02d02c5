#include "TForm4.h"

#include "DbError.h"
#include "Dialogs.h"
#include "FormButtons.h"
#include "ProducerRegister.h"
#include "QueryGrid.h"
#include "RegisterCommon.h"
#include "RegisterWidgets.h"
#include "SharedState.h"
#include "TData.h"
#include "TForm5.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zeror {

namespace {

const QList<QueryModel::Column>& gridColumns()
{
    static const QList<QueryModel::Column> columns{
        {QStringLiteral("O_KOD"), QStringLiteral("Kód")},
        {QStringLiteral("O_NEV"), QStringLiteral("Név")},
        {QStringLiteral("O_IRSZAM"), QStringLiteral("Irszám")},
        {QStringLiteral("O_HELYSEGNEV"), QStringLiteral("Helységnév")},
        {QStringLiteral("O_UTCA"), QStringLiteral("Utca")},
        {QStringLiteral("O_ADOAZON"), QStringLiteral("Adóazonositó")},
        {QStringLiteral("O_IGSZAM"), QStringLiteral("Östermelöi")},
        {QStringLiteral("O_REGSZAM"), QStringLiteral("Reg.szám")},
        {QStringLiteral("O_ADOSZAM"), QStringLiteral("Adószám")},
        {QStringLiteral("O_SZULHELY"), QStringLiteral("Szül.hely")},
        {QStringLiteral("O_SZIDO"), QStringLiteral("Szül.idö")},
        {QStringLiteral("O_ANYJA"), QStringLiteral("Anyja")},
        {QStringLiteral("O_CSGAZD"), QStringLiteral("Családigazd.")},
        {QStringLiteral("O_SZULNEV"), QStringLiteral("Szül.név")},
        {QStringLiteral("O_NEME"), QStringLiteral("Neme")},
        {QStringLiteral("O_BANKSZLA"), QStringLiteral("Bank szla")},
        {QStringLiteral("O_ERVKELT"), QStringLiteral("Érv.kelte")},
        {QStringLiteral("O_BETETLAP"), QStringLiteral("Betétlap")},
        {QStringLiteral("O_MUVKTG"), QStringLiteral("Müv.ktg.")},
        {QStringLiteral("O_MNYPTAG"), QStringLiteral("Magánny.")},
        {QStringLiteral("O_SZJA"), QStringLiteral("szja")},
        {QStringLiteral("O_TAJ"), QStringLiteral("TAJ")},
        {QStringLiteral("O_AKOD"), QStringLiteral("Átvevö")},
        {QStringLiteral("ID_OSTERMELO"), QStringLiteral("ID")},
        {QStringLiteral("O_KAMARA"), QStringLiteral("kamarai reg.")},
    };
    return columns;
}

// Detail panel "Adata": caption and the columns it shows, joined by a blank.
struct DetailItem {
    const char* caption;
    QStringList columns;
};

const QList<DetailItem>& detailItems()
{
    static const QList<DetailItem> items{
        {"Neve:", {QStringLiteral("O_NEV")}},
        {"ID:", {QStringLiteral("ID_OSTERMELO")}},
        {"Kód:", {QStringLiteral("O_KOD")}},
        {"Cim:",
         {QStringLiteral("O_IRSZAM"), QStringLiteral("O_HELYSEGNEV"), QStringLiteral("O_UTCA"),
          QStringLiteral("O_JELLEG"), QStringLiteral("O_HAZSZAM")}},
        {"Adóazonositó:", {QStringLiteral("O_ADOAZON")}},
        {"Ősterm.Ig.szám:", {QStringLiteral("O_IGSZAM")}},
        {"Reg.szám:", {QStringLiteral("O_REGSZAM")}},
        {"Családi gazd.szám:", {QStringLiteral("O_CSGAZD")}},
        {"TAJ:", {QStringLiteral("O_TAJ")}},
        {"Adószám:", {QStringLiteral("O_ADOSZAM")}},
        {"Bank szla:", {QStringLiteral("O_BANKSZLA")}},
        {"Nap:", {QStringLiteral("O_FHAT")}},
        {"Születési név:", {QStringLiteral("O_SZULNEV")}},
        {"Szül. hely:", {QStringLiteral("O_SZULHELY")}},
        {"Születési idő:", {QStringLiteral("O_SZIDO")}},
        {"Anyja neve:", {QStringLiteral("O_ANYJA")}},
        {"Neme:", {QStringLiteral("O_NEME")}},
        {"Érvényesitve:", {QStringLiteral("O_ERVKELT")}},
        {"FELIR:", {QStringLiteral("O_FELIR")}},
        {"Kamarai reg.:", {QStringLiteral("O_KAMARA")}},
    };
    return items;
}

using ui::makeButton;

} // namespace

TForm4::TForm4(QWidget* parent) : QDialog(parent), m_data(TData::instance())
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Őstermelő"));
    resize(1060, 640);

    auto* main = new QVBoxLayout(this);

    m_sortLabel = new QLabel(this);
    m_sortLabel->setObjectName(QStringLiteral("sortLabel"));
    main->addWidget(m_sortLabel);

    m_grid = new ui::QueryGrid(&m_data->ZQ30, this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setColumns(gridColumns());
    m_grid->horizontalHeader()->setDefaultSectionSize(96);
    m_grid->setColumnWidth(0, 56);
    m_grid->setColumnWidth(1, 160);
    m_grid->setColumnWidth(2, 56);
    m_grid->setColumnWidth(3, 120);
    m_grid->setColumnWidth(4, 120);
    main->addWidget(m_grid, 1);
    connect(m_grid, &ui::QueryGrid::titleClicked, this, &TForm4::titleClicked);
    // Enter on a row chooses it and closes the list, like "Kiválaszt".
    m_grid->setEnterAction([this] { chooseClicked(); });

    auto* navRow = new QHBoxLayout;
    auto* navigator = new ui::GridNavigator(m_grid, this);
    navigator->setObjectName(QStringLiteral("DBNavigator1"));
    navRow->addWidget(navigator);
    navRow->addStretch();
    m_searchEdit = new QLineEdit(this);
    m_searchEdit->setObjectName(QStringLiteral("searchEdit"));
    m_searchEdit->setToolTip(QStringLiteral("Kezdö betükre rákeres"));
    m_searchEdit->setPlaceholderText(QStringLiteral("Kezdö betükre rákeres"));
    m_searchEdit->setMinimumWidth(220);
    m_searchEdit->installEventFilter(this);
    navRow->addWidget(m_searchEdit);
    auto* searchButton = makeButton(this, "searchButton", QStringLiteral("Keres"));
    connect(searchButton, &QPushButton::clicked, this, &TForm4::searchClicked);
    navRow->addWidget(searchButton);
    main->addLayout(navRow);

    auto* bottom = new QHBoxLayout;
    auto* adata = new QGroupBox(QStringLiteral("Adata"), this);
    adata->setObjectName(QStringLiteral("adataGroup"));
    auto* grid = new QGridLayout(adata);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(2);
    int row = 0;
    int col = 0;
    for (const DetailItem& item : detailItems()) {
        const QString caption = QString::fromUtf8(item.caption);
        auto* name = new QLabel(caption, adata);
        QLabel* value = registercommon::detailValueLabel(adata);
        value->setObjectName(QStringLiteral("adata_") + item.columns.first());
        m_detail.insert(caption, value);
        const bool wide = caption == QLatin1String("Cim:") || caption == QLatin1String("Neve:");
        if (wide && col != 0) {
            ++row;
            col = 0;
        }
        grid->addWidget(name, row, col * 2);
        if (caption == QLatin1String("Cim:")) {
            grid->addWidget(value, row, 1, 1, 5);
            ++row;
            col = 0;
            continue;
        }
        grid->addWidget(value, row, col * 2 + 1);
        if (++col == 3) {
            col = 0;
            ++row;
        }
    }
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(3, 1);
    grid->setColumnStretch(5, 1);
    bottom->addWidget(adata, 1);

    auto* buttons = new QVBoxLayout;
    auto* choose = makeButton(this, "chooseButton", QStringLiteral("Kiválaszt"));
    auto* newButton = makeButton(this, "newButton", QStringLiteral("Új"));
    m_modifyButton = makeButton(this, "modifyButton", QStringLiteral("Módosít"));
    auto* deleteButton = makeButton(this, "deleteButton", QStringLiteral("Töröl"));
    auto* printButton = makeButton(this, "printButton", QStringLiteral("Nyomtat"));
    auto* cancel = makeButton(this, "cancelButton", QStringLiteral("Mégsem"));
    for (QPushButton* b : {choose, newButton, m_modifyButton, deleteButton, printButton, cancel}) {
        b->setMinimumWidth(110);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    bottom->addLayout(buttons);
    main->addLayout(bottom);

    m_modifyButton->installEventFilter(this);
    connect(choose, &QPushButton::clicked, this, &TForm4::chooseClicked);
    connect(newButton, &QPushButton::clicked, this, &TForm4::newClicked);
    connect(m_modifyButton, &QPushButton::clicked, this, [this] { modifyClicked(false); });
    connect(deleteButton, &QPushButton::clicked, this, &TForm4::deleteClicked);
    connect(printButton, &QPushButton::clicked, this, &TForm4::printClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    connect(&m_data->ZQ30, &Query::currentChanged, this, [this](int) { updateDetail(); });
    connect(&m_data->ZQ30, &Query::rowsReset, this, [this] { updateDetail(); });

    reopenList(producertext::SortHintLabel);
    m_grid->setFocus();
}

TForm4::~TForm4() = default;

QString TForm4::sortLabelText() const
{
    return m_sortLabel->text();
}

QString TForm4::detailText(const QString& caption) const
{
    const QLabel* l = m_detail.value(caption);
    return l ? l->text() : QString();
}

void TForm4::showDbError(const QString& text)
{
    ui::Dialogs::error(this, text);
}

void TForm4::reopenList(const QString& label)
{
    try {
        openProducerList(*m_data);
        locateProducer(m_data->ZQ30, sharedState().producerLocateCode);
    } catch (const DbError& e) {
        showDbError(e.message());
    }
    m_grid->syncFromQuery();
    m_sortLabel->setText(label);
    updateDetail();
}

void TForm4::updateDetail()
{
    const Query& q = m_data->ZQ30;
    for (const DetailItem& item : detailItems()) {
        QStringList parts;
        for (const QString& column : item.columns) {
            const QString t = fieldText(q, column);
            if (!t.isEmpty())
                parts << t;
        }
        if (QLabel* l = m_detail.value(QString::fromUtf8(item.caption)))
            l->setText(parts.join(QLatin1Char(' ')));
    }
}

void TForm4::chooseClicked()
{
    accept();
}

void TForm4::openEntryWindow()
{
    TForm5 entry(this);
    if (!entry.isReady())
        return;
    entry.exec();
    if (entry.listReopened()) {
        m_grid->syncFromQuery();
        m_sortLabel->setText(producertext::ByNameLabel);
    }
    updateDetail();
}

void TForm4::newClicked()
{
    sharedState().producerEntryMode = producertext::NewMode;
    openEntryWindow();
}

void TForm4::modifyClicked(bool skipPrintedCheck)
{
    Query& q = m_data->ZQ30;
    if (!q.isOpen() || q.recNo() < 0)
        return;
    if (!skipPrintedCheck) {
        try {
            if (printedTicketCount(*m_data, q.text(QStringLiteral("O_KOD")), PrintedCheck::BeforeChange) != 0) {
                ui::Dialogs::refusal(this, producertext::OnPrintedTicket);
                return;
            }
        } catch (const DbError& e) {
            showDbError(e.message());
            return;
        }
    }
    sharedState().producerEntryMode = producertext::ChangeMode;
    openEntryWindow();
}

void TForm4::deleteClicked()
{
    Query& q = m_data->ZQ30;
    if (q.isOpen() && q.recNo() >= 0) {
        try {
            const QString code = q.text(QStringLiteral("O_KOD"));
            const qint64 id = q.integer(QStringLiteral("ID_OSTERMELO"));
            if (printedTicketCount(*m_data, code, PrintedCheck::BeforeDelete) != 0) {
                ui::Dialogs::refusal(this, producertext::OnPrintedTicket);
            } else if (producerCount(*m_data) < 2) {
                ui::Dialogs::refusal(this, producertext::LastRow);
            } else {
                deleteProducer(*m_data, id);
                ui::Dialogs::information(this, producertext::Deleted);
            }
        } catch (const WriteError& e) {
            ui::Dialogs::error(this, e.message());
        } catch (const DbError& e) {
            showDbError(e.message());
        }
    }
    reopenList(producertext::SortHintLabel);
}

void TForm4::printClicked()
{
    if (!registercommon::printRegisterList(this, *m_data, m_data->ZQ30, QStringLiteral("ID_OSTERMELO"),
                                           {QStringLiteral("SELECT * FROM ostermelo ORDER BY o_Nev COLLATE PXW_HUN, o_Szido")},
                                           QStringLiteral("FjLista2.frf")))
        return;
    m_grid->syncFromQuery();
    updateDetail();
}

void TForm4::searchClicked()
{
    try {
        openProducerList(*m_data);
        m_data->ZQ30.locatePrefix(QStringLiteral("O_NEV"), m_searchEdit->text());
    } catch (const DbError& e) {
        showDbError(e.message());
    }
    m_grid->syncFromQuery();
    m_sortLabel->setText(producertext::SortHintLabel);
    updateDetail();
}

void TForm4::titleClicked(int /*section*/, int cursorColumn)
{
    // The operator marks a cell of a column, then clicks any title: the list is ordered by the
    // marked column's position in the SELECT list.
    const int column = cursorColumn >= 0 ? cursorColumn : 0;
    try {
        openProducerList(*m_data, column + 1);
    } catch (const DbError& e) {
        showDbError(e.message());
        return;
    }
    // Keep the cell cursor in the marked column so that a further click sorts the same way.
    if (m_grid->model()->rowCount() > 0)
        m_grid->setCurrentIndex(m_grid->model()->index(0, column));
    updateDetail();
}

bool TForm4::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_searchEdit && event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat())
            searchClicked();
    } else if (watched == m_modifyButton && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString t = key->text();
        if (t == QLatin1String("J") || t == QLatin1String("j") || t == QLatin1String("M") || t == QLatin1String("m")) {
            modifyClicked(true);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace zeror
