// The load-error codes as the engine reports them and as the wrapper reads
// the number the bridge passes on.
#include "browser/boundary/LoadErrorCodes.h"
#include "browser/wrapper/CefHandlerErrorCode.h"

#include "cef_types.h"

#include <gtest/gtest.h>

namespace plenfox::cef {
namespace {

TEST(LoadErrorCodesTest, EngineAndWrapperGiveEveryCodeTheSameNameAndNumber) {
    int codes = 0;
#define PLENFOX_EXPECT_SAME_CODE(name, value)                                                      \
    EXPECT_EQ(static_cast<int>(::name), value) << #name;                                           \
    EXPECT_EQ(getValue(CefHandlerErrorCode::name), static_cast<int>(::name)) << #name;             \
    EXPECT_EQ(fromInt<CefHandlerErrorCode>(::name), CefHandlerErrorCode::name) << #name;           \
    ++codes;
    PLENFOX_LOAD_ERROR_CODES(PLENFOX_EXPECT_SAME_CODE)
#undef PLENFOX_EXPECT_SAME_CODE
    EXPECT_EQ(codes, 48);

    // The numbers the engine's network stack uses, which a list edited by
    // mistake would change on both sides at once.
    EXPECT_EQ(::ERR_FAILED, -2);
    EXPECT_EQ(::ERR_NAME_NOT_RESOLVED, -105);
    EXPECT_EQ(::ERR_CONNECTION_REFUSED, -102);
    EXPECT_EQ(::ERR_INSECURE_RESPONSE, -501);

    // A number the client does not know, also the one it uses for that.
    EXPECT_EQ(fromInt<CefHandlerErrorCode>(-1), CefHandlerErrorCode::ERR_OTHER);
    EXPECT_EQ(fromInt<CefHandlerErrorCode>(getValue(CefHandlerErrorCode::ERR_OTHER)),
              CefHandlerErrorCode::ERR_OTHER);
}

} // namespace
} // namespace plenfox::cef
