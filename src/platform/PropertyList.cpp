#include "PropertyList.h"

#include <QDateTime>
#include <QTimeZone>

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <memory>

namespace {

const xmlChar *x(const char *text)
{
    return reinterpret_cast<const xmlChar *>(text);
}

bool append(xmlNodePtr parent, const QVariant &value)
{
    auto leaf = [parent](const char *name, const QByteArray &text) {
        xmlNewTextChild(parent, nullptr, x(name), x(text.constData()));
        return true;
    };
    switch (value.typeId()) {
    case QMetaType::QVariantMap: {
        xmlNodePtr dict = xmlNewChild(parent, nullptr, x("dict"), nullptr);
        const QVariantMap map = value.toMap();
        for (auto it = map.cbegin(); it != map.cend(); ++it) {
            xmlNewTextChild(dict, nullptr, x("key"), x(it.key().toUtf8().constData()));
            if (!append(dict, it.value()))
                return false;
        }
        return true;
    }
    case QMetaType::QVariantList:
    case QMetaType::QStringList: {
        xmlNodePtr array = xmlNewChild(parent, nullptr, x("array"), nullptr);
        for (const QVariant &item : value.toList()) {
            if (!append(array, item))
                return false;
        }
        return true;
    }
    case QMetaType::QString:
        return leaf("string", value.toString().toUtf8());
    case QMetaType::Bool:
        xmlNewChild(parent, nullptr, x(value.toBool() ? "true" : "false"), nullptr);
        return true;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return leaf("integer", QByteArray::number(value.toLongLong()));
    case QMetaType::Float:
    case QMetaType::Double:
        return leaf("real", QByteArray::number(value.toDouble(), 'g', 17));
    case QMetaType::QDateTime:
        return leaf("date", value.toDateTime().toUTC().toString(Qt::ISODate).toUtf8());
    case QMetaType::QByteArray:
        return leaf("data", value.toByteArray().toBase64());
    default:
        return false;
    }
}

QString textOf(xmlNodePtr node)
{
    xmlChar *content = xmlNodeGetContent(node);
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(content));
    xmlFree(content);
    return text;
}

bool named(xmlNodePtr node, const char *name)
{
    return xmlStrcmp(node->name, x(name)) == 0;
}

xmlNodePtr nextElement(xmlNodePtr node)
{
    while (node && node->type != XML_ELEMENT_NODE)
        node = node->next;
    return node;
}

std::optional<QVariant> read(xmlNodePtr node)
{
    if (named(node, "dict")) {
        QVariantMap map;
        for (xmlNodePtr key = nextElement(node->children); key;
             key = nextElement(key->next)) {
            xmlNodePtr valueNode = nextElement(key->next);
            if (!named(key, "key") || !valueNode)
                return std::nullopt;
            const auto value = read(valueNode);
            if (!value)
                return std::nullopt;
            map.insert(textOf(key), *value);
            key = valueNode;
        }
        return map;
    }
    if (named(node, "array")) {
        QVariantList list;
        for (xmlNodePtr item = nextElement(node->children); item; item = nextElement(item->next)) {
            const auto value = read(item);
            if (!value)
                return std::nullopt;
            list.append(*value);
        }
        return list;
    }
    if (named(node, "string"))
        return textOf(node);
    if (named(node, "true"))
        return true;
    if (named(node, "false"))
        return false;
    bool ok = false;
    if (named(node, "integer")) {
        const qint64 number = textOf(node).trimmed().toLongLong(&ok);
        return ok ? std::optional<QVariant>(number) : std::nullopt;
    }
    if (named(node, "real")) {
        const double number = textOf(node).trimmed().toDouble(&ok);
        return ok ? std::optional<QVariant>(number) : std::nullopt;
    }
    if (named(node, "date")) {
        QDateTime moment = QDateTime::fromString(textOf(node).trimmed(), Qt::ISODate);
        return moment.isValid() ? std::optional<QVariant>(moment.toUTC()) : std::nullopt;
    }
    if (named(node, "data"))
        return QByteArray::fromBase64(textOf(node).toLatin1());
    return std::nullopt;
}

struct DocumentDeleter
{
    void operator()(xmlDocPtr document) const { xmlFreeDoc(document); }
};
using Document = std::unique_ptr<xmlDoc, DocumentDeleter>;

} // namespace

std::optional<QByteArray> PropertyList::toXml(const QVariant &value)
{
    Document document(xmlNewDoc(x("1.0")));
    xmlCreateIntSubset(document.get(), x("plist"), x("-//Apple//DTD PLIST 1.0//EN"),
                       x("http://www.apple.com/DTDs/PropertyList-1.0.dtd"));
    xmlNodePtr root = xmlNewNode(nullptr, x("plist"));
    xmlNewProp(root, x("version"), x("1.0"));
    xmlDocSetRootElement(document.get(), root);
    if (!append(root, value))
        return std::nullopt;
    xmlChar *bytes = nullptr;
    int size = 0;
    xmlDocDumpFormatMemoryEnc(document.get(), &bytes, &size, "UTF-8", 1);
    if (!bytes)
        return std::nullopt;
    const QByteArray xml(reinterpret_cast<const char *>(bytes), size);
    xmlFree(bytes);
    return xml;
}

std::optional<QVariant> PropertyList::fromXml(const QByteArray &xml)
{
    // No network, no entity expansion: the files are ours, but a damaged one must not do harm.
    Document document(xmlReadMemory(xml.constData(), int(xml.size()), nullptr, nullptr,
                                    XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
    if (!document)
        return std::nullopt;
    xmlNodePtr root = xmlDocGetRootElement(document.get());
    if (!root || !named(root, "plist"))
        return std::nullopt;
    xmlNodePtr value = nextElement(root->children);
    if (!value || nextElement(value->next))
        return std::nullopt;
    return read(value);
}
