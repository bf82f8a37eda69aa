#include "client/model/updates/TagTable.h"

#include "client/model/persistence/ObjectReader.h"
#include "client/model/persistence/ObjectWriter.h"

namespace plenfox::client::model {

TagTable::TagTable(std::initializer_list<Entry> initial) {
    for (const auto& [key, value] : initial)
        insert(key, value);
}

qsizetype TagTable::indexOf(const QString& key) const {
    return positions.value(key, -1);
}

QString TagTable::value(const QString& key) const {
    const qsizetype index = indexOf(key);
    return index < 0 ? QString() : entries[index].second;
}

bool TagTable::contains(const QString& key) const {
    return indexOf(key) >= 0;
}

void TagTable::insert(const QString& key, const QString& value) {
    const qsizetype index = indexOf(key);
    if (index < 0) {
        positions.insert(key, entries.size());
        entries.emplace_back(key, value);
    } else
        entries[index].second = value;
}

QList<QString> TagTable::keys() const {
    QList<QString> names;
    names.reserve(entries.size());
    for (const auto& entry : entries)
        names << entry.first;
    return names;
}

void TagTable::write(ObjectWriter& writer) const {
    writer.writeStringPairs(entries);
}

TagTable TagTable::read(ObjectReader& reader) {
    // Inserting one by one folds a repeated key into one entry.
    TagTable table;
    for (const auto& [key, value] : reader.readStringPairs())
        table.insert(key, value);
    return table;
}

} // namespace plenfox::client::model
