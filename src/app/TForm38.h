#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zeror {

class TData;

// "Évnyitás": sets the starting value of the chosen buyer's ticket-number counter, as long as
// the buyer has no ticket yet; after the first ticket only "Bezárás" is left.
class TForm38 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm38(TData& dataModule, QWidget* parent = nullptr);

    bool isLocked() const { return m_locked; }
    QLineEdit* currentEdit() const { return m_currentEdit; }
    QLineEdit* newEdit() const { return m_newEdit; }
    QPushButton* storeButton() const { return m_storeButton; }
    QPushButton* closeButton() const { return m_closeButton; }

    // "Letárol": the three checks, then the INSERT or UPDATE of the counter; closes on success.
    void Button1Click();

private:
    TData& m_data;
    bool m_locked = false;
    QLabel* m_lockedLabel;
    QLineEdit* m_currentEdit;
    QLabel* m_newLabel;
    QLineEdit* m_newEdit;
    QPushButton* m_storeButton;
    QPushButton* m_closeButton;
};

} // namespace zeror
