#pragma once

#include <QHash>
#include <QMainWindow>

class QAction;
class QMenu;

namespace zeror {

class TData;

// The main window: nothing but the main menu, from which every screen is opened modally.
class TForm1 : public QMainWindow
{
    Q_OBJECT

public:
    explicit TForm1(TData* dataModule, QWidget* parent = nullptr);
    ~TForm1() override;

    // The main window of the process, for screens that update its title and menus.
    static TForm1* instance();

    // A menu item or top item by object name.
    QAction* item(const QString& objectName) const;

    // The state after a buyer choice: every top item enabled, the caption set to the title.
    void enableAfterBuyerChoice(const QString& title);

    // Runs a menu item's handler as a click would.
    void openItem(const QString& itemName);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenu();
    QAction* addItem(QMenu* menu, const char* name, const QString& caption, bool hidden = false);

    TData* m_data;
    QHash<QString, QAction*> m_items;
    bool m_shownOnce = false;
};

} // namespace zeror
