#pragma once

#include "prepared.h"

#include <QDialog>

#include <functional>

class QAction;
class QLabel;
class QPrinter;
class QScrollArea;
class QSpinBox;

namespace report {

class PageView;

// Modal print preview: page navigation, zoom, fit to width or whole page,
// printing through the print dialog and saving as PDF (both only when printing
// is allowed: a view-only preview gives neither paper nor file).
// The file dialog, the print dialog and the error message box go through
// replaceable hooks so that tests can script them.
class PreviewDialog : public QDialog {
    Q_OBJECT
public:
    enum class Fit { None, Width, Page };
    enum Action { First, Previous, Next, Last, ZoomIn, ZoomOut, FitPage, FitWidth, Print, SavePdf, Close };

    PreviewDialog(const PreparedReport& report, bool allowPrint, QWidget* parent = nullptr);
    ~PreviewDialog() override;

    int currentPage() const;  // 0-based
    int pageCount() const;
    qreal zoom() const;       // 1.0 is the real size on the screen
    Fit fitMode() const;
    bool printAllowed() const;
    QAction* action(Action which) const;
    // "x / n" as shown next to the page number field.
    QString pageLabelText() const;
    // The file name the save dialog proposes: the report's title with ".pdf".
    QString suggestedPdfName() const;

    // Returns the PDF file name to write, or an empty string to cancel.
    std::function<QString(QWidget* parent)> pdfFileNameHook;
    // Shows the print dialog for the printer; true when the user chose to print.
    std::function<bool(QWidget* parent, QPrinter* printer)> printDialogHook;
    // Tells the user about a failure.
    std::function<void(QWidget* parent, const QString& message)> messageHook;

    // Hooks every new dialog starts with (for tests of code that opens the preview).
    static std::function<QString(QWidget*)>& defaultPdfFileNameHook();
    static std::function<bool(QWidget*, QPrinter*)>& defaultPrintDialogHook();
    static std::function<void(QWidget*, const QString&)>& defaultMessageHook();

public slots:
    void setCurrentPage(int pageIndex);
    void firstPage();
    void previousPage();
    void nextPage();
    void lastPage();
    void zoomIn();
    void zoomOut();
    void setZoom(qreal zoom);
    void fitPage();
    void fitWidth();
    bool printReport();
    bool savePdf();

signals:
    void currentPageChanged(int pageIndex);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void applyZoom(qreal zoom, Fit fit);
    void refitIfNeeded();
    void updateState();
    void showMessage(const QString& text);

    PreparedReport m_report;
    bool m_allowPrint;
    int m_page = 0;
    qreal m_zoom = 1.0;
    Fit m_fit = Fit::Page;
    QScrollArea* m_scroll = nullptr;
    PageView* m_view = nullptr;
    QSpinBox* m_pageSpin = nullptr;
    QLabel* m_pageLabel = nullptr;
    QLabel* m_zoomLabel = nullptr;
    QList<QAction*> m_actions;
};

// Opens the modal preview of a prepared report; returns when it is closed.
void showPreview(const PreparedReport& report, bool allowPrint, QWidget* parent = nullptr);

}  // namespace report
