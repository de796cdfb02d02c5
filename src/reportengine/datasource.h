#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

namespace report {

// A data set the engine reads rows from: a band feed and/or a field source.
class DataSource {
public:
    virtual ~DataSource() = default;
    virtual void first() = 0;
    virtual void next() = 0;
    // True when past the last row (or when there are no rows at all).
    virtual bool eof() const = 0;
    // Value of a field of the current row, name matched case-insensitively;
    // an invalid QVariant when the field is unknown.
    virtual QVariant value(const QString& field) const = 0;
};

// A program-driven feed: the program's handlers are called for the first row,
// the next row and the end-of-data check. It only drives a band; its fields
// come from other sources the handlers move along.
class UserFeed : public DataSource {
public:
    std::function<void()> onFirst;
    std::function<void()> onNext;
    std::function<void(bool& eof)> onCheckEof;
    // Used only when onCheckEof is not set: the number of rows the feed gives.
    int rowCount = 1;

    void first() override;
    void next() override;
    bool eof() const override;
    QVariant value(const QString& field) const override;

    // Zero-based number of the current row since first().
    int recordNo() const { return m_recordNo; }

private:
    int m_recordNo = 0;
};

// Names the engine resolves: component names for field references
// ([ZQ10."f_bszam"]) and feed names for data bands (dataset="frDBDataSet1").
// Look-ups are case-insensitive; the sources are not owned.
class DataRegistry {
public:
    void setSource(const QString& componentName, DataSource* src);
    void setFeed(const QString& feedName, DataSource* feed);
    DataSource* source(const QString& componentName) const;
    // A feed of that name, or else a source of that name, or nullptr.
    DataSource* feed(const QString& feedName) const;
    void clear();

private:
    QHash<QString, DataSource*> m_sources;
    QHash<QString, DataSource*> m_feeds;
};

// The one store of named variables, shared by all reports. Values stay until
// they are set again: printing never clears them. Names are case-insensitive.
class VariableStore {
public:
    void set(const QString& name, const QVariant& value);
    QVariant value(const QString& name) const;
    bool contains(const QString& name) const;
    void remove(const QString& name);
    // The names as they were first set.
    QStringList names() const;

private:
    struct Entry {
        QString name;
        QVariant value;
    };
    QHash<QString, Entry> m_values;
};

}  // namespace report
