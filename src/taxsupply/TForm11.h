#pragma once

#include "ImportFile.h"

#include <QDialog>

class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zeror {

class TData;
namespace ui {
class QueryGrid;
}

// "NAV 1608M adat importnak a létrehozása": the month's import files for the tax form 1608M, one
// per producer paid in the month, the group-import list file, and the printed summary.
class TForm11 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm11(QWidget* parent = nullptr);

    QDateEdit* fromEdit() const { return m_from; }
    QDateEdit* toEdit() const { return m_to; }
    QLineEdit* folderEdit() const { return m_folder; }
    QPushButton* collectButton() const { return m_collect; }
    QPushButton* printButton() const { return m_print; }
    QPushButton* okButton() const { return m_ok; }
    const QString& grandTotal() const { return m_grandTotal; }

    // The month check when the second date is left ("Hiba111") or on "OK" ("Hiba112").
    bool DateTimePicker2Exit();
    void OKClick();
    // "Kigyüjtés": writes the import files and the list file.
    void KigyujtesClick();
    // "Nyomtatás": the month's summary through FjLista3.frf.
    void NyomtatasClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    taxsupply::ImportPeriod period() const;
    bool monthCheck(bool fromOk);

    TData& m_data;
    QDateEdit* m_from;
    QDateEdit* m_to;
    QLineEdit* m_folder;
    QLineEdit* m_singleName;
    QLineEdit* m_listName;
    QLabel* m_totalLabel;
    ui::QueryGrid* m_grid;
    QPushButton* m_collect;
    QPushButton* m_print;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    QString m_grandTotal;
};

} // namespace zeror
