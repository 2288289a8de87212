#pragma once

#include "monitor_record.h"

#include <QString>
#include <QStringList>

#include <vector>

// The monitor list's records in the order they were added, each under a unique
// text key. Iterating yields the records in that order.
class MonitorCollection
{
public:
    using const_iterator = std::vector<MonitorRecord>::const_iterator;

    // Adds `record` at the end under `key`. A key already taken rejects the
    // record and leaves the collection unchanged.
    bool add(const QString &key, const MonitorRecord &record);

    int count() const { return static_cast<int>(m_records.size()); }
    bool contains(const QString &key) const { return m_keys.contains(key); }

    // The record at `index` or under `key`; null when there is none. Valid
    // until the collection changes.
    const MonitorRecord *at(int index) const;
    const MonitorRecord *value(const QString &key) const;

    QStringList keys() const { return m_keys; }

    void clear();

    const_iterator begin() const { return m_records.cbegin(); }
    const_iterator end() const { return m_records.cend(); }

private:
    QStringList m_keys;
    std::vector<MonitorRecord> m_records; // parallel to m_keys
};
