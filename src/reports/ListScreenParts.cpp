#include "ListScreenParts.h"

#include "Dialogs.h"
#include "Error.h"
#include "FormButtons.h"
#include "QueryGrid.h"

#include <QDateEdit>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

namespace zeror {

ListScreenParts::ListScreenParts(const char* objectName, const QString& title, QWidget* parent) : QDialog(parent)
{
    setObjectName(QString::fromLatin1(objectName));
    setWindowTitle(title);
    m_collect = ui::makeButton(this, "collectButton", QStringLiteral("Kigyüjtés"));
    m_print = ui::makeButton(this, "printButton", QStringLiteral("Nyomtatás"));
    m_cancel = ui::makeButton(this, "cancelButton", QStringLiteral("Mégsem"));
    m_print->setEnabled(false);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QDateEdit* ListScreenParts::makeDatePicker(const char* objectName, const QDate& date)
{
    auto* picker = new QDateEdit(date, this);
    picker->setObjectName(QString::fromLatin1(objectName));
    picker->setDisplayFormat(QStringLiteral("yyyy.MM.dd"));
    picker->setCalendarPopup(true);
    picker->setMinimumWidth(110);
    return picker;
}

void ListScreenParts::addGridAndButtons(QVBoxLayout* layout, Query* query)
{
    m_grid = new ui::QueryGrid(query, this);
    m_grid->setObjectName(QStringLiteral("grid"));
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setMinimumHeight(220);
    layout->addWidget(m_grid, 1);
    m_navigator = new ui::GridNavigator(m_grid, this);
    m_navigator->setObjectName(QStringLiteral("navigator"));
    layout->addWidget(m_navigator);
    layout->addLayout(ui::buttonRow({m_collect, m_print, m_cancel}));
}

bool ListScreenParts::guarded(const std::function<void()>& action)
{
    try {
        action();
        return true;
    } catch (const Error& e) {
        ui::Dialogs::error(this, e.message());
        return false;
    }
}

void ListScreenParts::collected()
{
    if (m_grid) {
        m_grid->syncFromQuery();
        m_grid->resizeColumnsToContents();
    }
    m_print->setEnabled(true);
}

void ListScreenParts::withdrawPrint()
{
    m_print->setEnabled(false);
}

} // namespace zeror
