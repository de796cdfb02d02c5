#include "TForm6.h"

#include "DbError.h"
#include "Dialogs.h"
#include "FormButtons.h"
#include "ProductRegister.h"
#include "QueryGrid.h"
#include "RegisterCommon.h"
#include "RegisterWidgets.h"
#include "SharedState.h"
#include "TData.h"
#include "TForm7.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zeror {

namespace {

using ui::makeButton;

const char* const kDetailCaptions[] = {"Kód:", "ID:", "Megnevezés:", "VTSZ:", "Egységár:", "Komp.mértéke:"};

} // namespace

TForm6::TForm6(QWidget* parent) : QDialog(parent), m_data(TData::instance())
{
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Termék"));
    resize(860, 560);

    auto* main = new QVBoxLayout(this);
    m_orderLabel = new QLabel(QStringLiteral("Lista sorrend: "), this);
    m_orderLabel->setObjectName(QStringLiteral("orderLabel"));
    main->addWidget(m_orderLabel);

    m_grid = new ui::QueryGrid(&m_data->ZQ40, this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setColumns({{QStringLiteral("T_KOD"), QStringLiteral("Kód")},
                        {QStringLiteral("T_MEGNEVEZES"), QStringLiteral("Megnevezés")},
                        {QStringLiteral("T_VTSZ"), QStringLiteral("VTSZ")},
                        {QStringLiteral("T_EAR"), QStringLiteral("Eár")},
                        {QStringLiteral("T_MEGY"), QStringLiteral("M.egység")},
                        {QStringLiteral("T_KOMPMERTEKE"), QStringLiteral("Komp.mértéke")},
                        {QStringLiteral("ID_TERMEK"), QStringLiteral("ID")}});
    // Enter on a row chooses it and closes the list, like "Kiválaszt".
    m_grid->setEnterAction([this] { chooseClicked(); });
    m_grid->setToolTip(producttext::GridHint);
    m_grid->horizontalHeader()->setToolTip(producttext::GridHint);
    m_grid->setColumnWidth(0, 60);
    m_grid->setColumnWidth(1, 260);
    m_grid->setColumnWidth(2, 80);
    m_grid->setColumnWidth(3, 90);
    m_grid->setColumnWidth(4, 80);
    m_grid->setColumnWidth(5, 100);
    m_grid->setColumnWidth(6, 50);
    main->addWidget(m_grid, 1);
    connect(m_grid, &ui::QueryGrid::titleClicked, this, &TForm6::titleClicked);

    auto* navigator = new ui::GridNavigator(m_grid, this);
    navigator->setObjectName(QStringLiteral("DBNavigator1"));
    main->addWidget(navigator);

    auto* bottom = new QHBoxLayout;
    auto* adatok = new QGroupBox(QStringLiteral("Adatok"), this);
    adatok->setObjectName(QStringLiteral("adatokGroup"));
    auto* grid = new QGridLayout(adatok);
    grid->setVerticalSpacing(2);
    int row = 0;
    for (const char* c : kDetailCaptions) {
        const QString caption = QString::fromUtf8(c);
        QLabel* value = registercommon::detailValueLabel(adatok);
        m_detail.insert(caption, value);
        grid->addWidget(new QLabel(caption, adatok), row, 0);
        grid->addWidget(value, row, 1);
        ++row;
    }
    grid->setColumnStretch(1, 1);
    bottom->addWidget(adatok, 1);

    auto* buttons = new QVBoxLayout;
    auto* choose = makeButton(this, "chooseButton", QStringLiteral("Kiválaszt"));
    auto* newButton = makeButton(this, "newButton", QStringLiteral("Új"));
    auto* modify = makeButton(this, "modifyButton", QStringLiteral("Módosít"));
    auto* deleteButton = makeButton(this, "deleteButton", QStringLiteral("Töröl"));
    auto* print = makeButton(this, "printButton", QStringLiteral("Nyomtatás"));
    auto* cancel = makeButton(this, "cancelButton", QStringLiteral("Mégsem"));
    for (QPushButton* b : {choose, newButton, modify, deleteButton, print, cancel}) {
        b->setMinimumWidth(110);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    bottom->addLayout(buttons);
    main->addLayout(bottom);

    connect(choose, &QPushButton::clicked, this, &TForm6::chooseClicked);
    connect(newButton, &QPushButton::clicked, this, &TForm6::newClicked);
    connect(modify, &QPushButton::clicked, this, &TForm6::modifyClicked);
    connect(deleteButton, &QPushButton::clicked, this, &TForm6::deleteClicked);
    connect(print, &QPushButton::clicked, this, &TForm6::printClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    connect(&m_data->ZQ40, &Query::currentChanged, this, [this](int) { updateDetail(); });
    connect(&m_data->ZQ40, &Query::rowsReset, this, [this] { updateDetail(); });

    reopenList();
    m_grid->setFocus();
}

TForm6::~TForm6() = default;

QString TForm6::orderLabelText() const
{
    return m_orderLabel->text();
}

QString TForm6::detailText(const QString& caption) const
{
    const QLabel* l = m_detail.value(caption);
    return l ? l->text() : QString();
}

void TForm6::reopenList()
{
    try {
        openProductList(*m_data, ProductOrder::OpeningByName);
        m_data->ZQ40.locatePrefix(QStringLiteral("T_MEGNEVEZES"), sharedState().productSearchText);
    } catch (const DbError& e) {
        ui::Dialogs::error(this, e.message());
    }
    m_grid->syncFromQuery();
    m_orderLabel->setText(producttext::ByNameLabel);
    updateDetail();
}

void TForm6::updateDetail()
{
    const Query& q = m_data->ZQ40;
    auto set = [this](const char* caption, const QString& text) {
        if (QLabel* l = m_detail.value(QString::fromUtf8(caption)))
            l->setText(text);
    };
    set("Kód:", fieldText(q, QStringLiteral("T_KOD")));
    set("ID:", fieldText(q, QStringLiteral("ID_TERMEK")));
    set("Megnevezés:", fieldText(q, QStringLiteral("T_MEGNEVEZES")));
    set("VTSZ:", fieldText(q, QStringLiteral("T_VTSZ")));
    const QString price = fieldText(q, QStringLiteral("T_EAR"));
    const QString unit = fieldText(q, QStringLiteral("T_MEGY"));
    set("Egységár:", price.isEmpty() ? QString() : price + QStringLiteral(" Ft") + (unit.isEmpty() ? QString() : QLatin1Char('/') + unit));
    const QString rate = fieldText(q, QStringLiteral("T_KOMPMERTEKE"));
    set("Komp.mértéke:", rate.isEmpty() ? QString() : rate + QStringLiteral(" %"));
}

void TForm6::chooseClicked()
{
    accept();
}

void TForm6::openEntryWindow()
{
    TForm7 entry(this);
    if (!entry.isReady())
        return;
    entry.exec();
    if (entry.listReopened()) {
        m_grid->syncFromQuery();
        m_orderLabel->setText(producttext::ByNameLabel);
    }
    updateDetail();
}

void TForm6::newClicked()
{
    sharedState().productEntryMode = producttext::NewMode;
    openEntryWindow();
}

void TForm6::modifyClicked()
{
    const Query& q = m_data->ZQ40;
    if (!q.isOpen() || q.recNo() < 0)
        return;
    sharedState().productEntryMode = producttext::ChangeMode;
    openEntryWindow();
}

void TForm6::deleteClicked()
{
    Query& q = m_data->ZQ40;
    if (q.isOpen() && q.recNo() >= 0) {
        try {
            const qint64 id = q.integer(QStringLiteral("ID_TERMEK"));
            if (productCount(*m_data) < 2) {
                ui::Dialogs::refusal(this, producttext::LastRow);
            } else {
                deleteProduct(*m_data, id);
                ui::Dialogs::information(this, producttext::Deleted);
            }
        } catch (const Error& e) {
            ui::Dialogs::error(this, e.message());
        }
    }
    reopenList();
}

void TForm6::printClicked()
{
    if (!registercommon::printRegisterList(this, *m_data, m_data->ZQ40, QStringLiteral("ID_TERMEK"),
                                           {QStringLiteral("SELECT * FROM termek ORDER BY t_megnevezes COLLATE PXW_HUN")},
                                           QStringLiteral("FjLista6.frf")))
        return;
    m_grid->syncFromQuery();
    m_orderLabel->setText(producttext::ByNameLabel);
    updateDetail();
}

void TForm6::titleClicked(int section, int /*cursorColumn*/)
{
    ProductOrder order;
    switch (section) {
    case 0:
        order = ProductOrder::ByCode;
        break;
    case 1:
        order = ProductOrder::ByName;
        break;
    case 6:
        order = ProductOrder::ById;
        break;
    default:
        return; // the other titles do not sort
    }
    try {
        openProductList(*m_data, order);
    } catch (const DbError& e) {
        ui::Dialogs::error(this, e.message());
        return;
    }
    m_grid->syncFromQuery();
    m_orderLabel->setText(productOrderLabel(order));
    updateDetail();
}

} // namespace zeror
