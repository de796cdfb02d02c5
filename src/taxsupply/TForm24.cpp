#include "TForm24.h"

#include "Dialogs.h"
#include "EnterNavigator.h"
#include "Error.h"
#include "FormButtons.h"
#include "ImportMerge.h"
#include "WinPaths.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace zeror {

using namespace taxsupply;

namespace {

const QString kInstructions = QStringLiteral(
    "1. Válassza ki az \"A\" (merevlemez) és a \"B\" (pendrive) meghajtót és a hónap könyvtárát,\n"
    "   pl.: C:\\ru2016\\01 és E:\\ru2016\\01\n"
    "2. Nyomja meg az \"Összevonás\" gombot.\n"
    "Az összevont összegek az \"A\" könyvtárba kerülnek; az összevont \"B\" fájlok és az \"A\" fájlok\n"
    "összevonás előtti példányai \".old\" kiterjesztést kapnak.\n"
    "Újabb összevonás előtt mindkét gépen ismételje meg a bevallás kigyüjtését (1608M-hoz export),\n"
    "és másolja át újra a fájlokat.");

} // namespace

TForm24::TForm24(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form24"));
    setWindowTitle(QStringLiteral("Két import összevonása"));

    auto* layout = new QVBoxLayout(this);
    auto* sides = new QHBoxLayout;
    auto* boxA = new QGroupBox(QStringLiteral("\"A\" merevlemez"), this);
    boxA->setObjectName(QStringLiteral("boxA"));
    auto* boxB = new QGroupBox(QStringLiteral("\"B\" pendrive"), this);
    boxB->setObjectName(QStringLiteral("boxB"));
    buildSide(m_a, QStringLiteral("\"A\""), "a", boxA);
    buildSide(m_b, QStringLiteral("\"B\""), "b", boxB);
    sides->addWidget(boxA);
    sides->addWidget(boxB);
    layout->addLayout(sides, 1);

    auto* lower = new QHBoxLayout;
    auto* commonBox = new QVBoxLayout;
    auto* commonLabel = new QLabel(QStringLiteral("Mind két listában megtalálhatóak"), this);
    commonLabel->setObjectName(QStringLiteral("commonLabel"));
    m_common = new QListWidget(this);
    m_common->setObjectName(QStringLiteral("commonList"));
    m_common->setFocusPolicy(Qt::ClickFocus);
    commonBox->addWidget(commonLabel);
    commonBox->addWidget(m_common);
    lower->addLayout(commonBox, 1);
    m_totals = new QPlainTextEdit(this);
    m_totals->setObjectName(QStringLiteral("totalsText"));
    m_totals->setReadOnly(true);
    m_totals->setFocusPolicy(Qt::ClickFocus);
    lower->addWidget(m_totals, 2);
    layout->addLayout(lower, 1);

    m_instructions = new QPlainTextEdit(kInstructions, this);
    m_instructions->setObjectName(QStringLiteral("instructionsText"));
    m_instructions->setReadOnly(true);
    m_instructions->setFocusPolicy(Qt::ClickFocus);
    m_instructions->setMaximumHeight(130);
    layout->addWidget(m_instructions);

    m_merge = ui::makeButton(this, "mergeButton", QStringLiteral("Összevonás"));
    m_cancel = ui::makeButton(this, "cancelButton", QStringLiteral("Mégsem"));
    layout->addLayout(ui::buttonRow({m_merge, m_cancel}));
    ui::setTabChain({m_a.folderEdit, m_a.browseButton, m_a.folderList, m_b.folderEdit, m_b.browseButton,
                     m_b.folderList, m_merge, m_cancel});
    connect(m_merge, &QPushButton::clicked, this, &TForm24::OsszevonasClick);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    ui::EnterNavigator::install(this);

    // The defaults are shown without the checks of a change.
    showFolder(m_a, paths::localPath(QStringLiteral("c:\\ru2016\\")));
    showFolder(m_b, paths::localPath(QStringLiteral("c:\\")));
    refreshCommon();
    resize(820, 620);
}

void TForm24::buildSide(Side& side, const QString& title, const char* prefix, QWidget* box)
{
    const QString p = QString::fromLatin1(prefix);
    auto* grid = new QGridLayout(box);
    side.folderEdit = new QLineEdit(box);
    side.folderEdit->setObjectName(p + QStringLiteral("FolderEdit"));
    side.browseButton = new QToolButton(box);
    side.browseButton->setObjectName(p + QStringLiteral("BrowseButton"));
    side.browseButton->setText(QStringLiteral("…"));
    side.folderList = new QListWidget(box);
    side.folderList->setObjectName(p + QStringLiteral("FolderList"));
    side.fileList = new QListWidget(box);
    side.fileList->setObjectName(p + QStringLiteral("FileList"));
    side.fileList->setFocusPolicy(Qt::ClickFocus);
    side.fileList->setSelectionMode(QAbstractItemView::NoSelection);
    auto* folderLabel = new QLabel(title + QStringLiteral(" könyvtár:"), box);
    folderLabel->setObjectName(p + QStringLiteral("FolderLabel"));
    auto* filesLabel = new QLabel(QStringLiteral("Import fájlok (*.imp):"), box);
    filesLabel->setObjectName(p + QStringLiteral("FilesLabel"));
    grid->addWidget(folderLabel, 0, 0, 1, 2);
    grid->addWidget(side.folderEdit, 1, 0);
    grid->addWidget(side.browseButton, 1, 1);
    grid->addWidget(side.folderList, 2, 0, 1, 2);
    grid->addWidget(filesLabel, 3, 0, 1, 2);
    grid->addWidget(side.fileList, 4, 0, 1, 2);

    Side* s = &side;
    connect(side.folderEdit, &QLineEdit::editingFinished, this, [this, s] {
        const QString typed = QDir::fromNativeSeparators(s->folderEdit->text().trimmed());
        const QString folder = paths::isDrivePath(typed) ? paths::localPath(typed) : typed;
        if (QDir::cleanPath(folder) != QDir::cleanPath(s->folder))
            folderChanged(*s, folder);
    });
    connect(side.browseButton, &QToolButton::clicked, this, [this, s, title] {
        const QString folder = ui::Dialogs::existingDirectory(this, title + QStringLiteral(" könyvtár"), s->folder);
        if (!folder.isEmpty())
            folderChanged(*s, folder);
    });
    connect(side.folderList, &QListWidget::itemActivated, this, [this, s](QListWidgetItem* item) {
        const QString name = item->text();
        const QString folder = name == QStringLiteral("..") ? QDir::cleanPath(s->folder + QStringLiteral("/.."))
                                                             : QDir(s->folder).filePath(name);
        folderChanged(*s, folder);
    });
}

void TForm24::showFolder(Side& side, const QString& folder)
{
    side.folder = QDir::cleanPath(folder);
    side.folderEdit->setText(QDir::toNativeSeparators(side.folder));
    side.folderList->clear();
    const QDir dir(side.folder);
    if (!dir.isRoot())
        side.folderList->addItem(QStringLiteral(".."));
    side.folderList->addItems(dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase));
    side.fileList->clear();
    side.fileList->addItems(importFilesIn(side.folder));
}

void TForm24::folderChanged(Side& side, const QString& folder)
{
    showFolder(side, folder);
    refreshCommon();
    for (const QString& warning : folderWarnings(m_a.folder, m_b.folder, side.folder))
        ui::Dialogs::information(this, warning);
}

void TForm24::setFolderA(const QString& folder)
{
    folderChanged(m_a, folder);
}

void TForm24::setFolderB(const QString& folder)
{
    folderChanged(m_b, folder);
}

void TForm24::refreshCommon()
{
    m_common->clear();
    for (const QString& name : commonFiles(importFilesIn(m_a.folder), importFilesIn(m_b.folder))) {
        auto* item = new QListWidgetItem(name, m_common);
        item->setFlags(Qt::ItemIsEnabled);
        item->setCheckState(Qt::Checked);
    }
}

void TForm24::OsszevonasClick()
{
    MergeOutcome outcome;
    try {
        outcome = mergeFolders(m_a.folder, m_b.folder);
    } catch (const Error& e) {
        ui::Dialogs::error(this, e.message());
        return;
    }
    QStringList lines = totalsTexts(outcome.beforeA, outcome.beforeB, false);
    m_totals->setPlainText(lines.join(QLatin1Char('\n')));
    for (const QString& failure : outcome.renameFailures)
        ui::Dialogs::error(this, failure);
    lines.append(QString());
    lines.append(totalsTexts(outcome.afterA, outcome.afterB, true));
    m_totals->setPlainText(lines.join(QLatin1Char('\n')));
    showFolder(m_a, m_a.folder);
    showFolder(m_b, m_b.folder);
    m_common->clear();
    for (const QString& name : outcome.merged) {
        auto* item = new QListWidgetItem(name, m_common);
        item->setFlags(Qt::ItemIsEnabled);
        item->setCheckState(Qt::Checked);
    }
    // One merge per opening.
    m_merge->setEnabled(false);
}

} // namespace zeror
