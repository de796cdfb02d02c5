#pragma once

#include "BuyerRecord.h"

#include <QDialog>
#include <QHash>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace zeror {

class TData;

// "Átvevö adatai": the chosen buyer's address, tax and declaration data. Name, code, postcode,
// town and tax number are shown only; "Letárol" stays disabled once the buyer has a ticket.
class TForm17 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm17(TData& dataModule, QWidget* parent = nullptr);

    // Fills the fields from the chosen buyer's row; on failure shows the message and returns
    // false (the screen is then not to be shown).
    bool loadRecord();

    // The field of a column ("V_KERULET" …), nullptr for an unknown column.
    QLineEdit* field(const QString& column) const { return m_fields.value(column); }
    QCheckBox* soleProprietorBox() const { return m_soleProprietor; }
    QCheckBox* smallTaxpayerBox() const { return m_smallTaxpayer; }
    QPushButton* storeButton() const { return m_storeButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }

    // The ticket count that decides whether "Letárol" can be used.
    void FormShow();
    // "Letárol": checks, the UPDATE, the re-read of the shared values, and closing.
    void Button1Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    BuyerRecord recordFromFields() const;

    TData& m_data;
    QHash<QString, QLineEdit*> m_fields;
    QCheckBox* m_soleProprietor;
    QCheckBox* m_smallTaxpayer;
    QPushButton* m_storeButton;
    QPushButton* m_cancelButton;
    bool m_shownOnce = false;
};

} // namespace zeror
