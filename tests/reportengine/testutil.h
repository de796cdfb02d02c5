#pragma once

#include "reportengine/report.h"

#include <QString>

#include <gtest/gtest.h>

// Prints QStrings readably in assertion messages.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

inline std::string str(const QString& s)
{
    return s.toStdString();
}

// A template with one title band holding one text box named "T".
inline QString oneBoxTemplate(const QString& content, const QString& format = QString())
{
    QString fmt = format.isEmpty() ? QString() : QStringLiteral(" format=\"%1\"").arg(format.toHtmlEscaped());
    return QStringLiteral("<report><band type=\"reportTitle\" height=\"10\">"
                          "<text name=\"T\" x=\"0\" y=\"0\" w=\"150\" h=\"5\"%1>%2</text>"
                          "</band></report>")
        .arg(fmt, content.toHtmlEscaped());
}

// Prepares a template text; fails the test when it does not load or prepare.
inline report::PreparedReport prepareText(const QString& xml, const report::DataRegistry& data,
                                          const report::VariableStore& vars,
                                          const QString& name = QStringLiteral("test.frf"))
{
    report::Report r;
    QString error;
    EXPECT_TRUE(r.loadFromString(xml, name, &error)) << str(error);
    EXPECT_TRUE(r.prepare(data, vars, &error)) << str(error);
    return r.prepared();
}
