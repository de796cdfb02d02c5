// Turns the user manual's Markdown source into "sugo.pdf": Qt reads the Markdown into a text
// document (pictures relative to the source's folder), and the document is printed to an A4 PDF.
//
//     zeror-manual docs/manual/sugo.md build/sugo.pdf
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QUrl>

#include <cstdio>

namespace {

int fail(const QString& text)
{
    std::fprintf(stderr, "zeror-manual: %s\n", qPrintable(text));
    return 1;
}

// Narrows every picture wider than the text column to the column's width, keeping its shape.
void fitPictures(QTextDocument& doc, qreal columnWidth)
{
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat())
                continue;
            QTextImageFormat image = fragment.charFormat().toImageFormat();
            const QVariant resource = doc.resource(QTextDocument::ImageResource, QUrl(image.name()));
            const QImage picture = resource.value<QImage>();
            if (picture.isNull())
                continue;
            const qreal width = qMin<qreal>(picture.width(), columnWidth);
            image.setWidth(width);
            image.setHeight(picture.height() * width / picture.width());
            QTextCursor cursor(&doc);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(image);
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3)
        return fail(QStringLiteral("usage: zeror-manual SOURCE.md OUTPUT.pdf"));
    QFile source(args[1]);
    if (!source.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("%1: %2").arg(args[1], source.errorString()));

    QTextDocument doc;
    doc.setBaseUrl(QUrl::fromLocalFile(QFileInfo(args[1]).absolutePath() + QLatin1Char('/')));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(10);
    doc.setDefaultFont(font);
    doc.setMarkdown(QString::fromUtf8(source.readAll()));
    doc.setMetaInformation(QTextDocument::DocumentTitle, QStringLiteral("Zeror – felhasználói kézikönyv"));

    // Pictures that cannot be read would silently vanish from the manual: refuse them.
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat()) {
                const QString name = it.fragment().charFormat().toImageFormat().name();
                if (doc.resource(QTextDocument::ImageResource, QUrl(name)).value<QImage>().isNull())
                    return fail(QStringLiteral("picture not found: %1").arg(name));
            }

    QSaveFile out(args[2]);
    if (!out.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("%1: %2").arg(args[2], out.errorString()));
    {
        QPdfWriter writer(&out);
        writer.setTitle(QStringLiteral("Zeror – felhasználói kézikönyv"));
        writer.setCreator(QStringLiteral("zeror-manual"));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 18, 18, 18),
                                         QPageLayout::Millimeter));
        writer.setResolution(96);
        const QRectF page = writer.pageLayout().paintRectPixels(writer.resolution());
        doc.setPageSize(page.size());
        fitPictures(doc, page.width() - 2 * doc.documentMargin());
        doc.print(&writer);
    }
    if (!out.commit())
        return fail(QStringLiteral("%1: %2").arg(args[2], out.errorString()));
    return 0;
}
