#include "reporttemplate.h"

#include "formatting.h"

#include <QDomDocument>
#include <QDomElement>
#include <QHash>

namespace report::detail {

QString bandTypeName(BandType t)
{
    switch (t) {
    case BandType::ReportTitle: return QStringLiteral("reportTitle");
    case BandType::PageHeader: return QStringLiteral("pageHeader");
    case BandType::ColumnHeader: return QStringLiteral("columnHeader");
    case BandType::MasterData: return QStringLiteral("masterData");
    case BandType::DetailData: return QStringLiteral("detailData");
    case BandType::MasterFooter: return QStringLiteral("masterFooter");
    case BandType::ReportSummary: return QStringLiteral("reportSummary");
    case BandType::PageFooter: return QStringLiteral("pageFooter");
    }
    return QString();
}

namespace {

class Loader {
public:
    Loader(ReportTemplate& t, QString* error) : m_t(t), m_error(error) {}

    bool load(const QByteArray& xml)
    {
        QDomDocument doc;
        QString msg;
        int line = 0, column = 0;
        if (!doc.setContent(xml, &msg, &line, &column)) {
            if (m_error)
                *m_error = QStringLiteral("Template file %1, line %2, column %3: %4")
                               .arg(m_t.fileName).arg(line).arg(column).arg(msg);
            return false;
        }
        const QDomElement root = doc.documentElement();
        if (root.tagName() != u"report")
            return fail(root.lineNumber(),
                        QStringLiteral("the root element must be <report>, not <%1>").arg(root.tagName()));
        if (!readReport(root))
            return false;
        for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
            if (e.tagName() != u"band")
                return fail(e.lineNumber(), QStringLiteral("unknown element <%1> (only <band> may stand in <report>)")
                                                .arg(e.tagName()));
            if (!readBand(e))
                return false;
        }
        return link();
    }

private:
    bool fail(int line, const QString& what)
    {
        if (m_error) {
            *m_error = line > 0 ? QStringLiteral("Template file %1, line %2: %3").arg(m_t.fileName).arg(line).arg(what)
                                : QStringLiteral("Template file %1: %2").arg(m_t.fileName, what);
        }
        return false;
    }

    bool number(const QDomElement& e, const char* attr, qreal def, qreal* out)
    {
        const QString name = QString::fromLatin1(attr);
        if (!e.hasAttribute(name)) {
            *out = def;
            return true;
        }
        bool ok = false;
        *out = parseNumber(e.attribute(name), &ok);
        if (!ok)
            return fail(e.lineNumber(), QStringLiteral("attribute %1=\"%2\" is not a number")
                                            .arg(name, e.attribute(name)));
        return true;
    }

    bool boolean(const QDomElement& e, const char* attr, bool def, bool* out)
    {
        const QString name = QString::fromLatin1(attr);
        if (!e.hasAttribute(name)) {
            *out = def;
            return true;
        }
        const QString v = e.attribute(name).trimmed().toLower();
        if (v == u"true" || v == u"1" || v == u"yes") {
            *out = true;
            return true;
        }
        if (v == u"false" || v == u"0" || v == u"no") {
            *out = false;
            return true;
        }
        return fail(e.lineNumber(), QStringLiteral("attribute %1=\"%2\" must be true or false")
                                        .arg(name, e.attribute(name)));
    }

    bool color(const QDomElement& e, const char* attr, QColor* out)
    {
        const QString name = QString::fromLatin1(attr);
        if (!e.hasAttribute(name))
            return true;
        const QColor c = QColor::fromString(e.attribute(name).trimmed());
        if (!c.isValid())
            return fail(e.lineNumber(), QStringLiteral("attribute %1=\"%2\" is not a colour")
                                            .arg(name, e.attribute(name)));
        *out = c;
        return true;
    }

    bool condition(const QDomElement& e, std::unique_ptr<Node>* out)
    {
        if (!e.hasAttribute(QStringLiteral("printWhen")))
            return true;
        const QString text = e.attribute(QStringLiteral("printWhen"));
        QString err;
        *out = parseExpression(text, &err);
        if (!*out)
            return fail(e.lineNumber(), QStringLiteral("printWhen \"%1\": %2").arg(text, err));
        return true;
    }

    bool readReport(const QDomElement& root)
    {
        const QString orientation = root.attribute(QStringLiteral("orientation"), QStringLiteral("portrait")).toLower();
        if (orientation == u"portrait")
            m_t.orientation = QPageLayout::Portrait;
        else if (orientation == u"landscape")
            m_t.orientation = QPageLayout::Landscape;
        else
            return fail(root.lineNumber(), QStringLiteral("orientation must be portrait or landscape, not \"%1\"")
                                               .arg(orientation));

        const QString paper = root.attribute(QStringLiteral("paper"), QStringLiteral("A4")).trimmed();
        static const QHash<QString, QSizeF> papers = {
            {QStringLiteral("a3"), {297, 420}}, {QStringLiteral("a4"), {210, 297}},
            {QStringLiteral("a5"), {148, 210}}, {QStringLiteral("b5"), {176, 250}},
            {QStringLiteral("letter"), {215.9, 279.4}}, {QStringLiteral("legal"), {215.9, 355.6}},
        };
        if (papers.contains(paper.toLower())) {
            m_t.paperPortraitMm = papers.value(paper.toLower());
        } else {
            const QStringList wh = paper.toLower().split(QLatin1Char('x'));
            bool okW = false, okH = false;
            const double w = wh.size() == 2 ? parseNumber(wh[0], &okW) : 0;
            const double h = wh.size() == 2 ? parseNumber(wh[1], &okH) : 0;
            if (!okW || !okH || w < 20 || h < 20)
                return fail(root.lineNumber(), QStringLiteral("unknown paper \"%1\" (A3, A4, A5, B5, Letter, Legal or WIDTHxHEIGHT in mm)")
                                                   .arg(paper));
            m_t.paperPortraitMm = QSizeF(qMin(w, h), qMax(w, h));
        }

        const QString margins = root.attribute(QStringLiteral("margins"), QStringLiteral("10,10,10,10"));
        const QStringList m = margins.split(QLatin1Char(','));
        QList<qreal> mv;
        for (const QString& part : m) {
            bool ok = false;
            mv << parseNumber(part, &ok);
            if (!ok || mv.last() < 0)
                return fail(root.lineNumber(), QStringLiteral("margins \"%1\" must be left,top,right,bottom in mm").arg(margins));
        }
        if (mv.size() == 1)
            m_t.marginsMm = QMarginsF(mv[0], mv[0], mv[0], mv[0]);
        else if (mv.size() == 4)
            m_t.marginsMm = QMarginsF(mv[0], mv[1], mv[2], mv[3]);
        else
            return fail(root.lineNumber(), QStringLiteral("margins \"%1\" must be left,top,right,bottom in mm").arg(margins));

        m_t.title = root.attribute(QStringLiteral("title"));
        m_defaultFamily = root.attribute(QStringLiteral("font"), QStringLiteral("DejaVu Sans"));
        return number(root, "size", 9, &m_defaultSize);
    }

    bool readBand(const QDomElement& e)
    {
        static const QHash<QString, BandType> types = {
            {QStringLiteral("reporttitle"), BandType::ReportTitle},
            {QStringLiteral("pageheader"), BandType::PageHeader},
            {QStringLiteral("columnheader"), BandType::ColumnHeader},
            {QStringLiteral("masterdata"), BandType::MasterData},
            {QStringLiteral("detaildata"), BandType::DetailData},
            {QStringLiteral("masterfooter"), BandType::MasterFooter},
            {QStringLiteral("reportsummary"), BandType::ReportSummary},
            {QStringLiteral("pagefooter"), BandType::PageFooter},
        };
        const QString typeText = e.attribute(QStringLiteral("type"));
        if (!types.contains(typeText.toLower()))
            return fail(e.lineNumber(), QStringLiteral("unknown band type \"%1\"").arg(typeText));
        Band b;
        b.type = types.value(typeText.toLower());
        b.sourceLine = e.lineNumber();
        b.name = e.attribute(QStringLiteral("name"));
        if (b.name.isEmpty())
            b.name = bandTypeName(b.type) + QString::number(m_t.bands.size() + 1);
        if (!number(e, "height", 0, &b.height) || !boolean(e, "startNewPage", false, &b.startNewPage)
            || !condition(e, &b.printWhen))
            return false;
        if (b.height < 0)
            return fail(e.lineNumber(), QStringLiteral("band height must not be negative"));
        b.dataset = e.attribute(QStringLiteral("dataset")).trimmed();
        const bool isData = b.type == BandType::MasterData || b.type == BandType::DetailData;
        if (isData && b.dataset.isEmpty())
            return fail(e.lineNumber(), QStringLiteral("band %1 (%2) needs a dataset attribute")
                                            .arg(b.name, bandTypeName(b.type)));
        if (!isData && !b.dataset.isEmpty())
            return fail(e.lineNumber(), QStringLiteral("band %1 (%2) cannot have a dataset")
                                            .arg(b.name, bandTypeName(b.type)));
        for (QDomElement o = e.firstChildElement(); !o.isNull(); o = o.nextSiblingElement()) {
            TemplateObject obj;
            if (!readObject(o, &obj))
                return false;
            b.objects.push_back(std::move(obj));
        }
        m_t.bands.push_back(std::move(b));
        return true;
    }

    bool readObject(const QDomElement& e, TemplateObject* obj)
    {
        obj->sourceLine = e.lineNumber();
        const QString tag = e.tagName();
        if (tag == u"line") {
            obj->kind = TemplateObject::Line;
            qreal x1, y1, x2, y2;
            if (!number(e, "x1", 0, &x1) || !number(e, "y1", 0, &y1) || !number(e, "x2", 0, &x2)
                || !number(e, "y2", 0, &y2) || !number(e, "width", 0.2, &obj->lineWidth))
                return false;
            obj->rect = QRectF(QPointF(x1, y1), QPointF(x2, y2));
        } else if (tag == u"rect" || tag == u"text") {
            obj->kind = tag == u"rect" ? TemplateObject::Rect : TemplateObject::Text;
            qreal x, y, w, h;
            if (!number(e, "x", 0, &x) || !number(e, "y", 0, &y) || !number(e, "w", 0, &w)
                || !number(e, "h", 0, &h) || !color(e, "fill", &obj->fill))
                return false;
            if (w < 0 || h < 0)
                return fail(e.lineNumber(), QStringLiteral("w and h must not be negative"));
            obj->rect = QRectF(x, y, w, h);
            if (obj->kind == TemplateObject::Rect) {
                if (!number(e, "width", 0.2, &obj->lineWidth))
                    return false;
            } else if (!readText(e, obj)) {
                return false;
            }
        } else {
            return fail(e.lineNumber(), QStringLiteral("unknown object <%1> (text, line or rect)").arg(tag));
        }
        obj->name = e.attribute(QStringLiteral("name"));
        if (obj->name.isEmpty())
            obj->name = tag + QString::number(++m_objectCounter);
        return condition(e, &obj->printWhen);
    }

    bool readText(const QDomElement& e, TemplateObject* obj)
    {
        qreal size;
        bool bold, italic, underline;
        if (!number(e, "size", m_defaultSize, &size) || !boolean(e, "bold", false, &bold)
            || !boolean(e, "italic", false, &italic) || !boolean(e, "underline", false, &underline)
            || !boolean(e, "wrap", false, &obj->wrap) || !boolean(e, "stretch", false, &obj->stretch)
            || !number(e, "frameWidth", 0.2, &obj->lineWidth))
            return false;
        if (size <= 0)
            return fail(e.lineNumber(), QStringLiteral("font size must be positive"));
        QFont font(e.attribute(QStringLiteral("font"), m_defaultFamily));
        font.setPointSizeF(size);
        font.setBold(bold);
        font.setItalic(italic);
        font.setUnderline(underline);
        // Unhinted glyphs keep text widths proportional between screen and paper.
        font.setHintingPreference(QFont::PreferNoHinting);
        obj->font = font;

        const QString align = e.attribute(QStringLiteral("align"), QStringLiteral("left")).toLower();
        Qt::Alignment h;
        if (align == u"left")
            h = Qt::AlignLeft;
        else if (align == u"center")
            h = Qt::AlignHCenter;
        else if (align == u"right")
            h = Qt::AlignRight;
        else if (align == u"justify")
            h = Qt::AlignJustify;
        else
            return fail(e.lineNumber(), QStringLiteral("align must be left, center, right or justify, not \"%1\"").arg(align));
        const QString valign = e.attribute(QStringLiteral("valign"), QStringLiteral("top")).toLower();
        Qt::Alignment v;
        if (valign == u"top")
            v = Qt::AlignTop;
        else if (valign == u"center" || valign == u"middle")
            v = Qt::AlignVCenter;
        else if (valign == u"bottom")
            v = Qt::AlignBottom;
        else
            return fail(e.lineNumber(), QStringLiteral("valign must be top, center or bottom, not \"%1\"").arg(valign));
        obj->align = h | v;

        const QString frame = e.attribute(QStringLiteral("frame")).toLower();
        for (const QString& part : frame.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const QString p = part.trimmed();
            if (p == u"all")
                obj->frames |= 15;
            else if (p == u"left")
                obj->frames |= 1;
            else if (p == u"top")
                obj->frames |= 2;
            else if (p == u"right")
                obj->frames |= 4;
            else if (p == u"bottom")
                obj->frames |= 8;
            else if (p != u"none")
                return fail(e.lineNumber(), QStringLiteral("frame part \"%1\" is not all, left, top, right or bottom").arg(p));
        }

        QString err;
        if (!parseDisplayFormat(e.attribute(QStringLiteral("format")), &obj->format, &err))
            return fail(e.lineNumber(), err);
        return readSegments(e, normalizeContent(e.text()), obj);
    }

    // Indentation and line ends around the content come from the XML layout,
    // not from the text, so each line is trimmed and blank edges are dropped.
    static QString normalizeContent(const QString& raw)
    {
        QStringList lines = raw.split(QLatin1Char('\n'));
        for (QString& l : lines)
            l = l.trimmed();
        while (!lines.isEmpty() && lines.first().isEmpty())
            lines.removeFirst();
        while (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        return lines.join(QLatin1Char('\n'));
    }

    bool readSegments(const QDomElement& e, const QString& text, TemplateObject* obj)
    {
        QString literal;
        const int n = int(text.size());
        int i = 0;
        while (i < n) {
            const QChar c = text.at(i);
            if (c != QLatin1Char('[')) {
                literal += c;
                ++i;
                continue;
            }
            if (i + 1 < n && text.at(i + 1) == QLatin1Char('[')) {
                literal += c;
                i += 2;
                continue;
            }
            // Find the closing bracket, skipping quoted parts.
            int j = i + 1;
            QChar quote;
            for (; j < n; ++j) {
                const QChar d = text.at(j);
                if (!quote.isNull()) {
                    if (d == quote)
                        quote = QChar();
                } else if (d == QLatin1Char('\'') || d == QLatin1Char('"')) {
                    quote = d;
                } else if (d == QLatin1Char(']')) {
                    break;
                }
            }
            if (j >= n)
                return fail(e.lineNumber(), QStringLiteral("text \"%1\": '[' without a closing ']'").arg(text));
            const QString exprText = text.mid(i + 1, j - i - 1);
            QString err;
            auto expr = parseExpression(exprText, &err);
            if (!expr)
                return fail(e.lineNumber(), QStringLiteral("expression [%1]: %2").arg(exprText, err));
            obj->pageDependent = obj->pageDependent || expr->pageDependent;
            TextSegment s;
            s.literal = literal;
            s.expr = std::move(expr);
            obj->segments.push_back(std::move(s));
            literal.clear();
            i = j + 1;
        }
        if (!literal.isEmpty() || obj->segments.empty()) {
            TextSegment s;
            s.literal = literal;
            obj->segments.push_back(std::move(s));
        }
        return true;
    }

    // Ties detail bands and footers to their master, numbers the data
    // components and decides what each SUM/COUNT adds up.
    bool link()
    {
        int lastMaster = -1;
        QHash<QString, int> bandByName;
        for (int i = 0; i < int(m_t.bands.size()); ++i) {
            Band& b = m_t.bands[size_t(i)];
            if (bandByName.contains(b.name.toLower()))
                return fail(b.sourceLine, QStringLiteral("two bands are named %1").arg(b.name));
            bandByName.insert(b.name.toLower(), i);
            if (b.type == BandType::MasterData) {
                lastMaster = i;
            } else if (b.type == BandType::DetailData || b.type == BandType::MasterFooter) {
                if (lastMaster < 0)
                    return fail(b.sourceLine, QStringLiteral("band %1 (%2) needs a masterData band before it")
                                                  .arg(b.name, bandTypeName(b.type)));
                b.master = lastMaster;
                Band& m = m_t.bands[size_t(lastMaster)];
                (b.type == BandType::DetailData ? m.details : m.footers).push_back(i);
            }
        }
        int firstMaster = -1;
        for (int i = 0; i < int(m_t.bands.size()) && firstMaster < 0; ++i)
            if (m_t.bands[size_t(i)].type == BandType::MasterData)
                firstMaster = i;

        QHash<QString, int> componentIndex;
        lastMaster = -1;
        for (int i = 0; i < int(m_t.bands.size()); ++i) {
            Band& b = m_t.bands[size_t(i)];
            if (b.type == BandType::MasterData)
                lastMaster = i;
            std::vector<Node*> roots;
            if (b.printWhen)
                roots.push_back(b.printWhen.get());
            for (TemplateObject& o : b.objects) {
                if (o.printWhen)
                    roots.push_back(o.printWhen.get());
                for (TextSegment& s : o.segments)
                    if (s.expr)
                        roots.push_back(s.expr.get());
            }
            for (Node* root : roots) {
                bool ok = true;
                walk(*root, [&](Node& n) {
                    if (!ok)
                        return;
                    if (n.kind == Node::Field) {
                        const QString key = n.name.toLower();
                        auto it = componentIndex.find(key);
                        if (it == componentIndex.end()) {
                            it = componentIndex.insert(key, int(m_t.components.size()));
                            m_t.components.push_back(n.name);
                        }
                        n.index = it.value();
                    } else if (n.kind == Node::Aggregate) {
                        ok = addAggregator(n, i, lastMaster >= 0 ? lastMaster : firstMaster, bandByName);
                    }
                });
                if (!ok)
                    return false;
            }
        }
        return true;
    }

    bool addAggregator(Node& n, int owner, int defaultMaster, const QHash<QString, int>& bandByName)
    {
        const Band& b = m_t.bands[size_t(owner)];
        Aggregator a;
        a.func = n.agg;
        a.expr = n.args.empty() ? nullptr : n.args.front().get();
        a.ownerBand = owner;
        if (!n.name.isEmpty()) {
            const int target = bandByName.value(n.name.toLower(), -1);
            if (target < 0)
                return fail(b.sourceLine, QStringLiteral("band %1: SUM/COUNT names an unknown band \"%2\"").arg(b.name, n.name));
            const BandType tt = m_t.bands[size_t(target)].type;
            if (tt != BandType::MasterData && tt != BandType::DetailData)
                return fail(b.sourceLine, QStringLiteral("band %1: SUM/COUNT can only add up the rows of a masterData or detailData band, not %2")
                                              .arg(b.name, n.name));
            a.targetBand = target;
        } else {
            switch (b.type) {
            case BandType::MasterFooter: {
                const Band& m = m_t.bands[size_t(b.master)];
                a.targetBand = m.details.empty() ? b.master : m.details.front();
                break;
            }
            case BandType::MasterData:
            case BandType::DetailData:
                a.targetBand = owner;
                break;
            default:
                a.targetBand = defaultMaster;
                break;
            }
        }
        if (b.type == BandType::MasterFooter || b.type == BandType::DetailData) {
            a.reset = AggregateReset::EachMasterRow;
            a.resetMaster = b.master;
        } else if (b.type == BandType::PageFooter) {
            a.reset = AggregateReset::EachPage;
        }
        n.index = int(m_t.aggregators.size());
        if (a.targetBand >= 0) {
            // A running total in its own band includes the row being printed;
            // everything else counts a row once it has its place, so a row
            // that moves to the next page belongs to that page's sums.
            Band& target = m_t.bands[size_t(a.targetBand)];
            (a.targetBand == owner ? target.addBeforePrint : target.addAfterPlace).push_back(n.index);
        }
        m_t.aggregators.push_back(a);
        return true;
    }

    ReportTemplate& m_t;
    QString* m_error;
    QString m_defaultFamily;
    qreal m_defaultSize = 9;
    int m_objectCounter = 0;
};

}  // namespace

std::unique_ptr<ReportTemplate> loadTemplate(const QByteArray& xml, const QString& fileName, QString* error)
{
    auto t = std::make_unique<ReportTemplate>();
    t->fileName = fileName;
    Loader loader(*t, error);
    if (!loader.load(xml))
        return nullptr;
    return t;
}

}  // namespace report::detail
