#pragma once

// Internal to the report engine: a loaded template (bands, objects and their
// compiled expressions) and the reader of the .frf XML files.

#include "expression.h"

#include <QColor>
#include <QFont>
#include <QLineF>
#include <QMarginsF>
#include <QPageLayout>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <memory>
#include <vector>

namespace report::detail {

enum class BandType : quint8 {
    ReportTitle, PageHeader, ColumnHeader, MasterData, DetailData, MasterFooter,
    ReportSummary, PageFooter,
};

struct TextSegment {
    QString literal;             // printed before the expression
    std::unique_ptr<Node> expr;  // may be null (literal text only)
};

struct TemplateObject {
    enum Kind : quint8 { Text, Line, Rect };
    Kind kind = Text;
    QString name;
    int sourceLine = 0;
    QRectF rect;   // mm inside the band; a line runs from topLeft() to bottomRight()
    qreal lineWidth = 0.2;
    QColor fill;
    std::unique_ptr<Node> printWhen;
    // Text objects only.
    std::vector<TextSegment> segments;
    QFont font;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop;
    bool wrap = false;
    bool stretch = false;
    int frames = 0;
    DisplayFormat format;
    bool pageDependent = false;
};

// When the aggregates of a band start again from zero.
enum class AggregateReset : quint8 { Never, EachMasterRow, EachPage };

struct Aggregator {
    AggFunc func = AggFunc::Sum;
    const Node* expr = nullptr;  // null for COUNT
    int ownerBand = -1;          // the band the SUM is printed in
    int targetBand = -1;         // the data band whose rows it adds up
    int resetMaster = -1;        // with EachMasterRow: the master band whose rows restart it
    AggregateReset reset = AggregateReset::Never;
};

struct Band {
    BandType type = BandType::ReportTitle;
    QString name;
    int sourceLine = 0;
    qreal height = 0;
    QString dataset;
    bool startNewPage = false;
    std::unique_ptr<Node> printWhen;
    std::vector<TemplateObject> objects;
    int master = -1;                 // detail data and master footer: the master band
    std::vector<int> details;        // master data: its detail data bands
    std::vector<int> footers;        // master data: its master footers
    std::vector<int> addBeforePrint; // aggregators printed in this band that add up its own rows
    std::vector<int> addAfterPlace;  // other aggregators adding up this band's rows, once placed
};

struct ReportTemplate {
    QString fileName;
    QString title;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QSizeF paperPortraitMm{210, 297};  // width < height
    QMarginsF marginsMm{10, 10, 10, 10};
    std::vector<Band> bands;
    std::vector<QString> components;   // data components named in field references
    std::vector<Aggregator> aggregators;
};

// Reads a template; errors name the file and, where known, the line.
std::unique_ptr<ReportTemplate> loadTemplate(const QByteArray& xml, const QString& fileName,
                                             QString* error);

QString bandTypeName(BandType t);

}  // namespace report::detail
