#pragma once

#include <QString>

namespace plenfox::client::wow {

// One "## key: value" line of a TOC file.
class TocHeader {
public:
    TocHeader(QString key, QString value) : key(std::move(key)), value(std::move(value)) {}

    const QString& getKey() const { return key; }
    const QString& getValue() const { return value; }

private:
    QString key;
    QString value;
};

} // namespace plenfox::client::wow
