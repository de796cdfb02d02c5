#pragma once

#include <QDialog>

class QLineEdit;
class QProgressBar;
class QPushButton;

namespace zeror {

// "Adatok mentése": copies the year's database to a backup file named from the date and time.
class TForm35 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm35(QWidget* parent = nullptr);

    QLineEdit* sourceEdit() const { return m_sourceEdit; }
    QLineEdit* targetEdit() const { return m_targetEdit; }
    QPushButton* sourceButton() const { return m_sourceButton; }
    QPushButton* targetButton() const { return m_targetButton; }
    QPushButton* saveButton() const { return m_saveButton; }
    QProgressBar* progressBar() const { return m_progress; }

    // "Honnan": the database file to copy.
    void Button1Click();
    // "Hová": the folder of the backup; the name is always the moment's.
    void Button2Click();
    // "Mentés": the checks, the copy, the message.
    void Button3Click();

private:
    QLineEdit* m_sourceEdit;
    QLineEdit* m_targetEdit;
    QPushButton* m_sourceButton;
    QPushButton* m_targetButton;
    QPushButton* m_saveButton;
    QPushButton* m_cancelButton;
    QProgressBar* m_progress;
};

} // namespace zeror
