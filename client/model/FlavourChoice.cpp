#include "client/model/FlavourChoice.h"

#include "client/model/persistence/ObjectReader.h"
#include "client/model/persistence/ObjectWriter.h"

namespace plenfox::client::model {

std::optional<QString> FlavourChoice::get() const {
    std::lock_guard guard(lock);
    return value;
}

void FlavourChoice::set(const QString& folderName) {
    std::lock_guard guard(lock);
    value = folderName;
}

void FlavourChoice::load(ObjectReader& reader) {
    std::lock_guard guard(lock);
    // Anything but a text means no choice.
    if (reader.peekTag() != ObjectStreamTag::String) {
        value.reset();
        return;
    }
    const QString text = reader.readString();
    value = text.isNull() ? std::nullopt : std::optional<QString>(text);
}

void FlavourChoice::loadEmpty() {
    std::lock_guard guard(lock);
    value.reset();
}

bool FlavourChoice::needsPersist() {
    std::lock_guard guard(lock);
    return value.has_value();
}

void FlavourChoice::persist(ObjectWriter& writer) {
    std::lock_guard guard(lock);
    writer.writeString(value.value_or(QString()));
}

} // namespace plenfox::client::model
