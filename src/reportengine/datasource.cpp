#include "datasource.h"

namespace report {

void UserFeed::first()
{
    m_recordNo = 0;
    if (onFirst)
        onFirst();
}

void UserFeed::next()
{
    ++m_recordNo;
    if (onNext)
        onNext();
}

bool UserFeed::eof() const
{
    if (onCheckEof) {
        bool atEnd = false;
        onCheckEof(atEnd);
        return atEnd;
    }
    return m_recordNo >= rowCount;
}

QVariant UserFeed::value(const QString& /*field*/) const
{
    return {};
}

void DataRegistry::setSource(const QString& componentName, DataSource* src)
{
    if (src)
        m_sources.insert(componentName.toLower(), src);
    else
        m_sources.remove(componentName.toLower());
}

void DataRegistry::setFeed(const QString& feedName, DataSource* feed)
{
    if (feed)
        m_feeds.insert(feedName.toLower(), feed);
    else
        m_feeds.remove(feedName.toLower());
}

DataSource* DataRegistry::source(const QString& componentName) const
{
    return m_sources.value(componentName.toLower(), nullptr);
}

DataSource* DataRegistry::feed(const QString& feedName) const
{
    const QString key = feedName.toLower();
    if (DataSource* f = m_feeds.value(key, nullptr))
        return f;
    return m_sources.value(key, nullptr);
}

void DataRegistry::clear()
{
    m_sources.clear();
    m_feeds.clear();
}

void VariableStore::set(const QString& name, const QVariant& value)
{
    const QString key = name.toLower();
    auto it = m_values.find(key);
    if (it == m_values.end())
        m_values.insert(key, Entry{name, value});
    else
        it->value = value;
}

QVariant VariableStore::value(const QString& name) const
{
    const auto it = m_values.constFind(name.toLower());
    return it == m_values.constEnd() ? QVariant() : it->value;
}

bool VariableStore::contains(const QString& name) const
{
    return m_values.contains(name.toLower());
}

void VariableStore::remove(const QString& name)
{
    m_values.remove(name.toLower());
}

QStringList VariableStore::names() const
{
    QStringList out;
    out.reserve(m_values.size());
    for (const Entry& e : m_values)
        out << e.name;
    out.sort(Qt::CaseInsensitive);
    return out;
}

}  // namespace report
