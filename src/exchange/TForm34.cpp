#include "TForm34.h"

#include "CsvImport.h"
#include "Dialogs.h"
#include "Error.h"
#include "QueryGrid.h"
#include "TData.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

namespace zeror {

TForm34::TForm34(TData& dataModule, QWidget* parent) : QDialog(parent), m_data(dataModule)
{
    setObjectName(QStringLiteral("Form34"));
    setWindowTitle(QStringLiteral("Import excel (csv) -böl"));
    resize(900, 620);

    auto* layout = new QVBoxLayout(this);
    const QStringList texts = csvimport::instructions();
    for (int i = 0; i < texts.size(); ++i) {
        auto* label = new QLabel(texts.at(i), this);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        layout->addWidget(label);
    }

    auto* top = new QSplitter(Qt::Horizontal, this);
    m_list = new QListWidget(top);
    m_list->setObjectName(QStringLiteral("CheckListBox1"));
    m_textArea = new QPlainTextEdit(top);
    m_textArea->setObjectName(QStringLiteral("Memo1"));
    m_textArea->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_textArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_textArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    top->addWidget(m_list);
    top->addWidget(m_textArea);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(top);
    m_grid = new ui::QueryGrid(&m_data.ZQ30, splitter);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setColumns({{QStringLiteral("O_KOD"), QStringLiteral("Kód")},
                        {QStringLiteral("O_NEV"), QStringLiteral("Neve")},
                        {QStringLiteral("O_IRSZAM"), QStringLiteral("Ir.szám")},
                        {QStringLiteral("O_HELYSEGNEV"), QStringLiteral("Helységnév")},
                        {QStringLiteral("O_UTCA"), QStringLiteral("Utcanév")},
                        {QStringLiteral("O_ADOAZON"), QStringLiteral("Adóazonosító")},
                        {QStringLiteral("O_SZIDO"), QStringLiteral("Szül.idő")},
                        {QStringLiteral("O_TAJ"), QStringLiteral("TAJ")},
                        {QStringLiteral("O_ADOSZAM"), QStringLiteral("Adószám")},
                        {QStringLiteral("O_BANKSZLA"), QStringLiteral("Bankszámla")},
                        {QStringLiteral("O_ERVKELT"), QStringLiteral("Érvényesitve")}});
    splitter->addWidget(m_grid);
    layout->addWidget(splitter, 1);

    m_progressLabel = new QLabel(this);
    m_progressLabel->setObjectName(QStringLiteral("Label5"));
    m_openButton = new QPushButton(QStringLiteral("Megnyitás"), this);
    m_openButton->setObjectName(QStringLiteral("Button1"));
    m_openButton->setAutoDefault(false);
    m_processButton = new QPushButton(QStringLiteral("Feldolgozás"), this);
    m_processButton->setObjectName(QStringLiteral("Button2"));
    m_processButton->setAutoDefault(false);
    m_closeButton = new QPushButton(QStringLiteral("Mégsem"), this);
    m_closeButton->setObjectName(QStringLiteral("Button3"));
    m_closeButton->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_progressLabel, 1);
    buttons->addWidget(m_openButton);
    buttons->addWidget(m_processButton);
    buttons->addWidget(m_closeButton);
    layout->addLayout(buttons);

    connect(m_openButton, &QPushButton::clicked, this, &TForm34::Button1Click);
    connect(m_processButton, &QPushButton::clicked, this, &TForm34::Button2Click);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TForm34::refillList()
{
    m_list->clear();
    QStringList lines = m_textArea->toPlainText().split(u'\n');
    // The text area's last line break opens no line of its own.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (const QString& line : lines) {
        auto* item = new QListWidgetItem(line, m_list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

void TForm34::Button1Click()
{
    const QString path = ui::Dialogs::openFileName(this, QStringLiteral("Megnyitás"), QString(),
                                                   QStringLiteral("csv (*.csv);;Minden file (*)"));
    if (!path.isEmpty()) {
        try {
            m_textArea->setPlainText(csvimport::loadFileLines(path).join(u'\n'));
        } catch (const Error& e) {
            ui::Dialogs::error(this, e.message());
            return;
        }
    }
    refillList();
}

void TForm34::Button2Click()
{
    QStringList lines;
    for (int i = 0; i < m_list->count(); ++i)
        lines.append(m_list->item(i)->text());
    csvimport::ImportCallbacks callbacks;
    callbacks.message = [this](const QString& text) { ui::Dialogs::error(this, text); };
    callbacks.progress = [this](int done, int total) {
        // The index (from 0) of the line just read, and how many there are.
        m_progressLabel->setText(QStringLiteral("%1 / %2").arg(done - 1).arg(total));
        if (done % 20 == 0 || done == total)
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    for (QPushButton* b : {m_openButton, m_processButton, m_closeButton})
        b->setEnabled(false);
    const csvimport::ImportSummary summary = csvimport::importLines(m_data, lines, callbacks);
    for (QPushButton* b : {m_openButton, m_processButton, m_closeButton})
        b->setEnabled(true);
    ui::Dialogs::information(this, QStringLiteral("A lista feldolgozva"));
    ui::Dialogs::information(this, oldimport::summaryText(summary));
    try {
        csvimport::openProducerList(m_data);
        m_grid->syncFromQuery();
    } catch (const Error& e) {
        ui::Dialogs::error(this, e.message());
    }
}

} // namespace zeror
