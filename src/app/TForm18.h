#pragma once

#include <QDialog>

class QComboBox;
class QPushButton;

namespace zeror {

class TData;

// "Átvevö kiválasztása": the drop-down of buyers. The choice is made by the list itself, when it
// closes up after a choice and when the focus leaves it; both buttons only close the screen.
class TForm18 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm18(TData& dataModule, QWidget* parent = nullptr);
    ~TForm18() override;

    QComboBox* list() const { return m_list; }

    // The choice of the buyer the list stands on: shared values, titles, menus.
    void chooseFromList();
    // "Kiválaszt" and "Mégsem".
    void Button1Click();
    void Button2Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Leaving the list makes the choice; a button pressed while the list still holds the focus
    // (keyboard shortcut, a click the window system did not turn into a focus change) leaves it too.
    void leaveList();

    TData& m_data;
    QComboBox* m_list;
    QPushButton* m_selectButton;
    QPushButton* m_cancelButton;
    bool m_inList = true; // the list has had the focus since the last choice
};

} // namespace zeror
