#pragma once

#include <QDate>
#include <QString>

class ServiceDatabase;

// The sample content: cities and districts, organisers and people, accounts with passwords,
// a few hundred events placed around the seeding day, photos, wishes and participations,
// ticket orders and following lists. The same content every time, apart from the dates.
class SeedData
{
public:
    struct Client
    {
        QString id;
        QString secret;
        QString redirectUri;
    };

    static bool seed(ServiceDatabase &database, const QDate &today, const Client &client);
};
