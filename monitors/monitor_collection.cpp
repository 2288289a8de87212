#include "monitor_collection.h"

#include "clsmonitor.h"

bool MonitorCollection::add(const QString &key, Record record)
{
    if (!record || m_keys.contains(key))
        return false;
    m_keys.append(key);
    m_records.push_back(std::move(record));
    return true;
}

bool MonitorCollection::contains(const QString &key) const
{
    return m_keys.contains(key);
}

MonitorCollection::Record MonitorCollection::at(int index) const
{
    if (index < 0 || index >= count())
        return nullptr;
    return m_records[static_cast<std::size_t>(index)];
}

MonitorCollection::Record MonitorCollection::value(const QString &key) const
{
    return at(static_cast<int>(m_keys.indexOf(key)));
}

bool MonitorCollection::remove(const QString &key)
{
    const auto index = m_keys.indexOf(key);
    if (index < 0)
        return false;
    m_keys.removeAt(index);
    m_records.erase(m_records.begin() + index);
    return true;
}

void MonitorCollection::clear()
{
    m_keys.clear();
    m_records.clear();
}
