#include "TForm16.h"

#include "FormButtons.h"
#include "Help.h"

#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace zeror {

TForm16::TForm16(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form16"));
    setWindowTitle(QStringLiteral("Névjegy"));
    auto* layout = new QVBoxLayout(this);
    m_text = new QTextEdit(this);
    m_text->setObjectName(QStringLiteral("aboutText"));
    m_text->setReadOnly(true);
    m_text->setPlainText(help::aboutLines().join(QLatin1Char('\n')));
    QTextCursor cursor(m_text->document());
    cursor.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.mergeBlockFormat(centred);
    m_text->setMinimumSize(380, 300);
    layout->addWidget(m_text);
    m_cancelButton = ui::makeButton(this, "cancelButton", QStringLiteral("Mégsem"));
    layout->addLayout(ui::buttonRow({m_cancelButton}));
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    m_cancelButton->setFocus();
}

} // namespace zeror
