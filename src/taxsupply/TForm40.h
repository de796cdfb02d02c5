#pragma once

#include "AuditXmlSettings.h"

#include <QDialog>

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace zeror {

class TData;

namespace ui {
class QueryGrid;
}

// "Adóhatósági ellenőrzési adatszolgáltatás": collects the chosen tickets into NAVFEJ, writes the
// tax-audit invoice XML, shows the written file and the schema, and checks the file against the
// authority's schema.
class TForm40 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm40(TData& dataModule, QWidget* parent = nullptr);

    // The handlers of the buttons.
    void collectClick();     // "Kigyűjtés"
    void exportClick();      // "Export"
    void browseClick();      // "Tallóz"
    void saveClick();        // "Mentés"
    void loadXmlClick();     // "Betöltés" on "XML"
    void copyXmlClick();     // "Vágólapra másol" on "XML"
    void loadXsdClick();     // "Betöltés" on "XSD"
    void copyXsdClick();     // "Vágólapra másol" on "XSD"
    void schemaCheckClick(); // "Séma ellenőrzés"
    // Shows the XML line a listed problem names (double-click on the problem); false when the
    // problem names no line.
    bool goToProblem(int problemIndex);

    // The settings as the fields hold them now.
    const auditxml::Settings& settings() const { return m_settings; }
    // The real file the path field stands for.
    QString xmlFilePath() const;

    QTabWidget* tabs() const { return m_tabs; }
    QLineEdit* pathEdit() const { return m_pathEdit; }
    QLabel* realPathLabel() const { return m_realPathLabel; }
    QRadioButton* byDateRadio() const { return m_byDate; }
    QRadioButton* byNumberRadio() const { return m_byNumber; }
    QRadioButton* issueDateRadio() const { return m_issueDate; }
    QRadioButton* purchaseDateRadio() const { return m_purchaseDate; }
    QDateEdit* fromDate() const { return m_fromDate; }
    QDateEdit* toDate() const { return m_toDate; }
    QLineEdit* fromNumberEdit() const { return m_fromNumber; }
    QLineEdit* toNumberEdit() const { return m_toNumber; }
    QCheckBox* optionalCheck() const { return m_optional; }
    QCheckBox* selfBillingCheck() const { return m_selfBilling; }
    QLineEdit* onszlaEdit() const { return m_onszlaEdit; }
    QLineEdit* papirEdit() const { return m_papirEdit; }
    QPushButton* collectButton() const { return m_collectButton; }
    QPushButton* exportButton() const { return m_exportButton; }
    QPushButton* checkButton() const { return m_checkButton; }
    QPlainTextEdit* xmlText() const { return m_xmlText; }
    QPlainTextEdit* xsdText() const { return m_xsdText; }
    QPlainTextEdit* checkResults() const { return m_checkResults; }
    ui::QueryGrid* grid() const { return m_grid; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildSupplyTab();
    QWidget* buildSettingsTab();
    QWidget* buildXmlTab();
    QWidget* buildXsdTab();
    QWidget* buildDescriptionTab();
    void showProgress(int done, int total);
    void focusField(int field);

    TData& m_data;
    auditxml::Settings m_settings;

    QTabWidget* m_tabs;
    QLineEdit* m_pathEdit = nullptr;
    QLabel* m_realPathLabel = nullptr;
    QRadioButton* m_byDate = nullptr;
    QRadioButton* m_byNumber = nullptr;
    QRadioButton* m_issueDate = nullptr;
    QRadioButton* m_purchaseDate = nullptr;
    QDateEdit* m_fromDate = nullptr;
    QDateEdit* m_toDate = nullptr;
    QLineEdit* m_fromNumber = nullptr;
    QLineEdit* m_toNumber = nullptr;
    QCheckBox* m_optional = nullptr;
    QCheckBox* m_selfBilling = nullptr;
    QLineEdit* m_onszlaEdit = nullptr;
    QLineEdit* m_papirEdit = nullptr;
    QPushButton* m_collectButton = nullptr;
    QPushButton* m_exportButton = nullptr;
    QPushButton* m_checkButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QProgressBar* m_progress = nullptr;
    QPlainTextEdit* m_xmlText = nullptr;
    QPlainTextEdit* m_xsdText = nullptr;
    QPlainTextEdit* m_checkResults = nullptr;
    ui::QueryGrid* m_grid = nullptr;
    int m_lastPercent = -1;
};

} // namespace zeror
