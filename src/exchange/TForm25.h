#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace zeror {

class TData;

// "Régiből import": brings the producers, products and buyers of the previous version's export
// files into the database, one committed line at a time.
class TForm25 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm25(TData& dataModule, QWidget* parent = nullptr);

    QLineEdit* folderEdit() const { return m_folderEdit; }
    QLabel* folderShownLabel() const { return m_folderShown; }
    QPlainTextEdit* textArea() const { return m_textArea; }
    QCheckBox* producerBox() const { return m_producerBox; }
    QCheckBox* productBox() const { return m_productBox; }
    QCheckBox* buyerBox() const { return m_buyerBox; }
    QProgressBar* progressBar() const { return m_progress; }
    QPushButton* importButton() const { return m_importButton; }
    QPushButton* closeButton() const { return m_closeButton; }

    // "Import": the ticked sections in order, each with its end message and summary; then the
    // screen closes. A file that cannot be read, or a transaction that cannot be started or
    // rolled back, stops the import with the screen left open.
    void Button1Click();

private:
    void updateFolderShown();
    bool runSection(int section);

    TData& m_data;
    QLineEdit* m_folderEdit;
    QLabel* m_folderShown;
    QPlainTextEdit* m_textArea;
    QCheckBox* m_producerBox;
    QCheckBox* m_productBox;
    QCheckBox* m_buyerBox;
    QProgressBar* m_progress;
    QPushButton* m_importButton;
    QPushButton* m_closeButton;
};

} // namespace zeror
