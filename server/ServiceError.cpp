#include "ServiceError.h"

QString serviceErrorMessage(ServiceError error)
{
    switch (error) {
    case ServiceError::InvalidRequestMethod: return QStringLiteral("invalid_request_method");
    case ServiceError::AccessTokenIsMissing: return QStringLiteral("access_token_is_missing");
    case ServiceError::InvalidAccessToken: return QStringLiteral("invalid_access_token");
    case ServiceError::InvalidApikey: return QStringLiteral("invalid_apikey");
    case ServiceError::AccessTokenHasExpired: return QStringLiteral("access_token_has_expired");
    case ServiceError::InvalidRequestUri: return QStringLiteral("invalid_request_uri");
    case ServiceError::RequiredParameterIsMissing:
        return QStringLiteral("required_parameter_is_missing");
    case ServiceError::UnsupportedGrantType: return QStringLiteral("unsupported_grant_type");
    case ServiceError::ClientSecretMismatch: return QStringLiteral("client_secret_mismatch");
    case ServiceError::InvalidAuthorizationCode:
        return QStringLiteral("invalid_authorization_code");
    case ServiceError::InvalidRefreshToken: return QStringLiteral("invalid_refresh_token");
    case ServiceError::UsernamePasswordMismatch:
        return QStringLiteral("username_password_mismatch");
    case ServiceError::InvalidUser: return QStringLiteral("invalid_user");
    case ServiceError::UserHasBlocked: return QStringLiteral("user_has_blocked");
    case ServiceError::InvalidParameter: return QStringLiteral("invalid_parameter");
    case ServiceError::NotFound: return QStringLiteral("not_found");
    case ServiceError::Forbidden: return QStringLiteral("forbidden");
    case ServiceError::UnsupportedMediaType: return QStringLiteral("unsupported_media_type");
    case ServiceError::InternalError: return QStringLiteral("internal_error");
    }
    return QStringLiteral("unknown");
}
