#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/boundary/LoadErrorCodes.h"
#include "browser/wrapper/CefEnumeration.h"

namespace plenfox::cef {

// Why a load failed: the engine's error codes, under the same names and
// values (one list for both); ERR_OTHER stands for any code the client does
// not know.
enum class CefHandlerErrorCode : std::int32_t {
#define PLENFOX_WRAPPER_ERROR_CODE(name, value) name = value,
    PLENFOX_LOAD_ERROR_CODES(PLENFOX_WRAPPER_ERROR_CODE)
#undef PLENFOX_WRAPPER_ERROR_CODE
        ERR_OTHER = -99999,
};

// ERR_OTHER for values without a constant.
template <> std::optional<CefHandlerErrorCode> fromInt<CefHandlerErrorCode>(std::int32_t value);

} // namespace plenfox::cef

template <> struct plenfox::jni::JavaEnumTraits<plenfox::cef::CefHandlerErrorCode> {
    static constexpr std::string_view JavaName = PLENFOX_BOUNDARY_PACKAGE "CefHandlerErrorCode";
};
