#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <utility>

namespace plenfox::client::model {

class ObjectReader;
class ObjectWriter;

// A small table from tag name to text value that keeps its entries in the
// order they were first inserted; replacing a value keeps the entry's place.
// The update query and answer carry their tags in such a table, so the query
// document lists the tags in a predictable order.
class TagTable {
public:
    using Entry = std::pair<QString, QString>;

    TagTable() = default;
    TagTable(std::initializer_list<Entry> entries);

    // The value for the key, or a null QString when the key is absent.
    QString value(const QString& key) const;
    bool contains(const QString& key) const;
    // Replaces the value of an existing key in place, or appends the entry.
    void insert(const QString& key, const QString& value);
    qsizetype size() const { return entries.size(); }
    bool isEmpty() const { return entries.isEmpty(); }
    QList<QString> keys() const;

    QList<Entry>::const_iterator begin() const { return entries.cbegin(); }
    QList<Entry>::const_iterator end() const { return entries.cend(); }

    // Written as a string map; a map read back keeps the stream's order.
    void write(ObjectWriter& writer) const;
    static TagTable read(ObjectReader& reader);

    // Equal when both hold the same entries in the same order.
    bool operator==(const TagTable& other) const { return entries == other.entries; }

private:
    qsizetype indexOf(const QString& key) const;

    QList<Entry> entries;
    // Key -> position in entries: an answer may carry hundreds of thousands
    // of tags, so a lookup must not walk the list.
    QHash<QString, qsizetype> positions;
};

} // namespace plenfox::client::model
