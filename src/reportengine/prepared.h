#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QPageLayout>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

namespace report {

// Which sides of a text box get a frame line.
enum FrameSide : int {
    FrameNone = 0,
    FrameLeft = 1,
    FrameTop = 2,
    FrameRight = 4,
    FrameBottom = 8,
    FrameAll = FrameLeft | FrameTop | FrameRight | FrameBottom,
};

// Painting keeps text this far inside the left and right edges of its box.
inline constexpr qreal kTextPaddingMm = 0.5;

// One positioned thing on a prepared page. Coordinates are millimetres from
// the top-left corner of the paper. A line runs from rect.topLeft() to
// rect.bottomRight() (the rectangle is not normalised). The font's point size
// is the size on paper.
struct PreparedItem {
    enum Kind { Text, Line, Rect };
    Kind kind = Text;
    QRectF rect;
    QString text;
    QFont font;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop;
    bool wordWrap = false;
    int frames = FrameNone;  // FrameSide flags (text boxes)
    qreal lineWidth = 0.2;   // mm: frame, line or rectangle border
    QString objectName;
    QColor fill;             // background of a text box or rectangle; invalid: none
};

struct PreparedPage {
    QList<PreparedItem> items;
};

struct PreparedReport {
    QSizeF pageSizeMm{210, 297};  // as the paper lies: width > height in landscape
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QList<PreparedPage> pages;
    QString title;

    int pageCount() const { return int(pages.size()); }
    // Every text item of every page in page order, for tests.
    QStringList texts() const;
    QStringList pageTexts(int pageIndex) const;
    // Text items whose object has the given name, in page order.
    QStringList textsOf(const QString& objectName) const;
    // The page layout that prints this report on its paper without margins.
    QPageLayout pageLayout() const;
};

}  // namespace report
