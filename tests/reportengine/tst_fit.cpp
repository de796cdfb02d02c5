// Long texts stay inside their boxes: smaller type first, then lines broken within the box.

#include "testutil.h"

#include <QFontMetricsF>
#include <QImage>

using report::PreparedItem;

namespace {

const PreparedItem& boxNamed(const report::PreparedReport& r, const QString& name)
{
    for (const PreparedItem& it : r.pages.first().items)
        if (it.objectName == name)
            return it;
    static PreparedItem none;
    ADD_FAILURE() << "no box " << str(name);
    return none;
}

// Width of the text in mm at the item's font.
qreal textWidthMm(const PreparedItem& it)
{
    QImage device(1, 1, QImage::Format_ARGB32);
    device.setDotsPerMeterX(qRound(1200 / 0.0254));
    return QFontMetricsF(it.font, &device).horizontalAdvance(it.text) / (1200 / 25.4);
}

QString boxes(const QString& text, qreal width, const QString& extra = QString())
{
    return QStringLiteral("<report><band type=\"reportTitle\" height=\"20\">"
                          "<text name=\"A\" x=\"0\" y=\"0\" w=\"%1\" h=\"4\" size=\"8\"%3>%2</text>"
                          "<text name=\"B\" x=\"%1\" y=\"0\" w=\"20\" h=\"4\" size=\"8\">1001</text>"
                          "</band></report>")
        .arg(width)
        .arg(text.toHtmlEscaped(), extra);
}

TEST(Fit, ShortTextKeepsItsType)
{
    report::DataRegistry data;
    report::VariableStore vars;
    const auto r = prepareText(boxes(QStringLiteral("Búza"), 40), data, vars);
    EXPECT_DOUBLE_EQ(boxNamed(r, QStringLiteral("A")).font.pointSizeF(), 8.0);
    EXPECT_FALSE(boxNamed(r, QStringLiteral("A")).wordWrap);
}

TEST(Fit, LongTextShrinksOrWrapsInsideItsBox)
{
    struct Case {
        const char* text;
        qreal width;
        bool wraps;
    };
    const Case cases[] = {
        {"Étkezési búza, I. osztályú", 34, false},             // a little too long: smaller type
        {"11773016-01234567-00000000", 38, false},             // a bank account
        {"Étkezési búza, I. osztályú, szárított, tisztított, zsákolt, 50 kg-os zsákokban", 30, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        report::DataRegistry data;
        report::VariableStore vars;
        const auto r = prepareText(boxes(QString::fromUtf8(c.text), c.width), data, vars);
        const PreparedItem& a = boxNamed(r, QStringLiteral("A"));
        EXPECT_EQ(a.text, QString::fromUtf8(c.text)); // nothing cut from the text
        EXPECT_LT(a.font.pointSizeF(), 8.0);
        EXPECT_GE(a.font.pointSizeF(), 4.0);
        EXPECT_EQ(a.wordWrap, c.wraps);
        EXPECT_DOUBLE_EQ(a.rect.width(), c.width); // the box stays where it was
        if (!c.wraps) {
            EXPECT_LE(textWidthMm(a), c.width - 1.0); // within the padding: never into the next box
        }
        // The neighbour is untouched.
        EXPECT_DOUBLE_EQ(boxNamed(r, QStringLiteral("B")).font.pointSizeF(), 8.0);
    }
}

TEST(Fit, StretchingBoxesGrowInsteadOfShrinking)
{
    report::DataRegistry data;
    report::VariableStore vars;
    const auto r = prepareText(boxes(QStringLiteral("Hosszú megjegyzés, amely több sorba törik a keretén belül."), 30,
                                     QStringLiteral(" wrap=\"true\" stretch=\"true\"")),
                               data, vars);
    const PreparedItem& a = boxNamed(r, QStringLiteral("A"));
    EXPECT_DOUBLE_EQ(a.font.pointSizeF(), 8.0);
    EXPECT_GT(a.rect.height(), 4.0);
}

} // namespace
