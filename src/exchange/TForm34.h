#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace zeror {

class TData;
namespace ui {
class QueryGrid;
}

// "Import excel (csv) -böl": adds producers from a semicolon-separated file saved from a
// spreadsheet; every line is stored on its own, and the producer register is shown afterwards.
class TForm34 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm34(TData& dataModule, QWidget* parent = nullptr);

    QListWidget* lineList() const { return m_list; }
    QPlainTextEdit* textArea() const { return m_textArea; }
    ui::QueryGrid* grid() const { return m_grid; }
    QLabel* progressLabel() const { return m_progressLabel; }
    QPushButton* openButton() const { return m_openButton; }
    QPushButton* processButton() const { return m_processButton; }
    QPushButton* closeButton() const { return m_closeButton; }

    // "Megnyitás": a file into the text area, then the list refilled from the text area's lines.
    void Button1Click();
    // "Feldolgozás": every list line imported, "A lista feldolgozva", the summary, the grid
    // reloaded and moved to its last row.
    void Button2Click();

private:
    void refillList();

    TData& m_data;
    QListWidget* m_list;
    QPlainTextEdit* m_textArea;
    ui::QueryGrid* m_grid;
    QLabel* m_progressLabel;
    QPushButton* m_openButton;
    QPushButton* m_processButton;
    QPushButton* m_closeButton;
};

} // namespace zeror
