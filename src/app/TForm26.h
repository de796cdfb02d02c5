#pragma once

#include <QDialog>

class QPushButton;

namespace zeror {

// "Távsegítség": starts the remote-support program named in zeror.ini.
class TForm26 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm26(QWidget* parent = nullptr);

    QPushButton* startButton() const { return m_startButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }

    // "Távsegítség indítása": starts the program without waiting; the screen stays open.
    void Button1Click();

private:
    QPushButton* m_startButton;
    QPushButton* m_cancelButton;
};

} // namespace zeror
