#pragma once

#include "datasource.h"
#include "prepared.h"

#include <QPageLayout>
#include <QString>

#include <memory>

namespace report {

namespace detail {
struct ReportTemplate;
}

// One report object: a loaded template and the pages last prepared from it.
// The program may hold several (for example one to print and one to view).
class Report {
public:
    Report();
    ~Report();
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    // Reads a .frf template. On failure the error names the file, e.g.
    // "Cannot open template file FjLista7.frf: No such file or directory",
    // or the file and the line of broken XML or of a bad expression.
    bool loadFromFile(const QString& fileName, QString* error);
    // The same from text in memory; sourceName stands for the file in errors.
    bool loadFromString(const QString& xml, const QString& sourceName, QString* error);
    bool isLoaded() const;
    QString fileName() const;
    QString title() const;

    // Page orientation; loading takes the template's, and the program may
    // override it afterwards, before preparing.
    void setOrientation(QPageLayout::Orientation orientation);
    QPageLayout::Orientation orientation() const;

    // Safety limit against feeds that never reach their end.
    void setMaxPages(int pages);

    // Walks the bands over the feeds and lays out the pages. Each masterData
    // feed is registered by its dataset name, each data component used in
    // [Name."field"] by its name. Fails on an unknown feed or component.
    bool prepare(const DataRegistry& data, const VariableStore& variables, QString* error);
    const PreparedReport& prepared() const;

private:
    std::unique_ptr<detail::ReportTemplate> m_template;
    QPageLayout::Orientation m_orientation = QPageLayout::Portrait;
    int m_maxPages = 100000;
    PreparedReport m_prepared;
};

}  // namespace report
