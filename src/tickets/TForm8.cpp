#include "TForm8.h"

#include "DbError.h"
#include "Dialogs.h"
#include "EnterNavigator.h"
#include "QueryGrid.h"
#include "QueryModel.h"
#include "ScreenRegistry.h"
#include "SharedState.h"
#include "TData.h"
#include "TForm39.h"
#include "TicketList.h"
#include "TicketPrint.h"
#include "TicketPrintScreen.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <iterator>
#include <utility>

namespace zeror {

namespace {

struct FieldSpec
{
    const char* label;
    const char* column;
    const char* objectName;
    int width; // columns of the panel's grid the value spans
};

// The selected ticket's header, in the panel above the tabs.
const FieldSpec kHeaderFields[] = {
    {"ID:", "ID_FJFEJ", "idEdit", 1},
    {"Bszám:", "F_BSZAM", "bszamEdit", 1},
    {"Átvevőkód:", "F_AKOD", "akodEdit", 1},
    {"Őstermelőkód:", "F_OSTERMKOD", "ostermkodEdit", 1},
    {"Dátum:", "F_KELT", "keltEdit", 1},
    {"Szja:", "F_SZJA", "szjaEdit", 1},
    {"Print:", "F_PRN", "prnEdit", 1},
    {"Megjegyzés:", "F_MEGJ", "megjEdit", 2},
    {"Érvényesitve:", "O_ERVKELT", "ervkeltEdit", 1},
    {"Betétlap:", "O_BETETLAP", "betetlapEdit", 1},
    {"Érvényt. bszám:", "F_ERVENYT", "ervenytEdit", 1},
};

// The selected ticket's producer, read-only, on the "Östermelő" tab.
const FieldSpec kProducerFields[] = {
    {"Név:", "O_NEV", "oNevEdit", 3},
    {"ID:", "ID_OSTERMELO", "oIdEdit", 1},
    {"Kód:", "O_KOD", "oKodEdit", 1},
    {"Irányítószám:", "O_IRSZAM", "oIrszamEdit", 1},
    {"Helységnév:", "O_HELYSEGNEV", "oHelysegEdit", 1},
    {"Utca:", "O_UTCA", "oUtcaEdit", 1},
    {"Adóazonosító:", "O_ADOAZON", "oAdoazonEdit", 1},
    {"Ősterm.Ig.szám:", "O_IGSZAM", "oIgszamEdit", 1},
    {"Reg.szám:", "O_REGSZAM", "oRegszamEdit", 1},
    {"Családi gazd.szám:", "O_CSGAZD", "oCsgazdEdit", 1},
    {"TAJ szám:", "O_TAJ", "oTajEdit", 1},
    {"Adószám:", "O_ADOSZAM", "oAdoszamEdit", 1},
    {"Bankszámla:", "O_BANKSZLA", "oBankszlaEdit", 1},
    {"Szja %:", "O_SZJA", "oSzjaEdit", 1},
    {"Születési név:", "O_SZULNEV", "oSzulnevEdit", 1},
    {"Születési hely:", "O_SZULHELY", "oSzulhelyEdit", 1},
    {"Születési idő:", "O_SZIDO", "oSzidoEdit", 1},
    {"Anyja neve:", "O_ANYJA", "oAnyjaEdit", 1},
    {"Neme:", "O_NEME", "oNemeEdit", 1},
};

// Lays the fields out in rows of `perRow` label/value pairs.
void layFields(QWidget* parent, QGridLayout* grid, const FieldSpec* specs, size_t count, int perRow,
               QHash<QString, QLineEdit*>* fields)
{
    int row = 0;
    int col = 0;
    for (size_t i = 0; i < count; ++i) {
        const FieldSpec& s = specs[i];
        if (col + 1 + s.width > perRow * 2) {
            ++row;
            col = 0;
        }
        auto* label = new QLabel(QString::fromUtf8(s.label), parent);
        auto* edit = new QLineEdit(parent);
        edit->setObjectName(QString::fromLatin1(s.objectName));
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::NoFocus);
        label->setBuddy(edit);
        grid->addWidget(label, row, col);
        grid->addWidget(edit, row, col + 1, 1, s.width * 2 - 1);
        fields->insert(QString::fromLatin1(s.column), edit);
        col += 1 + s.width * 2 - 1;
    }
}

} // namespace

TForm8::TForm8(QWidget* parent) : QDialog(parent), m_data(TData::instance())
{
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Ravuraruvida reva"));
    resize(1060, 640);

    auto* layout = new QVBoxLayout(this);

    auto* panel = new QGroupBox(QStringLiteral("Ravuraruvida reva fejsor adata"), this);
    panel->setObjectName(QStringLiteral("headerPanel"));
    buildHeaderPanel(panel);
    layout->addWidget(panel);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("PageControl1"));

    // "Fejsor": the list itself.
    auto* listTab = new QWidget(m_tabs);
    listTab->setObjectName(QStringLiteral("TabSheet1"));
    auto* listLayout = new QVBoxLayout(listTab);
    auto* orderRow = new QHBoxLayout;
    auto* orderCaption = new QLabel(QStringLiteral("Fejsor rendezettsége:"), listTab);
    m_orderLabel = new QLabel(listTab);
    m_orderLabel->setObjectName(QStringLiteral("orderLabel"));
    QFont bold = m_orderLabel->font();
    bold.setBold(true);
    m_orderLabel->setFont(bold);
    orderRow->addWidget(orderCaption);
    orderRow->addWidget(m_orderLabel);
    orderRow->addStretch();
    listLayout->addLayout(orderRow);
    m_listGrid = new ui::QueryGrid(&m_data->ZQ10, listTab);
    m_listGrid->setObjectName(QStringLiteral("listGrid"));
    m_listGrid->setColumns({{QStringLiteral("F_BSZAM"), QStringLiteral("Bszám")},
                            {QStringLiteral("F_OSTERMKOD"), QStringLiteral("Österm.kód")},
                            {QStringLiteral("o_nev"), QStringLiteral("Név")},
                            {QStringLiteral("F_KELT"), QStringLiteral("Dátum")},
                            {QStringLiteral("F_PRN"), QStringLiteral("Print")},
                            {QStringLiteral("F_MEGJ"), QStringLiteral("Megjegyzés")},
                            {QStringLiteral("o_Irszam"), QStringLiteral("Irszám")},
                            {QStringLiteral("o_Helysegnev"), QStringLiteral("Helységnév")},
                            {QStringLiteral("o_Utca"), QStringLiteral("Utca")},
                            {QStringLiteral("o_Adoszam"), QStringLiteral("Adószám")},
                            {QStringLiteral("o_Adoazon"), QStringLiteral("Adóazonositó")},
                            {QStringLiteral("F_SZJA"), QStringLiteral("Szja")},
                            {QStringLiteral("ID_FJFEJ"), QStringLiteral("ID")}});
    for (const auto& [column, width] : {std::pair{0, 80}, {1, 75}, {2, 150}, {3, 80}, {4, 45}, {5, 160}, {6, 55},
                                        {11, 45}, {12, 50}})
        m_listGrid->horizontalHeader()->resizeSection(column, width);
    listLayout->addWidget(m_listGrid);
    auto* listNav = new ui::GridNavigator(m_listGrid, listTab);
    listNav->setObjectName(QStringLiteral("listNavigator"));
    listLayout->addWidget(listNav);
    m_tabs->addTab(listTab, QStringLiteral("Fejsor"));

    // "Tételsor": the selected ticket's lines.
    auto* linesTab = new QWidget(m_tabs);
    linesTab->setObjectName(QStringLiteral("TabSheet2"));
    auto* linesLayout = new QVBoxLayout(linesTab);
    m_linesGrid = new ui::QueryGrid(&m_data->ZQ20, linesTab);
    m_linesGrid->setObjectName(QStringLiteral("linesGrid"));
    m_linesGrid->setColumns({{QStringLiteral("S_BSZAM"), QStringLiteral("Bizonylatszám")},
                             {QStringLiteral("S_MEGNEVEZES"), QStringLiteral("Megnevezés")},
                             {QStringLiteral("S_BRUTTO"), QStringLiteral("Mennyiség")},
                             {QStringLiteral("S_MEGY"), QStringLiteral("M.egys.")},
                             {QStringLiteral("S_EAR"), QStringLiteral("Egységár")},
                             {QStringLiteral("S_KOMPMERTEKE"), QStringLiteral("Komp. %")},
                             {QStringLiteral("S_FELVAR"), QStringLiteral("Felvásár. ár")},
                             {QStringLiteral("S_KOMPFELAR"), QStringLiteral("Komp.felár")},
                             {QStringLiteral("S_VETELAR"), QStringLiteral("Vételár")},
                             {QStringLiteral("S_SZJA"), QStringLiteral("Szja %")},
                             {QStringLiteral("S_VTSZ"), QStringLiteral("VTSZ")},
                             {QStringLiteral("ID_FJSOR"), QStringLiteral("ID")},
                             {QStringLiteral("S_TERMEKKOD"), QStringLiteral("Termékkód")},
                             {QStringLiteral("S_AKOD"), QStringLiteral("Átvevő")}});
    linesLayout->addWidget(m_linesGrid);
    auto* linesNav = new ui::GridNavigator(m_linesGrid, linesTab);
    linesNav->setObjectName(QStringLiteral("linesNavigator"));
    linesLayout->addWidget(linesNav);
    m_tabs->addTab(linesTab, QStringLiteral("Tételsor"));

    // "Östermelő": the selected ticket's producer.
    auto* producerTab = new QWidget(m_tabs);
    producerTab->setObjectName(QStringLiteral("TabSheet3"));
    buildProducerTab(producerTab);
    m_tabs->addTab(producerTab, QStringLiteral("Östermelő"));
    layout->addWidget(m_tabs, 1);

    // Buttons and the search.
    auto* buttons = new QHBoxLayout;
    auto makeButton = [this, buttons](const char* name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    m_newButton = makeButton("newButton", QStringLiteral("Új"));
    m_modifyButton = makeButton("modifyButton", QStringLiteral("Módosít"));
    m_viewButton = makeButton("viewButton", QStringLiteral("Megtekint"));
    m_printButton = makeButton("printButton", QStringLiteral("Nyomtat"));
    m_voidButton = makeButton("voidButton", QStringLiteral("Érvénytelenit"));
    m_voidButton->setToolTip(QStringLiteral("Stornó. A kiválasztott bizonylat mennyiség minusz eggyel szorzása és új "
                                            "bizonylatszámon létrehozva."));
    buttons->addSpacing(16);
    auto* searchLabel = new QLabel(QStringLiteral("Bizonylat:"), this);
    buttons->addWidget(searchLabel);
    m_searchEdit = new QLineEdit(this);
    m_searchEdit->setObjectName(QStringLiteral("searchEdit"));
    m_searchEdit->setToolTip(QStringLiteral("Kezdö betükre rákeres"));
    m_searchEdit->setMaxLength(8);
    m_searchEdit->setMaximumWidth(110);
    searchLabel->setBuddy(m_searchEdit);
    buttons->addWidget(m_searchEdit);
    m_searchButton = makeButton("searchButton", QStringLiteral("Keres"));
    buttons->addStretch();
    m_cancelButton = makeButton("cancelButton", QStringLiteral("Mégsem"));
    layout->addLayout(buttons);

    connect(m_newButton, &QPushButton::clicked, this, &TForm8::Button1Click);
    connect(m_modifyButton, &QPushButton::clicked, this, &TForm8::Button2Click);
    connect(m_viewButton, &QPushButton::clicked, this, &TForm8::Button3Click);
    connect(m_printButton, &QPushButton::clicked, this, &TForm8::Button4Click);
    connect(m_voidButton, &QPushButton::clicked, this, &TForm8::Button5Click);
    connect(m_cancelButton, &QPushButton::clicked, this, &TForm8::Button6Click);
    connect(m_searchButton, &QPushButton::clicked, this, &TForm8::Button7Click);
    connect(m_listGrid, &ui::QueryGrid::titleClicked, this, [this](int section, int) { DBGrid1TitleClick(section); });
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int) { PageControl1Change(); });
    connect(&m_data->ZQ10, &Query::currentChanged, this, [this](int) { showHeader(); });
    connect(&m_data->ZQ10, &Query::rowsReset, this, [this] { showHeader(); });
    connect(&m_data->ZQ30, &Query::currentChanged, this, [this](int) { showProducer(); });
    connect(&m_data->ZQ30, &Query::rowsReset, this, [this] { showProducer(); });
    m_searchEdit->installEventFilter(this);
    m_modifyButton->installEventFilter(this);
    ui::EnterNavigator::install(this);

    FormShow();
}

void TForm8::buildHeaderPanel(QWidget* panel)
{
    auto* grid = new QGridLayout(panel);
    layFields(panel, grid, kHeaderFields, std::size(kHeaderFields), 6, &m_headerFields);
}

void TForm8::buildProducerTab(QWidget* tab)
{
    auto* outer = new QVBoxLayout(tab);
    auto* grid = new QGridLayout;
    layFields(tab, grid, kProducerFields, std::size(kProducerFields), 3, &m_producerFields);
    outer->addLayout(grid);
    outer->addStretch();
}

QString TForm8::orderLabelText() const
{
    return m_orderLabel->text();
}

void TForm8::setOrderLabel(const QString& text)
{
    m_orderLabel->setText(text);
}

bool TForm8::hasTicket() const
{
    return m_data->ZQ10.isOpen() && !m_data->ZQ10.isEmpty();
}

void TForm8::FormShow()
{
    try {
        openTicketListAt(*m_data, sharedState().currentTicketNumber);
        setOrderLabel(ticketlist::NumberOrderLabel);
        PageControl1Change();
    } catch (const DbError& e) {
        ui::Dialogs::error(this, e.message());
    }
}

void TForm8::showHeader()
{
    for (auto it = m_headerFields.constBegin(); it != m_headerFields.constEnd(); ++it)
        it.value()->setText(fieldText(m_data->ZQ10, it.key()));
}

void TForm8::showProducer()
{
    for (auto it = m_producerFields.constBegin(); it != m_producerFields.constEnd(); ++it)
        it.value()->setText(fieldText(m_data->ZQ30, it.key()));
}

void TForm8::PageControl1Change()
{
    // The lines and the producer of the selected ticket, for the other two tabs.
    const QString number = fieldText(m_data->ZQ10, QStringLiteral("f_bszam"));
    const QString producer = fieldText(m_data->ZQ10, QStringLiteral("f_ostermkod"));
    try {
        openTicketDetails(*m_data, number, producer);
    } catch (const Error& e) {
        ui::Dialogs::error(this, e.message());
    }
}

void TForm8::DBGrid1TitleClick(int section)
{
    const QString title = m_listGrid->queryModel()->headerData(section, Qt::Horizontal).toString();
    const TicketSortOrder* order = ticketSortOrderForTitle(title);
    if (!order)
        return;
    try {
        openTicketList(*m_data, order->orderBy);
        setOrderLabel(order->label);
    } catch (const DbError& e) {
        ui::Dialogs::error(this, e.message());
    }
}

void TForm8::Edit1KeyUp()
{
    try {
        openTicketListAt(*m_data, m_searchEdit->text());
        setOrderLabel(ticketlist::SearchOrderLabel);
    } catch (const DbError& e) {
        ui::Dialogs::error(this, e.message());
    }
}

void TForm8::Button7Click()
{
    Edit1KeyUp();
}

bool TForm8::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_searchEdit && event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat())
            Edit1KeyUp();
    } else if (watched == m_modifyButton && event->type() == QEvent::KeyPress) {
        // The F key on "Módosít" opens any selected ticket for change, printed or voiding.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F) {
            if (hasTicket())
                openForChange();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TForm8::afterEntry()
{
    // The list is read again as when the window opened, on the ticket the entry left current.
    FormShow();
}

void TForm8::Button1Click()
{
    sharedState().ticketEntryMode = QStringLiteral("Új felvásárlási jegy");
    ui::openScreen(QStringLiteral("ticketEntry:new"), this);
    afterEntry();
}

void TForm8::Button2Click()
{
    if (!hasTicket()) {
        ui::Dialogs::refusal(this, NoTicketSelected);
        return;
    }
    QString refusal;
    try {
        refusal = modifyRefusalOfSelected(*m_data);
    } catch (const Error& e) {
        ui::Dialogs::error(this, e.message());
        return;
    }
    if (!refusal.isEmpty()) {
        ui::Dialogs::refusal(this, refusal);
        return;
    }
    openForChange();
}

void TForm8::openForChange()
{
    // The entry screen's loader reads the ticket from ZQ10's current row.
    sharedState().ticketEntryMode = QStringLiteral("Ravuraruvida reva módositás");
    ui::openScreen(QStringLiteral("ticketEntry:modify"), this);
    afterEntry();
}

void TForm8::print(const QString& action)
{
    sharedState().printAction = action;
    if (printSelectedTicket(*m_data, this)) {
        setOrderLabel(ticketlist::NumberOrderLabel);
        PageControl1Change();
    }
}

void TForm8::Button3Click()
{
    print(QStringLiteral("Megtekint"));
}

void TForm8::Button4Click()
{
    print(QStringLiteral("Nyomtat"));
}

void TForm8::Button5Click()
{
    if (!hasTicket()) {
        ui::Dialogs::refusal(this, NoTicketSelected);
        return;
    }
    const Query& row = m_data->ZQ10;
    const QString number = row.text(QStringLiteral("f_bszam"));
    const QString refusal = voidingRefusal(row.text(QStringLiteral("f_prn")), row.text(QStringLiteral("F_ERVENYT")),
                                           row.text(QStringLiteral("f_tipus")), sharedState().normalTicketType);
    if (!refusal.isEmpty()) {
        ui::Dialogs::refusal(this, refusal);
        m_voidButton->setFocus();
        return;
    }
    if (!ui::Dialogs::question(this, QStringLiteral("Érvényteleniteni szeretné a ") + number + QStringLiteral(" bizonylatot? ")))
        return;
    TForm39 voiding(number, this);
    if (voiding.exec() == QDialog::Accepted) {
        setOrderLabel(ticketlist::NumberOrderLabel);
        PageControl1Change();
    }
}

void TForm8::Button6Click()
{
    reject();
}

} // namespace zeror
