#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// An Atom entry (RFC 4287) with the service's extension namespace, built and read with libxml2.
class VELAtomEntry
{
public:
    static inline const char *const kAtomNamespace = "http://www.w3.org/2005/Atom";
    static inline const char *const kVelariNamespace = "http://www.velari.com/xmlns/";
    static inline const char *const kVelariPrefix = "velari";

    void setContent(const QString &content) { m_content = content; }
    // An extension element <velari:attribute name="...">value</velari:attribute>.
    void addAttribute(const QString &name, const QString &value);

    // The UTF-8 XML document; the Atom namespace carries the prefix "ns0".
    QByteArray toXml() const;

    // Whether the bytes are a well-formed XML document with a root element.
    static bool isXmlElement(const QByteArray &bytes);

private:
    QString m_content;
    QList<QPair<QString, QString>> m_attributes;
};
