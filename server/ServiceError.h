#pragma once

#include <QString>

// The service's refusal codes, as its JSON errors carry them in "code".
enum class ServiceError {
    InvalidRequestMethod = 101,
    AccessTokenIsMissing = 102,
    InvalidAccessToken = 103,
    InvalidApikey = 104,
    AccessTokenHasExpired = 106,
    InvalidRequestUri = 107,
    RequiredParameterIsMissing = 113,
    UnsupportedGrantType = 114,
    ClientSecretMismatch = 116,
    InvalidAuthorizationCode = 118,
    InvalidRefreshToken = 119,
    UsernamePasswordMismatch = 120,
    InvalidUser = 121,
    UserHasBlocked = 122,
    InvalidParameter = 1000,
    NotFound = 1001,
    Forbidden = 1002,
    UnsupportedMediaType = 1003,
    InternalError = 999,
};

// The text of "msg" for a code.
QString serviceErrorMessage(ServiceError error);
