#include "Router.h"

#include "Authenticator.h"

Router::Router(const Authenticator &authenticator) : m_authenticator(authenticator) { }

void Router::add(const QByteArray &method, const QString &pattern, Access access, Handler handler)
{
    QString expression;
    for (const QString &segment : pattern.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        expression += QLatin1Char('/');
        expression += segment == QLatin1String("{}") ? QStringLiteral("([^/]+)")
                                                       : QRegularExpression::escape(segment);
    }
    m_routes.push_back({ method, QRegularExpression(QLatin1Char('^') + expression + "/?$"),
                         access, std::move(handler) });
}

ServiceReply Router::dispatch(ServiceRequest &request) const
{
    bool pathKnown = false;
    for (const Route &route : m_routes) {
        const QRegularExpressionMatch match = route.path.match(request.path);
        if (!match.hasMatch())
            continue;
        pathKnown = true;
        if (route.method != request.method)
            continue;
        if (route.access != Access::Unchecked) {
            if (auto refusal = m_authenticator.identify(request))
                return *refusal;
        }
        if (route.access == Access::User && request.userId == 0) {
            ServiceReply reply = ServiceReply::error(401, ServiceError::AccessTokenIsMissing, request);
            reply.addHeader("WWW-Authenticate", "Bearer realm=\"velari\"");
            return reply;
        }
        request.arguments = match.capturedTexts().mid(1);
        return route.handler(request);
    }
    if (pathKnown)
        return ServiceReply::error(405, ServiceError::InvalidRequestMethod, request);
    return ServiceReply::error(404, ServiceError::InvalidRequestUri, request);
}
