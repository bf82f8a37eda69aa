#include "client/model/updates/EnableUpdatesSetting.h"

#include "client/model/Client.h"
#include "client/model/ClientOptions.h"
#include "client/model/ClientRepository.h"
#include "client/model/Constants.h"
#include "client/model/persistence/ObjectReader.h"
#include "client/model/persistence/ObjectWriter.h"
#include "client/model/persistence/PersistenceHelper.h"

namespace plenfox::client::model {

EnableUpdatesSetting::EnableUpdatesSetting() = default;

EnableUpdatesSetting::~EnableUpdatesSetting() = default;

void EnableUpdatesSetting::initialize(model::Client& client) {
    const auto repository = client.getClientRepository();
    {
        std::lock_guard guard(lock);
        options = client.getOptions();
        if (!repository)
            return;
        persistence = std::make_unique<model::PersistenceHelper>(
            repository->getFileInRoot(Constants::UpdateSettingsBackingFileName),
            repository->getFileInRoot(Constants::UpdateSettingsBackingFileName +
                                      QStringLiteral(".tmp")),
            *this);
    }
    persistence->load();
}

bool EnableUpdatesSetting::enabled() const {
    std::lock_guard guard(lock);
    return value.value_or(false);
}

bool EnableUpdatesSetting::isDefault() const {
    std::lock_guard guard(lock);
    return !value.has_value();
}

void EnableUpdatesSetting::set(bool newValue) {
    {
        std::lock_guard guard(lock);
        value = newValue;
    }
    passOn(newValue);
}

void EnableUpdatesSetting::persist() {
    model::PersistenceHelper* helper;
    {
        std::lock_guard guard(lock);
        helper = persistence.get();
    }
    if (helper)
        helper->persist();
}

void EnableUpdatesSetting::passOn(bool newValue) {
    std::shared_ptr<model::ClientOptions> target;
    {
        std::lock_guard guard(lock);
        target = options;
    }
    if (target)
        target->setUpdatesEnabled(newValue);
}

void EnableUpdatesSetting::load(model::ObjectReader& reader) {
    // Anything but a boolean leaves the setting absent.
    if (reader.peekTag() != model::ObjectStreamTag::Bool)
        return;
    const bool loaded = reader.readBool();
    {
        std::lock_guard guard(lock);
        value = loaded;
    }
    passOn(loaded);
}

void EnableUpdatesSetting::loadEmpty() {
    {
        std::lock_guard guard(lock);
        value.reset();
    }
    passOn(false);
}

bool EnableUpdatesSetting::needsPersist() {
    std::lock_guard guard(lock);
    return value.has_value();
}

void EnableUpdatesSetting::persist(model::ObjectWriter& writer) {
    std::lock_guard guard(lock);
    writer.writeBool(value.value_or(false));
}

} // namespace plenfox::client::model
