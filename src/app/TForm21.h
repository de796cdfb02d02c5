#pragma once

#include <QDialog>

class QPushButton;

namespace zeror {

// "Sugó": opens the user manual "sugo.pdf" of the working folder in the desktop's PDF viewer.
class TForm21 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm21(QWidget* parent = nullptr);

    QPushButton* helpButton() const { return m_helpButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }

    // "Segitség": the manual in the viewer; the screen stays open.
    void Button1Click();

private:
    QPushButton* m_helpButton;
    QPushButton* m_cancelButton;
};

} // namespace zeror
