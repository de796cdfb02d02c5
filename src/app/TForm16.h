#pragma once

#include <QDialog>

class QPushButton;
class QTextEdit;

namespace zeror {

// "Névjegy": the about text with the program's version.
class TForm16 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm16(QWidget* parent = nullptr);

    QTextEdit* textEdit() const { return m_text; }
    QPushButton* cancelButton() const { return m_cancelButton; }

private:
    QTextEdit* m_text;
    QPushButton* m_cancelButton;
};

} // namespace zeror
