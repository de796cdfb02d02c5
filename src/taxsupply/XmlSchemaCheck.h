#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace zeror::auditxml {

// The file name of the authority's invoice schema.
inline constexpr char kSchemaFileName[] = "23_2014_szamlasema.xsd";

// Where the schema is read from: the file in the working folder when there is one, else the copy
// the program ships (a resource path).
QString schemaPath();
// The schema's bytes from schemaPath(); throws Error when it cannot be read.
QByteArray schemaBytes();

// Validates an XML file against a schema with libxml2. Returns one text per problem,
// "Hiba a(z) N. sorban: " followed by libxml2's own description; an empty list when the file is
// valid. Throws Error when the schema itself cannot be read or compiled.
QStringList validateXmlFile(const QString& xmlPath, const QByteArray& schema);
inline QStringList validateXmlFile(const QString& xmlPath) { return validateXmlFile(xmlPath, schemaBytes()); }

// The report "Séma ellenőrzés" shows: "rendben" for a valid file, else the problems, one a line.
QString schemaCheckReport(const QStringList& problems);

} // namespace zeror::auditxml
