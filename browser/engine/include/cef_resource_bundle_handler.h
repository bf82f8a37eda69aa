#pragma once

#include <cstddef>

#include "cef_base.h"
#include "cef_string.h"

// Supplies the engine's localized strings and packed resources.
class CefResourceBundleHandler : public virtual CefBase {
public:
    // Return true after replacing string with the localized text of messageId.
    virtual bool GetLocalizedString(int message_id, CefString& string) {
        (void)message_id;
        (void)string;
        return false;
    }
    // Return true after pointing data at resource_id's bytes, which must stay
    // valid for the life of the engine.
    virtual bool GetDataResource(int resource_id, void*& data, std::size_t& data_size) {
        (void)resource_id;
        (void)data;
        (void)data_size;
        return false;
    }
};
