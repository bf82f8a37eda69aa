#include "browser/wrapper/CefHandlerErrorCode.h"
#include "browser/wrapper/CefNavigationType.h"
#include "browser/wrapper/CefSeekType.h"

namespace plenfox::cef {

template <> std::optional<CefNavigationType> fromInt<CefNavigationType>(std::int32_t value) {
    if (value < getValue(CefNavigationType::LINKCLICKED) ||
        value > getValue(CefNavigationType::LINKDROPPED))
        return std::nullopt;
    return static_cast<CefNavigationType>(value);
}

template <> std::optional<CefSeekType> fromInt<CefSeekType>(std::int32_t value) {
    for (CefSeekType type : {CefSeekType::CURRENT, CefSeekType::END, CefSeekType::SET})
        if (getValue(type) == value)
            return type;
    return std::nullopt;
}

template <> std::optional<CefHandlerErrorCode> fromInt<CefHandlerErrorCode>(std::int32_t value) {
    switch (value) {
#define PLENFOX_ERROR_CODE_CASE(name, number)                                                      \
    case number:                                                                                   \
        return CefHandlerErrorCode::name;
        PLENFOX_LOAD_ERROR_CODES(PLENFOX_ERROR_CODE_CASE)
#undef PLENFOX_ERROR_CODE_CASE
    default:
        return CefHandlerErrorCode::ERR_OTHER;
    }
}

} // namespace plenfox::cef
