#pragma once

#include <QDialog>
#include <QHash>

class QLabel;

namespace zeror {

class TData;
namespace ui {
class QueryGrid;
}

// The product list "Termék": browses ZQ40, opens the entry window, deletes, prints, and serves
// the ticket line screen as the product picker — after it closes, by "Kiválaszt" or "Mégsem"
// alike, the current row of ZQ40 is the chosen product.
class TForm6 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm6(QWidget* parent = nullptr);
    ~TForm6() override;

    ui::QueryGrid* grid() const { return m_grid; }
    QString orderLabelText() const;
    // The text a detail-panel value shows, by its caption ("Kód:", "Egységár:" …).
    QString detailText(const QString& caption) const;

public slots:
    void chooseClicked();
    void newClicked();
    void modifyClicked();
    void deleteClicked();
    void printClicked();
    void titleClicked(int section, int cursorColumn);

private:
    // Runs the list by name, positions by name on productSearchText and sets the label.
    void reopenList();
    void openEntryWindow();
    void updateDetail();

    TData* m_data;
    ui::QueryGrid* m_grid = nullptr;
    QLabel* m_orderLabel = nullptr;
    QHash<QString, QLabel*> m_detail;
};

} // namespace zeror
