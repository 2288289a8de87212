#include "monitor_collection.h"

bool MonitorCollection::add(const QString &key, const MonitorRecord &record)
{
    if (m_keys.contains(key))
        return false;
    m_keys.append(key);
    m_records.push_back(record);
    return true;
}

const MonitorRecord *MonitorCollection::at(int index) const
{
    if (index < 0 || index >= count())
        return nullptr;
    return &m_records[static_cast<std::size_t>(index)];
}

const MonitorRecord *MonitorCollection::value(const QString &key) const
{
    return at(static_cast<int>(m_keys.indexOf(key)));
}

void MonitorCollection::clear()
{
    m_keys.clear();
    m_records.clear();
}
