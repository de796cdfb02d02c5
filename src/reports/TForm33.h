#pragma once

#include <QDialog>
#include <QList>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zeror {

class TData;

// "Szerzödés nyomtatás": a contract for one producer from ten typed-in fields, printed from
// "FjSzerzodes.frf". Nothing typed here is checked or stored.
class TForm33 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm33(TData& dataModule, QWidget* parent = nullptr);

    QPushButton* producerButton() const { return m_producerButton; }
    QPushButton* printButton() const { return m_print; }
    QPushButton* cancelButton() const { return m_cancel; }
    QLineEdit* field(int i) const { return m_fields.value(i); }
    QLineEdit* producerCodeField() const { return m_code; }
    QLabel* producerLabel() const { return m_producer; }

    void producerClick();
    // Without a chosen producer nothing happens.
    void printClick();

private:
    TData& m_data;
    QPushButton* m_producerButton;
    QLabel* m_producer;
    QLineEdit* m_code; // hidden: the chosen producer's code
    QList<QLineEdit*> m_fields;
    QPushButton* m_print;
    QPushButton* m_cancel;
};

} // namespace zeror
