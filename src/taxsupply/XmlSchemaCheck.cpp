#include "XmlSchemaCheck.h"

#include "Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <libxml/parser.h>
#include <libxml/xmlerror.h>
#include <libxml/xmlschemas.h>

#include <memory>

// The resource of a static library is registered by its initializer, outside any namespace.
static void initAuditXmlResource()
{
    Q_INIT_RESOURCE(auditxml);
}

namespace zeror::auditxml {

namespace {

const QString kShippedSchema = QStringLiteral(":/zeror/taxsupply/23_2014_szamlasema.xsd");

struct Problems
{
    QStringList texts;
};

QString describe(const xmlError* error)
{
    QString message = QString::fromUtf8(error->message ? error->message : "").trimmed();
    return QStringLiteral("Hiba a(z) %1. sorban: %2").arg(error->line).arg(message);
}

void collect(void* userData, xmlErrorPtr error)
{
    if (!error || error->level == XML_ERR_NONE || error->level == XML_ERR_WARNING)
        return;
    static_cast<Problems*>(userData)->texts << describe(error);
}

// Installs the collecting handler for the parser too (a file that is not well-formed) and
// restores the previous one on leaving.
class ErrorScope
{
public:
    explicit ErrorScope(Problems* p) { xmlSetStructuredErrorFunc(p, &collect); }
    ~ErrorScope() { xmlSetStructuredErrorFunc(nullptr, nullptr); }
    ErrorScope(const ErrorScope&) = delete;
    ErrorScope& operator=(const ErrorScope&) = delete;
};

} // namespace

QString schemaPath()
{
    const QString local = QDir::current().filePath(QString::fromLatin1(kSchemaFileName));
    if (QFileInfo(local).isFile())
        return local;
    return kShippedSchema;
}

QByteArray schemaBytes()
{
    initAuditXmlResource();
    const QString path = schemaPath();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Nincs \"%1\" fálj!").arg(QString::fromLatin1(kSchemaFileName)));
    return f.readAll();
}

QStringList validateXmlFile(const QString& xmlPath, const QByteArray& schema)
{
    xmlInitParser();
    Problems schemaProblems;
    std::unique_ptr<xmlSchema, decltype(&xmlSchemaFree)> compiled(nullptr, &xmlSchemaFree);
    {
        ErrorScope scope(&schemaProblems);
        std::unique_ptr<xmlSchemaParserCtxt, decltype(&xmlSchemaFreeParserCtxt)> parser(
            xmlSchemaNewMemParserCtxt(schema.constData(), static_cast<int>(schema.size())), &xmlSchemaFreeParserCtxt);
        if (parser) {
            xmlSchemaSetParserStructuredErrors(parser.get(), &collect, &schemaProblems);
            compiled.reset(xmlSchemaParse(parser.get()));
        }
    }
    if (!compiled)
        throw Error(QStringLiteral("A \"%1\" séma nem olvasható.\n%2")
                        .arg(QString::fromLatin1(kSchemaFileName), schemaProblems.texts.join(QLatin1Char('\n'))));

    if (!QFileInfo(xmlPath).isFile())
        throw Error(QStringLiteral("Nincs \"%1\" fálj!").arg(QDir::toNativeSeparators(xmlPath)));

    Problems problems;
    ErrorScope scope(&problems);
    std::unique_ptr<xmlSchemaValidCtxt, decltype(&xmlSchemaFreeValidCtxt)> validator(
        xmlSchemaNewValidCtxt(compiled.get()), &xmlSchemaFreeValidCtxt);
    if (!validator)
        throw Error(QStringLiteral("A sémaellenőrzés nem indítható."));
    xmlSchemaSetValidStructuredErrors(validator.get(), &collect, &problems);
    // Streams the file through the validator instead of building its tree first.
    const int rc = xmlSchemaValidateFile(validator.get(), QFile::encodeName(xmlPath).constData(), 0);
    if (rc != 0 && problems.texts.isEmpty())
        problems.texts << QStringLiteral("Hiba a(z) 0. sorban: a fájl nem olvasható vagy nem XML (%1).").arg(rc);
    return problems.texts;
}

QString schemaCheckReport(const QStringList& problems)
{
    return problems.isEmpty() ? QStringLiteral("rendben") : problems.join(QLatin1Char('\n'));
}

} // namespace zeror::auditxml
