#pragma once

// Why a load failed: the network stack's error codes, X(name, value). The
// engine's cef_handler_errorcode_t and the wrapper's CefHandlerErrorCode are
// both made from this one list, so the number the bridge passes on names the
// same code on both sides.
#define PLENFOX_LOAD_ERROR_CODES(X)                                                                \
    X(ERR_FAILED, -2)                                                                              \
    X(ERR_ABORTED, -3)                                                                             \
    X(ERR_INVALID_ARGUMENT, -4)                                                                    \
    X(ERR_INVALID_HANDLE, -5)                                                                      \
    X(ERR_FILE_NOT_FOUND, -6)                                                                      \
    X(ERR_TIMED_OUT, -7)                                                                           \
    X(ERR_FILE_TOO_BIG, -8)                                                                        \
    X(ERR_UNEXPECTED, -9)                                                                          \
    X(ERR_ACCESS_DENIED, -10)                                                                      \
    X(ERR_NOT_IMPLEMENTED, -11)                                                                    \
    X(ERR_CONNECTION_CLOSED, -100)                                                                 \
    X(ERR_CONNECTION_RESET, -101)                                                                  \
    X(ERR_CONNECTION_REFUSED, -102)                                                                \
    X(ERR_CONNECTION_ABORTED, -103)                                                                \
    X(ERR_CONNECTION_FAILED, -104)                                                                 \
    X(ERR_NAME_NOT_RESOLVED, -105)                                                                 \
    X(ERR_INTERNET_DISCONNECTED, -106)                                                             \
    X(ERR_SSL_PROTOCOL_ERROR, -107)                                                                \
    X(ERR_ADDRESS_INVALID, -108)                                                                   \
    X(ERR_ADDRESS_UNREACHABLE, -109)                                                               \
    X(ERR_SSL_CLIENT_AUTH_CERT_NEEDED, -110)                                                       \
    X(ERR_TUNNEL_CONNECTION_FAILED, -111)                                                          \
    X(ERR_NO_SSL_VERSIONS_ENABLED, -112)                                                           \
    X(ERR_SSL_VERSION_OR_CIPHER_MISMATCH, -113)                                                    \
    X(ERR_SSL_RENEGOTIATION_REQUESTED, -114)                                                       \
    X(ERR_CERT_COMMON_NAME_INVALID, -200)                                                          \
    X(ERR_CERT_DATE_INVALID, -201)                                                                 \
    X(ERR_CERT_AUTHORITY_INVALID, -202)                                                            \
    X(ERR_CERT_CONTAINS_ERRORS, -203)                                                              \
    X(ERR_CERT_NO_REVOCATION_MECHANISM, -204)                                                      \
    X(ERR_CERT_UNABLE_TO_CHECK_REVOCATION, -205)                                                   \
    X(ERR_CERT_REVOKED, -206)                                                                      \
    X(ERR_CERT_INVALID, -207)                                                                      \
    X(ERR_CERT_END, -208)                                                                          \
    X(ERR_INVALID_URL, -300)                                                                       \
    X(ERR_DISALLOWED_URL_SCHEME, -301)                                                             \
    X(ERR_UNKNOWN_URL_SCHEME, -302)                                                                \
    X(ERR_TOO_MANY_REDIRECTS, -310)                                                                \
    X(ERR_UNSAFE_REDIRECT, -311)                                                                   \
    X(ERR_UNSAFE_PORT, -312)                                                                       \
    X(ERR_INVALID_RESPONSE, -320)                                                                  \
    X(ERR_INVALID_CHUNKED_ENCODING, -321)                                                          \
    X(ERR_METHOD_NOT_SUPPORTED, -322)                                                              \
    X(ERR_UNEXPECTED_PROXY_AUTH, -323)                                                             \
    X(ERR_EMPTY_RESPONSE, -324)                                                                    \
    X(ERR_RESPONSE_HEADERS_TOO_BIG, -325)                                                          \
    X(ERR_CACHE_MISS, -400)                                                                        \
    X(ERR_INSECURE_RESPONSE, -501)
