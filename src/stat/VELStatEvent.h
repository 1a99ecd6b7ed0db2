#pragma once

#include <QString>
#include <QVariantMap>

#include <optional>

// One statistics event: a name, its creation time, the network at that moment, and a label and
// count, or a timed event's action. Normal (0) and important (1) events are stored apart.
class VELStatEvent
{
public:
    static constexpr int kNormal = 0;
    static constexpr int kImportant = 1;

    VELStatEvent();
    VELStatEvent(const QString &name, const std::optional<QString> &label, int acc);
    static VELStatEvent normalEventWithName(const QString &name, const std::optional<QString> &label,
                                            int acc);
    static VELStatEvent importantEventWithName(const QString &name,
                                               const std::optional<QString> &label, int acc);

    QString name;
    QString date; // seconds since 1970 with six decimals
    QString page;
    QString action;
    QString net;
    std::optional<QString> label;
    int type = kNormal;
    int count = 0;

    // Texts only; a field without a value has no entry.
    QVariantMap toMutableDictionary() const;
    QString description() const;
};
