#pragma once

#include <QDialog>
#include <QHash>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zeror {

class TData;
namespace ui {
class QueryGrid;
}

// The producer list "Őstermelő": browses ZQ30, opens the entry window, deletes, prints, and
// serves the ticket screens as the producer picker — after it closes, by "Kiválaszt" or
// "Mégsem" alike, the current row of ZQ30 is the chosen producer.
class TForm4 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm4(QWidget* parent = nullptr);
    ~TForm4() override;

    ui::QueryGrid* grid() const { return m_grid; }
    QString sortLabelText() const;
    // The text a detail-panel value shows, by its caption ("Neve:", "Cim:" …).
    QString detailText(const QString& caption) const;

public slots:
    void chooseClicked();
    void newClicked();
    // skipPrintedCheck: the J/j/M/m override on the button.
    void modifyClicked(bool skipPrintedCheck = false);
    void deleteClicked();
    void printClicked();
    void searchClicked();
    void titleClicked(int section, int cursorColumn);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Runs the list query by name, positions on producerLocateCode and sets the sort label.
    void reopenList(const QString& label);
    void openEntryWindow();
    void updateDetail();
    void showDbError(const QString& text);

    TData* m_data;
    ui::QueryGrid* m_grid = nullptr;
    QLabel* m_sortLabel = nullptr;
    QLineEdit* m_searchEdit = nullptr;
    QPushButton* m_modifyButton = nullptr;
    QHash<QString, QLabel*> m_detail;
};

} // namespace zeror
