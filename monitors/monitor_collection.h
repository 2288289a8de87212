#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class clsmonitor;

// The monitor list's collection: records in the order they were added, each
// under a unique text key. Iterating yields the records in that order.
class MonitorCollection
{
public:
    using Record = std::shared_ptr<clsmonitor>;
    using const_iterator = std::vector<Record>::const_iterator;

    // Adds `record` at the end under `key`. A key already taken rejects the
    // record and leaves the collection unchanged (runtime error 457); so does
    // a null record.
    bool add(const QString &key, Record record);

    int count() const { return static_cast<int>(m_records.size()); }
    bool isEmpty() const { return m_records.empty(); }
    bool contains(const QString &key) const;

    // The record at 0-based position `index`, or null outside the collection.
    Record at(int index) const;
    // The record under `key`, or null.
    Record value(const QString &key) const;
    QStringList keys() const { return m_keys; }

    bool remove(const QString &key);
    void clear();

    const_iterator begin() const { return m_records.cbegin(); }
    const_iterator end() const { return m_records.cend(); }

private:
    QStringList m_keys;
    std::vector<Record> m_records; // parallel to m_keys
};
