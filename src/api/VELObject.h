#pragma once

#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>
#include <QObject>
#include <QSizeF>

#include <memory>

// A record: a typed view over its own parsed JSON object. Accessors read the object on each call;
// setters write into it and announce the change, so every holder of the same record sees it.
// Records are shared: hold them by std::shared_ptr.
class VELObject : public QObject
{
    Q_OBJECT

public:
    VELObject() = default;
    explicit VELObject(const QJsonObject &dictionary);

    // A record of type T over the parsed text; none when the text is empty or not a JSON object.
    template<typename T = VELObject>
    static std::shared_ptr<T> objectWithString(const QString &text)
    {
        std::optional<QJsonObject> parsed = parse(text);
        return parsed ? std::make_shared<T>(*parsed) : nullptr;
    }
    template<typename T = VELObject>
    static std::shared_ptr<T> objectWithDictionary(const QJsonObject &dictionary)
    {
        return std::make_shared<T>(dictionary);
    }

    QJsonObject dictionary() const { return m_dictionary; }
    void setDictionary(const QJsonObject &dictionary);
    // The dictionary as compact JSON text.
    QString string() const;
    // Replaces the dictionary; text that is not a JSON object changes nothing.
    void setString(const QString &text);

    // "yyyy-MM-dd HH:mm:ss" (or the given format) in the device's time zone; invalid when the
    // text does not have that layout.
    static QDateTime dateOfString(const QString &text);
    static QDateTime dateOfString(const QString &text, const QString &format);

    // Token-expiry helpers.
    static QDateTime dateFromExpiresin(const QVariant &seconds);
    static QDateTime dateFromExpiresTimestamp(const QVariant &seconds);
    static double expiresTimestamp(const QDateTime &moment);

signals:
    void changed();

protected:
    // The conversions every accessor uses; a missing key gives none, 0 or false.
    QString text(QStringView key) const;
    qint64 integer(QStringView key) const;
    float real(QStringView key) const;
    bool boolean(QStringView key) const;
    QDateTime time(QStringView key) const;
    template<typename T>
    std::shared_ptr<T> record(QStringView key) const
    {
        const QJsonValue value = m_dictionary.value(key);
        return value.isObject() ? std::make_shared<T>(value.toObject()) : nullptr;
    }
    void setValue(const QString &key, const QJsonValue &value);
    // A null text removes the key.
    void setText(const QString &key, const QString &value);

    static std::optional<QJsonObject> parse(const QString &text);

private:
    QJsonObject m_dictionary;
};

using VELObjectPtr = std::shared_ptr<VELObject>;

// The class operations of a record type, so that `VELEvent::objectWithString(text)` makes a
// VELEvent (the base's templates cannot know the type they are called through).
#define VEL_RECORD_FACTORIES(Type)                                                                 \
    static std::shared_ptr<Type> objectWithString(const QString &text)                            \
    {                                                                                              \
        return VELObject::objectWithString<Type>(text);                                           \
    }                                                                                              \
    static std::shared_ptr<Type> objectWithDictionary(const QJsonObject &dictionary)              \
    {                                                                                              \
        return VELObject::objectWithDictionary<Type>(dictionary);                                 \
    }

// One page of a list: its place in the whole list and its items.
template<typename Item, const char *ListKey>
class VELObjectArray : public VELObject
{
public:
    using VELObject::VELObject;
    using ItemPtr = std::shared_ptr<Item>;

    static QString objectName() { return QString::fromLatin1(ListKey); }

    qint64 start() const { return integer(u"start"); }
    qint64 count() const { return integer(u"count"); }
    qint64 total() const { return integer(u"total"); }

    // New records on every call; elements that are not objects are skipped.
    QList<ItemPtr> objectArray() const
    {
        QList<ItemPtr> items;
        const QJsonArray array = dictionary().value(objectName()).toArray();
        items.reserve(array.size());
        for (const QJsonValue &element : array) {
            if (element.isObject())
                items.append(std::make_shared<Item>(element.toObject()));
        }
        return items;
    }
};
