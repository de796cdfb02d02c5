#include "previewdialog.h"

#include "printing.h"
#include "render.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <array>

namespace report {

namespace {

constexpr std::array<qreal, 13> kZoomSteps = {0.25, 0.33, 0.5, 0.67, 0.75, 0.9, 1.0,
                                              1.25, 1.5, 2.0, 2.5, 3.0, 4.0};
constexpr int kPageMarginPx = 16;
const QColor kDeskColor(0x80, 0x80, 0x80);

enum class DrawnIcon { ZoomIn, ZoomOut, FitPage, FitWidth, Print };

// Icons drawn here, as icon themes are often missing on the desktops the
// program runs on.
QIcon drawnIcon(DrawnIcon kind)
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(0x33, 0x33, 0x33);
    QPen pen(ink, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    switch (kind) {
    case DrawnIcon::ZoomIn:
    case DrawnIcon::ZoomOut:
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(3.5, 3.5, 18, 18));
        p.drawLine(QPointF(8, 12.5), QPointF(17, 12.5));
        if (kind == DrawnIcon::ZoomIn)
            p.drawLine(QPointF(12.5, 8), QPointF(12.5, 17));
        pen.setWidthF(5);
        p.setPen(pen);
        p.drawLine(QPointF(20, 20), QPointF(28, 28));
        break;
    case DrawnIcon::FitPage:
        p.setBrush(Qt::white);
        p.drawRect(QRectF(8, 3, 16, 26));
        pen.setWidthF(1.5);
        p.setPen(pen);
        for (qreal y = 9; y < 26; y += 4)
            p.drawLine(QPointF(11, y), QPointF(21, y));
        break;
    case DrawnIcon::FitWidth:
        p.setBrush(Qt::white);
        p.drawRect(QRectF(3, 7, 26, 18));
        pen.setWidthF(2);
        p.setPen(pen);
        p.drawLine(QPointF(7, 16), QPointF(25, 16));
        p.drawLine(QPointF(7, 16), QPointF(11, 12));
        p.drawLine(QPointF(7, 16), QPointF(11, 20));
        p.drawLine(QPointF(25, 16), QPointF(21, 12));
        p.drawLine(QPointF(25, 16), QPointF(21, 20));
        break;
    case DrawnIcon::Print:
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 3, 14, 9));
        p.setBrush(QColor(0x99, 0x99, 0x99));
        p.drawRoundedRect(QRectF(3, 11, 26, 12), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 19, 14, 10));
        break;
    }
    return QIcon(pm);
}

}  // namespace

// Draws the current page on a grey desk, at the dialog's zoom.
class PageView : public QWidget {
public:
    PageView(const PreparedReport& report, QWidget* parent)
        : QWidget(parent), m_report(report)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    void setPage(int page)
    {
        m_page = page;
        update();
    }

    void setPixelsPerMm(qreal pxPerMm)
    {
        m_pxPerMm = pxPerMm;
        const QSize page = pageSizePx();
        setFixedSize(page.width() + 2 * kPageMarginPx, page.height() + 2 * kPageMarginPx);
        update();
    }

    QSize pageSizePx() const
    {
        return QSize(qRound(m_report.pageSizeMm.width() * m_pxPerMm),
                     qRound(m_report.pageSizeMm.height() * m_pxPerMm));
    }

    std::function<void(int steps)> onCtrlWheel;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), kDeskColor);
        const QSize size = pageSizePx();
        const QRect page((width() - size.width()) / 2, kPageMarginPx, size.width(), size.height());
        p.fillRect(page.translated(4, 4), QColor(0x50, 0x50, 0x50));
        p.fillRect(page, Qt::white);
        p.setClipRect(page);
        paintPage(m_report, m_page, &p, QRectF(page));
    }

    void wheelEvent(QWheelEvent* e) override
    {
        if ((e->modifiers() & Qt::ControlModifier) && onCtrlWheel) {
            onCtrlWheel(e->angleDelta().y() > 0 ? 1 : -1);
            e->accept();
            return;
        }
        QWidget::wheelEvent(e);
    }

private:
    const PreparedReport& m_report;
    int m_page = 0;
    qreal m_pxPerMm = 4;
};

QString PreviewDialog::suggestedPdfName() const
{
    QString suggested = m_report.title.trimmed();
    suggested.replace(QLatin1Char('/'), QLatin1Char('-'));
    return suggested.isEmpty() ? QString() : suggested + QStringLiteral(".pdf");
}

std::function<QString(QWidget*)>& PreviewDialog::defaultPdfFileNameHook()
{
    static std::function<QString(QWidget*)> hook;
    return hook;
}

std::function<bool(QWidget*, QPrinter*)>& PreviewDialog::defaultPrintDialogHook()
{
    static std::function<bool(QWidget*, QPrinter*)> hook;
    return hook;
}

std::function<void(QWidget*, const QString&)>& PreviewDialog::defaultMessageHook()
{
    static std::function<void(QWidget*, const QString&)> hook;
    return hook;
}

PreviewDialog::PreviewDialog(const PreparedReport& report, bool allowPrint, QWidget* parent)
    : QDialog(parent), m_report(report), m_allowPrint(allowPrint)
{
    pdfFileNameHook = defaultPdfFileNameHook();
    printDialogHook = defaultPrintDialogHook();
    messageHook = defaultMessageHook();

    setWindowTitle(report.title.isEmpty() ? QStringLiteral("Nyomtatási kép")
                                          : QStringLiteral("Nyomtatási kép – %1").arg(report.title));
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setModal(true);

    auto* toolbar = new QToolBar(this);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolbar->setIconSize(QSize(22, 22));
    QStyle* st = style();
    auto add = [&](const QString& text, const QIcon& icon, const QKeySequence& key,
                   void (PreviewDialog::*slot)()) {
        auto* a = new QAction(icon, text, this);
        if (!key.isEmpty())
            a->setShortcut(key);
        a->setToolTip(key.isEmpty() ? text : QStringLiteral("%1 (%2)").arg(text, key.toString(QKeySequence::NativeText)));
        connect(a, &QAction::triggered, this, slot);
        m_actions << a;
        return a;
    };
    add(QStringLiteral("Első"), st->standardIcon(QStyle::SP_MediaSkipBackward), QKeySequence(Qt::CTRL | Qt::Key_Home), &PreviewDialog::firstPage);
    add(QStringLiteral("Előző"), st->standardIcon(QStyle::SP_ArrowLeft), QKeySequence(Qt::Key_PageUp), &PreviewDialog::previousPage);
    add(QStringLiteral("Következő"), st->standardIcon(QStyle::SP_ArrowRight), QKeySequence(Qt::Key_PageDown), &PreviewDialog::nextPage);
    add(QStringLiteral("Utolsó"), st->standardIcon(QStyle::SP_MediaSkipForward), QKeySequence(Qt::CTRL | Qt::Key_End), &PreviewDialog::lastPage);
    add(QStringLiteral("Nagyítás"), drawnIcon(DrawnIcon::ZoomIn), QKeySequence(QKeySequence::ZoomIn), &PreviewDialog::zoomIn);
    add(QStringLiteral("Kicsinyítés"), drawnIcon(DrawnIcon::ZoomOut), QKeySequence(QKeySequence::ZoomOut), &PreviewDialog::zoomOut);
    add(QStringLiteral("Egész oldal"), drawnIcon(DrawnIcon::FitPage), QKeySequence(), &PreviewDialog::fitPage);
    add(QStringLiteral("Oldalszélesség"), drawnIcon(DrawnIcon::FitWidth), QKeySequence(), &PreviewDialog::fitWidth);
    QAction* printAction = new QAction(QIcon::fromTheme(QStringLiteral("document-print"), drawnIcon(DrawnIcon::Print)),
                                       QStringLiteral("Nyomtatás"), this);
    printAction->setShortcut(QKeySequence::Print);
    connect(printAction, &QAction::triggered, this, [this] { printReport(); });
    m_actions << printAction;
    QAction* pdfAction = new QAction(st->standardIcon(QStyle::SP_DialogSaveButton), QStringLiteral("Mentés PDF-be"), this);
    pdfAction->setShortcut(QKeySequence::Save);
    connect(pdfAction, &QAction::triggered, this, [this] { savePdf(); });
    m_actions << pdfAction;
    QAction* closeAction = new QAction(st->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("Bezárás"), this);
    connect(closeAction, &QAction::triggered, this, &QDialog::accept);
    m_actions << closeAction;

    m_pageSpin = new QSpinBox(this);
    m_pageSpin->setRange(1, qMax(1, pageCount()));
    m_pageSpin->setKeyboardTracking(false);
    m_pageSpin->setAccessibleName(QStringLiteral("Oldalszám"));
    connect(m_pageSpin, &QSpinBox::valueChanged, this, [this](int v) { setCurrentPage(v - 1); });
    m_pageLabel = new QLabel(this);
    m_zoomLabel = new QLabel(this);
    m_zoomLabel->setMinimumWidth(m_zoomLabel->fontMetrics().horizontalAdvance(QStringLiteral("0000 %")));
    m_zoomLabel->setAlignment(Qt::AlignCenter);

    toolbar->addAction(m_actions[First]);
    toolbar->addAction(m_actions[Previous]);
    toolbar->addWidget(m_pageSpin);
    toolbar->addWidget(m_pageLabel);
    toolbar->addAction(m_actions[Next]);
    toolbar->addAction(m_actions[Last]);
    toolbar->addSeparator();
    toolbar->addAction(m_actions[ZoomIn]);
    toolbar->addAction(m_actions[ZoomOut]);
    toolbar->addWidget(m_zoomLabel);
    toolbar->addAction(m_actions[FitPage]);
    toolbar->addAction(m_actions[FitWidth]);
    toolbar->addSeparator();
    // A view-only preview yields no paper and no file: what it shows is not an original, and a
    // saved PDF would look exactly like one.
    if (m_allowPrint) {
        toolbar->addAction(printAction);
        toolbar->addAction(pdfAction);
    } else {
        printAction->setVisible(false);
        pdfAction->setVisible(false);
    }
    toolbar->addSeparator();
    toolbar->addAction(closeAction);
    // The actions' shortcuts work while focus is in the page view too.
    addActions(m_actions);

    m_view = new PageView(m_report, this);
    m_view->onCtrlWheel = [this](int steps) { steps > 0 ? zoomIn() : zoomOut(); };
    m_scroll = new QScrollArea(this);
    m_scroll->setWidget(m_view);
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QPalette desk = m_scroll->palette();
    desk.setColor(QPalette::Window, kDeskColor);
    m_scroll->setPalette(desk);
    m_scroll->setBackgroundRole(QPalette::Window);
    m_scroll->setFocusPolicy(Qt::StrongFocus);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar);
    layout->addWidget(m_scroll, 1);

    if (const QScreen* screen = QApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        resize(qMin(1100, avail.width() * 9 / 10), qMin(900, avail.height() * 9 / 10));
    } else {
        resize(1100, 850);
    }
    applyZoom(1.0, Fit::Page);
    updateState();
}

PreviewDialog::~PreviewDialog() = default;

int PreviewDialog::currentPage() const
{
    return m_page;
}

int PreviewDialog::pageCount() const
{
    return m_report.pageCount();
}

qreal PreviewDialog::zoom() const
{
    return m_zoom;
}

PreviewDialog::Fit PreviewDialog::fitMode() const
{
    return m_fit;
}

bool PreviewDialog::printAllowed() const
{
    return m_allowPrint;
}

QAction* PreviewDialog::action(Action which) const
{
    return m_actions.value(int(which), nullptr);
}

QString PreviewDialog::pageLabelText() const
{
    return QStringLiteral("%1 / %2").arg(pageCount() == 0 ? 0 : m_page + 1).arg(pageCount());
}

void PreviewDialog::setCurrentPage(int pageIndex)
{
    const int page = qBound(0, pageIndex, qMax(0, pageCount() - 1));
    if (page == m_page)
        return;
    m_page = page;
    m_view->setPage(m_page);
    m_scroll->verticalScrollBar()->setValue(0);
    updateState();
    emit currentPageChanged(m_page);
}

void PreviewDialog::firstPage()
{
    setCurrentPage(0);
}

void PreviewDialog::previousPage()
{
    setCurrentPage(m_page - 1);
}

void PreviewDialog::nextPage()
{
    setCurrentPage(m_page + 1);
}

void PreviewDialog::lastPage()
{
    setCurrentPage(pageCount() - 1);
}

void PreviewDialog::zoomIn()
{
    for (qreal z : kZoomSteps) {
        if (z > m_zoom + 0.005) {
            applyZoom(z, Fit::None);
            return;
        }
    }
}

void PreviewDialog::zoomOut()
{
    for (auto it = kZoomSteps.rbegin(); it != kZoomSteps.rend(); ++it) {
        if (*it < m_zoom - 0.005) {
            applyZoom(*it, Fit::None);
            return;
        }
    }
}

void PreviewDialog::setZoom(qreal zoom)
{
    applyZoom(zoom, Fit::None);
}

void PreviewDialog::fitPage()
{
    applyZoom(m_zoom, Fit::Page);
}

void PreviewDialog::fitWidth()
{
    applyZoom(m_zoom, Fit::Width);
}

void PreviewDialog::applyZoom(qreal zoom, Fit fit)
{
    m_fit = fit;
    const qreal screenPxPerMm = logicalDpiX() / 25.4;
    const QSizeF pageMm = m_report.pageSizeMm;
    if (fit != Fit::None && pageMm.width() > 0 && pageMm.height() > 0) {
        const QSize vp = m_scroll->viewport()->size();
        const int sb = m_scroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        const qreal byWidth = (vp.width() - 2 * kPageMarginPx - (fit == Fit::Width ? sb : 0)) / (pageMm.width() * screenPxPerMm);
        const qreal byHeight = (vp.height() - 2 * kPageMarginPx) / (pageMm.height() * screenPxPerMm);
        zoom = fit == Fit::Width ? byWidth : qMin(byWidth, byHeight);
    }
    m_zoom = qBound<qreal>(0.1, zoom, 8.0);
    m_view->setPixelsPerMm(m_zoom * screenPxPerMm);
    updateState();
}

void PreviewDialog::refitIfNeeded()
{
    if (m_fit != Fit::None)
        applyZoom(m_zoom, m_fit);
}

void PreviewDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    refitIfNeeded();
}

void PreviewDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    refitIfNeeded();
}

void PreviewDialog::updateState()
{
    const int n = pageCount();
    m_actions[First]->setEnabled(m_page > 0);
    m_actions[Previous]->setEnabled(m_page > 0);
    m_actions[Next]->setEnabled(m_page + 1 < n);
    m_actions[Last]->setEnabled(m_page + 1 < n);
    m_actions[ZoomIn]->setEnabled(m_zoom < kZoomSteps.back() - 0.005);
    m_actions[ZoomOut]->setEnabled(m_zoom > kZoomSteps.front() + 0.005);
    m_actions[Print]->setEnabled(m_allowPrint && n > 0);
    m_actions[SavePdf]->setEnabled(m_allowPrint && n > 0);
    {
        const QSignalBlocker block(m_pageSpin);
        m_pageSpin->setValue(m_page + 1);
    }
    m_pageSpin->setEnabled(n > 1);
    m_pageLabel->setText(QStringLiteral(" / %1 ").arg(n));
    m_zoomLabel->setText(QStringLiteral("%1 %").arg(qRound(m_zoom * 100)));
}

void PreviewDialog::showMessage(const QString& text)
{
    if (messageHook)
        messageHook(this, text);
    else
        QMessageBox::warning(this, windowTitle(), text);
}

bool PreviewDialog::printReport()
{
    if (!m_allowPrint || pageCount() == 0)
        return false;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(m_report.pageLayout());
    printer.setDocName(m_report.title);
    printer.setFromTo(1, pageCount());
    printer.setPrintRange(QPrinter::AllPages);
    bool accepted;
    if (printDialogHook) {
        accepted = printDialogHook(this, &printer);
    } else {
        QPrintDialog dialog(&printer, this);
        dialog.setWindowTitle(QStringLiteral("Nyomtatás"));
        dialog.setMinMax(1, pageCount());
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
        dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, true);
        accepted = dialog.exec() == QDialog::Accepted;
    }
    if (!accepted)
        return false;
    if (printer.printRange() == QPrinter::CurrentPage)
        printer.setFromTo(m_page + 1, m_page + 1);
    QString error;
    if (!print(m_report, &printer, &error)) {
        showMessage(error);
        return false;
    }
    return true;
}

bool PreviewDialog::savePdf()
{
    if (!m_allowPrint || pageCount() == 0)
        return false;
    QString fileName;
    if (pdfFileNameHook) {
        fileName = pdfFileNameHook(this);
    } else {
        fileName = QFileDialog::getSaveFileName(this, QStringLiteral("Mentés PDF-be"), suggestedPdfName(),
                                                QStringLiteral("PDF fájlok (*.pdf)"));
    }
    if (fileName.isEmpty())
        return false;
    if (!fileName.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        fileName += QStringLiteral(".pdf");
    QString error;
    if (!writePdf(m_report, fileName, &error)) {
        showMessage(error);
        return false;
    }
    return true;
}

void showPreview(const PreparedReport& report, bool allowPrint, QWidget* parent)
{
    PreviewDialog dialog(report, allowPrint, parent);
    dialog.exec();
}

}  // namespace report
