#pragma once

#include "reportengine/datasource.h"

#include <QList>
#include <QVariantMap>

// Rows held in memory, for tests: each row maps field names to values.
class MemorySource : public report::DataSource {
public:
    MemorySource() = default;
    explicit MemorySource(QList<QVariantMap> rows) : m_rows(std::move(rows)) {}

    void setRows(QList<QVariantMap> rows)
    {
        m_rows = std::move(rows);
        m_pos = 0;
    }
    const QList<QVariantMap>& rows() const { return m_rows; }

    void first() override
    {
        ++firstCalls;
        m_pos = 0;
    }
    void next() override { ++m_pos; }
    bool eof() const override { return m_pos >= m_rows.size(); }
    QVariant value(const QString& field) const override
    {
        if (eof())
            return {};
        const QVariantMap& row = m_rows.at(m_pos);
        for (auto it = row.cbegin(); it != row.cend(); ++it)
            if (it.key().compare(field, Qt::CaseInsensitive) == 0)
                return it.value();
        return {};
    }

    int firstCalls = 0;

private:
    QList<QVariantMap> m_rows;
    qsizetype m_pos = 0;
};
