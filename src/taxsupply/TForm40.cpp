#include "TForm40.h"

#include "AuditXml.h"
#include "AuditXmlFormat.h"
#include "Clock.h"
#include "Dialogs.h"
#include "EnterNavigator.h"
#include "Error.h"
#include "KeyFilters.h"
#include "QueryGrid.h"
#include "SharedState.h"
#include "TData.h"
#include "WinPaths.h"
#include "XmlSchemaCheck.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QRegularExpression>
#include <QTextBlock>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace zeror {

using auditxml::AuditField;
using ui::Dialogs;

namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& text)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

QDateEdit* datePicker(QWidget* parent, const char* name)
{
    auto* d = new QDateEdit(parent);
    d->setObjectName(QString::fromLatin1(name));
    d->setDisplayFormat(QStringLiteral("yyyy.MM.dd"));
    d->setCalendarPopup(true);
    d->setDate(clock::today());
    return d;
}

QPlainTextEdit* textView(QWidget* parent, const char* name)
{
    auto* t = new QPlainTextEdit(parent);
    t->setObjectName(QString::fromLatin1(name));
    t->setReadOnly(true);
    t->setLineWrapMode(QPlainTextEdit::NoWrap);
    t->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    t->setTabStopDistance(t->fontMetrics().horizontalAdvance(QLatin1Char(' ')) * 2);
    return t;
}

// A text file shown on a tab: its bytes as UTF-8 (a byte-order mark is dropped).
bool readText(const QString& path, QString* out)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    QByteArray bytes = f.readAll();
    if (bytes.startsWith(QByteArray(auditxml::kBom)))
        bytes.remove(0, 3);
    *out = QString::fromUtf8(bytes);
    return true;
}

// How many problems the message box lists; the whole list stays on the "XML" tab.
constexpr int kProblemsInMessage = 10;

} // namespace

TForm40::TForm40(TData& dataModule, QWidget* parent) : QDialog(parent), m_data(dataModule)
{
    setObjectName(QStringLiteral("Form40"));
    setWindowTitle(QStringLiteral("Adóhatósági ellenőrzési adatszolgáltatás"));
    resize(900, 640);

    m_settings = auditxml::loadSettings();

    auto* layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabs"));
    m_tabs->addTab(buildSupplyTab(), QStringLiteral("Adatszolgáltatás"));
    m_tabs->addTab(buildSettingsTab(), QStringLiteral("Beállítás"));
    m_tabs->addTab(buildXmlTab(), QStringLiteral("XML"));
    m_tabs->addTab(buildXsdTab(), QStringLiteral("XSD"));
    m_tabs->addTab(buildDescriptionTab(), QStringLiteral("Leírás"));
    layout->addWidget(m_tabs);

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progress"));
    m_progress->setVisible(false);
    layout->addWidget(m_progress);

    m_cancelButton = button(this, "cancelButton", QStringLiteral("Mégsem"));
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(m_cancelButton);
    layout->addLayout(bottom);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    // The fields follow the settings read; the previous export stays until a new one replaces it.
    m_pathEdit->setText(m_settings.hova);
    m_onszlaEdit->setText(m_settings.onszla);
    m_papirEdit->setText(m_settings.papir);
    m_selfBilling->setChecked(m_settings.onszla.trimmed() != QLatin1String("false"));
    connect(m_pathEdit, &QLineEdit::textChanged, this, [this](const QString& t) {
        m_settings.hova = t;
        m_realPathLabel->setText(QDir::toNativeSeparators(xmlFilePath()));
    });
    connect(m_onszlaEdit, &QLineEdit::textChanged, this, [this](const QString& t) { m_settings.onszla = t; });
    connect(m_papirEdit, &QLineEdit::textChanged, this, [this](const QString& t) { m_settings.papir = t; });
    connect(m_selfBilling, &QCheckBox::clicked, this, [this](bool on) {
        m_onszlaEdit->setText(on ? QStringLiteral("true") : QStringLiteral("false"));
    });
    m_realPathLabel->setText(QDir::toNativeSeparators(xmlFilePath()));

    ui::EnterNavigator::install(this);
    m_fromDate->setFocus();
}

QWidget* TForm40::buildSupplyTab()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("supplyTab"));
    auto* v = new QVBoxLayout(page);

    auto* pathRow = new QHBoxLayout;
    auto* pathLabel = new QLabel(QStringLiteral("XML fájl:"), page);
    m_pathEdit = new QLineEdit(page);
    m_pathEdit->setObjectName(QStringLiteral("pathEdit"));
    pathLabel->setBuddy(m_pathEdit);
    auto* browse = button(page, "browseButton", QStringLiteral("Tallóz"));
    connect(browse, &QPushButton::clicked, this, &TForm40::browseClick);
    pathRow->addWidget(pathLabel);
    pathRow->addWidget(m_pathEdit, 1);
    pathRow->addWidget(browse);
    v->addLayout(pathRow);
    m_realPathLabel = new QLabel(page);
    m_realPathLabel->setObjectName(QStringLiteral("realPathLabel"));
    m_realPathLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* realRow = new QHBoxLayout;
    realRow->addWidget(new QLabel(QStringLiteral("Helye a gépen:"), page));
    realRow->addWidget(m_realPathLabel, 1);
    v->addLayout(realRow);

    auto* choices = new QHBoxLayout;
    auto* rangeBox = new QGroupBox(QStringLiteral("Melyik tól-ig?"), page);
    auto* rangeLayout = new QVBoxLayout(rangeBox);
    m_byDate = new QRadioButton(QStringLiteral("Dátum (alapbeállítás)"), rangeBox);
    m_byDate->setObjectName(QStringLiteral("byDateRadio"));
    m_byNumber = new QRadioButton(QStringLiteral("Sorszám"), rangeBox);
    m_byNumber->setObjectName(QStringLiteral("byNumberRadio"));
    m_byDate->setChecked(true);
    rangeLayout->addWidget(m_byDate);
    rangeLayout->addWidget(m_byNumber);
    auto* rangeGroup = new QButtonGroup(rangeBox);
    rangeGroup->addButton(m_byDate);
    rangeGroup->addButton(m_byNumber);

    auto* whichBox = new QGroupBox(QStringLiteral("Melyik?"), page);
    auto* whichLayout = new QVBoxLayout(whichBox);
    m_issueDate = new QRadioButton(QStringLiteral("Kiállítás kelte"), whichBox);
    m_issueDate->setObjectName(QStringLiteral("issueDateRadio"));
    m_purchaseDate = new QRadioButton(QStringLiteral("Felvásárlás dátuma"), whichBox);
    m_purchaseDate->setObjectName(QStringLiteral("purchaseDateRadio"));
    m_issueDate->setChecked(true);
    whichLayout->addWidget(m_issueDate);
    whichLayout->addWidget(m_purchaseDate);
    auto* whichGroup = new QButtonGroup(whichBox);
    whichGroup->addButton(m_issueDate);
    whichGroup->addButton(m_purchaseDate);

    auto* rangeFields = new QGridLayout;
    m_fromDate = datePicker(page, "fromDate");
    m_toDate = datePicker(page, "toDate");
    m_fromNumber = new QLineEdit(page);
    m_fromNumber->setObjectName(QStringLiteral("fromNumberEdit"));
    ui::setCharClass(m_fromNumber, ui::CharClass::Digits, 8);
    m_toNumber = new QLineEdit(page);
    m_toNumber->setObjectName(QStringLiteral("toNumberEdit"));
    ui::setCharClass(m_toNumber, ui::CharClass::Digits, 8);
    rangeFields->addWidget(new QLabel(QStringLiteral("Dátum:"), page), 0, 0);
    rangeFields->addWidget(m_fromDate, 0, 1);
    rangeFields->addWidget(new QLabel(QStringLiteral("-tól"), page), 0, 2);
    rangeFields->addWidget(m_toDate, 0, 3);
    rangeFields->addWidget(new QLabel(QStringLiteral("-ig"), page), 0, 4);
    rangeFields->addWidget(new QLabel(QStringLiteral("Bizonylat sorszám:"), page), 1, 0);
    rangeFields->addWidget(m_fromNumber, 1, 1);
    rangeFields->addWidget(new QLabel(QStringLiteral("-tól"), page), 1, 2);
    rangeFields->addWidget(m_toNumber, 1, 3);
    rangeFields->addWidget(new QLabel(QStringLiteral("-ig"), page), 1, 4);

    choices->addWidget(rangeBox);
    choices->addWidget(whichBox);
    choices->addLayout(rangeFields);
    choices->addStretch();
    v->addLayout(choices);

    m_optional = new QCheckBox(QStringLiteral("Nem kötetező tipusok is kitöltve"), page);
    m_optional->setObjectName(QStringLiteral("optionalCheck"));
    m_optional->setChecked(true);
    v->addWidget(m_optional);

    m_grid = new ui::QueryGrid(&m_data.ZQ10, page);
    m_grid->setObjectName(QStringLiteral("ticketGrid"));
    m_grid->setColumns({{QStringLiteral("F_BSZAM"), QStringLiteral("Bszám")},
                        {QStringLiteral("F_KELT"), QStringLiteral("Kiállítás")},
                        {QStringLiteral("F_FELVKELT"), QStringLiteral("Felvásárlás")},
                        {QStringLiteral("F_TIPUS"), QStringLiteral("Típus")},
                        {QStringLiteral("F_OSTERMKOD"), QStringLiteral("Kód")},
                        {QStringLiteral("O_NEV"), QStringLiteral("Őstermelő")},
                        {QStringLiteral("F_SUMVAR"), QStringLiteral("Vételár")}});
    m_grid->horizontalHeader()->setStretchLastSection(true);
    v->addWidget(m_grid, 1);

    m_collectButton = button(page, "collectButton", QStringLiteral("Kigyűjtés"));
    m_exportButton = button(page, "exportButton", QStringLiteral("Export"));
    m_exportButton->setEnabled(false);
    m_checkButton = button(page, "checkButton", QStringLiteral("Séma ellenőrzés"));
    connect(m_collectButton, &QPushButton::clicked, this, &TForm40::collectClick);
    connect(m_exportButton, &QPushButton::clicked, this, &TForm40::exportClick);
    connect(m_checkButton, &QPushButton::clicked, this, &TForm40::schemaCheckClick);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_collectButton);
    buttons->addWidget(m_exportButton);
    buttons->addWidget(m_checkButton);
    buttons->addStretch();
    v->addLayout(buttons);
    return page;
}

QWidget* TForm40::buildSettingsTab()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("settingsTab"));
    auto* v = new QVBoxLayout(page);
    auto* form = new QFormLayout;
    m_onszlaEdit = new QLineEdit(page);
    m_onszlaEdit->setObjectName(QStringLiteral("onszlaEdit"));
    m_onszlaEdit->setMaxLength(20); // the width of ZA_ONSZAMLA
    m_papirEdit = new QLineEdit(page);
    m_papirEdit->setObjectName(QStringLiteral("papirEdit"));
    m_papirEdit->setMaxLength(100); // the width of NE_SZLA_FORMA and of the schema's texts
    form->addRow(QStringLiteral("Önszámla (onszamla):"), m_onszlaEdit);
    m_selfBilling = new QCheckBox(QStringLiteral("Önszámla (Az átvevő állítja ki. Az alapbeállítás=true)"), page);
    m_selfBilling->setObjectName(QStringLiteral("selfBillingCheck"));
    form->addRow(QString(), m_selfBilling);
    form->addRow(QStringLiteral("Számla formája (szla_forma):"), m_papirEdit);
    v->addLayout(form);
    auto* save = button(page, "saveButton", QStringLiteral("Mentés"));
    connect(save, &QPushButton::clicked, this, &TForm40::saveClick);
    auto* row = new QHBoxLayout;
    row->addWidget(save);
    row->addStretch();
    v->addLayout(row);
    auto* where = new QLabel(QStringLiteral("A beállítások helye: %1")
                                 .arg(QDir::toNativeSeparators(auditxml::settingsFilePath())),
                             page);
    where->setObjectName(QStringLiteral("settingsFileLabel"));
    where->setWordWrap(true);
    v->addWidget(where);
    v->addStretch();
    return page;
}

QWidget* TForm40::buildXmlTab()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("xmlTab"));
    auto* v = new QVBoxLayout(page);
    auto* load = button(page, "loadXmlButton", QStringLiteral("Betöltés"));
    auto* copy = button(page, "copyXmlButton", QStringLiteral("Vágólapra másol"));
    auto* check = button(page, "checkXmlButton", QStringLiteral("Séma ellenőrzés"));
    connect(load, &QPushButton::clicked, this, &TForm40::loadXmlClick);
    connect(copy, &QPushButton::clicked, this, &TForm40::copyXmlClick);
    connect(check, &QPushButton::clicked, this, &TForm40::schemaCheckClick);
    auto* row = new QHBoxLayout;
    row->addWidget(load);
    row->addWidget(copy);
    row->addWidget(check);
    row->addStretch();
    v->addLayout(row);
    m_xmlText = textView(page, "xmlText");
    v->addWidget(m_xmlText, 3);
    v->addWidget(new QLabel(QStringLiteral("Séma ellenőrzés eredménye:"), page));
    m_checkResults = textView(page, "checkResults");
    m_checkResults->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_checkResults->setToolTip(QStringLiteral("Dupla kattintás: a hibás sor megjelenítése"));
    m_checkResults->viewport()->installEventFilter(this);
    v->addWidget(m_checkResults, 1);
    return page;
}

QWidget* TForm40::buildXsdTab()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("xsdTab"));
    auto* v = new QVBoxLayout(page);
    auto* load = button(page, "loadXsdButton", QStringLiteral("Betöltés"));
    auto* copy = button(page, "copyXsdButton", QStringLiteral("Vágólapra másol"));
    connect(load, &QPushButton::clicked, this, &TForm40::loadXsdClick);
    connect(copy, &QPushButton::clicked, this, &TForm40::copyXsdClick);
    auto* row = new QHBoxLayout;
    row->addWidget(load);
    row->addWidget(copy);
    row->addStretch();
    v->addLayout(row);
    m_xsdText = textView(page, "xsdText");
    v->addWidget(m_xsdText, 1);
    return page;
}

QWidget* TForm40::buildDescriptionTab()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("descriptionTab"));
    auto* v = new QVBoxLayout(page);
    auto* text = new QTextBrowser(page);
    text->setObjectName(QStringLiteral("descriptionText"));
    text->setHtml(QStringLiteral(
        "<h3>Az adatszolgáltatás lépései</h3>"
        "<ol>"
        "<li>Az <b>Adatszolgáltatás</b> lapon válassza ki, mely bizonylatok kellenek: dátum szerint "
        "(kiállítás kelte vagy felvásárlás dátuma) vagy bizonylat sorszám szerint.</li>"
        "<li>A <b>Kigyűjtés</b> gomb kigyűjti a bizonylatok fejadatait az átvevő és az őstermelő "
        "mostani adataival. Ha egy bizonylat nem gyűjthető ki, az üzenet megnevezi, és semmi sem "
        "marad meg a félbehagyott kigyűjtésből.</li>"
        "<li>Az <b>Export</b> gomb ellenőrzi a kigyűjtött adatokat, és megírja az XML fájlt. Az előző "
        "fájlt csak a sikeresen elkészült új fájl váltja fel.</li>"
        "<li>A <b>Séma ellenőrzés</b> gomb a program saját ellenőrzőjével összeveti a megírt fájlt az "
        "adóhatóság „23_2014_szamlasema.xsd” sémájával (a munkamappában lévővel, ha ott van, különben "
        "a programmal szállítottal). Az eredmény „rendben”, vagy a hibák listája soronként: "
        "„Hiba a(z) N. sorban: …”, ahol N az XML fájl sora. A hibás adatot javítsa a "
        "nyilvántartásban, majd gyűjtse ki és exportálja újra.</li>"
        "</ol>"
        "<p>Az <b>XML</b> és az <b>XSD</b> lapon a megírt fájl és a séma megtekinthető és vágólapra "
        "másolható.</p>"
        "<p>A <b>Beállítás</b> lapon megadható az önszámla jelzése (true/false) és a számla "
        "formájának szövege; a <b>Mentés</b> gomb eltárolja őket a beállítások fájljában.</p>"));
    v->addWidget(text);
    return page;
}

QString TForm40::xmlFilePath() const
{
    return paths::localPath(m_settings.hova.trimmed());
}

void TForm40::showProgress(int done, int total)
{
    const int percent = total > 0 ? done * 100 / total : 100;
    if (percent == m_lastPercent)
        return;
    m_lastPercent = percent;
    m_progress->setValue(percent);
    m_progress->repaint();
}

void TForm40::focusField(int field)
{
    switch (static_cast<AuditField>(field)) {
    case AuditField::DateFrom:
        m_tabs->setCurrentIndex(0);
        m_fromDate->setFocus();
        break;
    case AuditField::DateTo:
        m_tabs->setCurrentIndex(0);
        m_toDate->setFocus();
        break;
    case AuditField::NumberFrom:
        m_tabs->setCurrentIndex(0);
        m_fromNumber->setFocus();
        break;
    case AuditField::NumberTo:
        m_tabs->setCurrentIndex(0);
        m_toNumber->setFocus();
        break;
    case AuditField::Path:
        m_tabs->setCurrentIndex(0);
        m_pathEdit->setFocus();
        break;
    default:
        break;
    }
}

void TForm40::collectClick()
{
    auditxml::CollectRequest request;
    request.by = m_byNumber->isChecked()  ? auditxml::SelectBy::Number
                 : m_purchaseDate->isChecked() ? auditxml::SelectBy::PurchaseDate
                                               : auditxml::SelectBy::IssueDate;
    request.from = m_fromDate->date();
    request.to = m_toDate->date();
    request.numberFrom = m_fromNumber->text();
    request.numberTo = m_toNumber->text();
    request.onszla = m_settings.onszla;
    request.papir = m_settings.papir;
    if (const auto fault = auditxml::checkCollectRequest(request)) {
        Dialogs::information(this, fault->message);
        focusField(static_cast<int>(fault->field));
        return;
    }
    m_exportButton->setEnabled(false);
    try {
        if (const auto fault = auditxml::checkBuyerForCollect(m_data, sharedState().buyerCode)) {
            Dialogs::information(this, fault->message);
            return;
        }
        m_lastPercent = -1;
        m_progress->setValue(0);
        m_progress->setVisible(true);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        auditxml::collectNavFej(m_data, sharedState().buyerCode, request,
                                [this](int done, int total) { showProgress(done, total); });
        QApplication::restoreOverrideCursor();
        m_progress->setVisible(false);
        m_grid->syncFromQuery();
        m_exportButton->setEnabled(true);
        Dialogs::information(this, auditxml::collectDoneMessage());
    } catch (const Error& e) {
        if (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
        m_progress->setVisible(false);
        Dialogs::error(this, e.message());
    }
}

void TForm40::exportClick()
{
    try {
        if (const auto fault = auditxml::checkNavFejRows(m_data)) {
            Dialogs::information(this, fault->message);
            return;
        }
        auditxml::ExportRequest request;
        request.by = m_byNumber->isChecked() ? auditxml::SelectBy::Number : auditxml::SelectBy::IssueDate;
        request.from = m_fromDate->date();
        request.to = m_toDate->date();
        request.optionalSection = m_optional->isChecked();
        request.buyerCode = sharedState().buyerCode;
        if (!sharedState().stornoTicketType.isEmpty())
            request.stornoType = sharedState().stornoTicketType;
        request.path = xmlFilePath();
        if (request.path.isEmpty()) {
            Dialogs::information(this, QStringLiteral("Nincs megadva az XML fájl helye!"));
            focusField(static_cast<int>(AuditField::Path));
            return;
        }
        m_lastPercent = -1;
        m_progress->setValue(0);
        m_progress->setVisible(true);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const auditxml::ExportSummary summary = auditxml::exportAuditXml(
            m_data, request, [this](int done, int total) { showProgress(done, total); });
        QApplication::restoreOverrideCursor();
        m_progress->setVisible(false);
        if (request.by != auditxml::SelectBy::Number) {
            m_fromNumber->setText(summary.minNumber);
            m_toNumber->setText(summary.maxNumber);
        }
        Dialogs::information(this, auditxml::exportDoneMessage(summary.path));
    } catch (const Error& e) {
        if (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
        m_progress->setVisible(false);
        Dialogs::error(this, e.message());
    }
}

void TForm40::browseClick()
{
    const QString start = paths::joinPath(paths::localPath(QStringLiteral("C:\\RU2016\\")),
                                          QFileInfo(xmlFilePath()).fileName());
    const QString chosen = Dialogs::saveFileName(
        this, QStringLiteral("Ravuraruvida reva adatok mentése ide"), start,
        QStringLiteral("*.xml (*.xml);;szamlak%1.xml (szamlak%1.xml)").arg(sharedState().buyerCode));
    if (chosen.isEmpty())
        return;
    // The previous export stays where it is: only a successful new export replaces a file.
    m_pathEdit->setText(QDir::toNativeSeparators(chosen));
}

void TForm40::saveClick()
{
    try {
        auditxml::saveSettings(m_settings);
    } catch (const Error& e) {
        Dialogs::error(this, e.message());
    }
}

void TForm40::loadXmlClick()
{
    QString text;
    if (!readText(xmlFilePath(), &text)) {
        Dialogs::information(this, QStringLiteral("Nincs \"szamlak.XML\" fálj!"));
        return;
    }
    m_xmlText->setPlainText(text);
}

void TForm40::copyXmlClick()
{
    QApplication::clipboard()->setText(m_xmlText->toPlainText());
}

void TForm40::loadXsdClick()
{
    QString text;
    if (!readText(QDir::current().filePath(QString::fromLatin1(auditxml::kSchemaFileName)), &text)) {
        Dialogs::information(this, QStringLiteral("Nincs \"23_2014_szamlasema.xsd\" fálj!"));
        return;
    }
    m_xsdText->setPlainText(text);
}

void TForm40::copyXsdClick()
{
    QApplication::clipboard()->setText(m_xsdText->toPlainText());
}

void TForm40::schemaCheckClick()
{
    QStringList problems;
    try {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        problems = auditxml::validateXmlFile(xmlFilePath());
        QApplication::restoreOverrideCursor();
    } catch (const Error& e) {
        QApplication::restoreOverrideCursor();
        Dialogs::error(this, e.message());
        return;
    }
    m_checkResults->setPlainText(auditxml::schemaCheckReport(problems));
    if (problems.isEmpty()) {
        Dialogs::information(this, auditxml::schemaCheckReport(problems));
        return;
    }
    QStringList shown = problems.mid(0, kProblemsInMessage);
    if (problems.size() > kProblemsInMessage)
        shown << QStringLiteral("… és további %1 hiba (az \"XML\" lapon mind látható).")
                     .arg(problems.size() - kProblemsInMessage);
    m_tabs->setCurrentIndex(2);
    Dialogs::error(this, shown.join(QLatin1Char('\n')));
}

bool TForm40::goToProblem(int problemIndex)
{
    const QTextBlock problem = m_checkResults->document()->findBlockByNumber(problemIndex);
    static const QRegularExpression lineRef(QStringLiteral("^Hiba a\\(z\\) (\\d+)\\. sorban: "));
    const QRegularExpressionMatch m = lineRef.match(problem.text());
    if (!problem.isValid() || !m.hasMatch())
        return false;
    if (m_xmlText->document()->isEmpty())
        loadXmlClick();
    const QTextBlock target = m_xmlText->document()->findBlockByNumber(m.captured(1).toInt() - 1);
    if (!target.isValid())
        return false;
    QTextCursor cursor(target);
    cursor.select(QTextCursor::LineUnderCursor);
    m_xmlText->setTextCursor(cursor);
    m_xmlText->centerCursor();
    return true;
}

bool TForm40::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_checkResults->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        goToProblem(m_checkResults->cursorForPosition(mouse->position().toPoint()).blockNumber());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace zeror
