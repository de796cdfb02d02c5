#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zeror {

class TData;

// "Érvénytelenitő bizonylat létrehozása": shows the number the voiding ticket will get and
// creates it on "OK"; "Mégsem" stores nothing and consumes no number.
class TForm39 : public QDialog
{
    Q_OBJECT

public:
    // voidedNumber is the f_bszam of the ticket list's selected row.
    TForm39(const QString& voidedNumber, QWidget* parent = nullptr);

    // The reserved number shown in the disabled field ("" when none could be reserved).
    QString reservedNumber() const;

public slots:
    void Button1Click(); // OK
    void Button2Click(); // Mégsem

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();

    TData* m_data;
    QString m_voided;
    bool m_shownOnce = false;
    QLineEdit* m_numberEdit;
    QPushButton* m_okButton;
    QPushButton* m_cancelButton;
};

} // namespace zeror
