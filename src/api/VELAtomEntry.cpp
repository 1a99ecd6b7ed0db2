#include "VELAtomEntry.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

namespace {

const xmlChar *xml(const char *text)
{
    return reinterpret_cast<const xmlChar *>(text);
}

} // namespace

void VELAtomEntry::addAttribute(const QString &name, const QString &value)
{
    m_attributes.append({ name, value });
}

QByteArray VELAtomEntry::toXml() const
{
    xmlDocPtr doc = xmlNewDoc(xml("1.0"));
    xmlNodePtr entry = xmlNewNode(nullptr, xml("entry"));
    xmlDocSetRootElement(doc, entry);
    xmlNsPtr atom = xmlNewNs(entry, xml(kAtomNamespace), xml("ns0"));
    xmlNsPtr velari = xmlNewNs(entry, xml(kVelariNamespace), xml(kVelariPrefix));
    xmlSetNs(entry, atom);

    const QByteArray content = m_content.toUtf8();
    xmlNewTextChild(entry, atom, xml("content"), xml(content.constData()));
    for (const auto &[name, value] : m_attributes) {
        const QByteArray text = value.toUtf8();
        xmlNodePtr attribute
                = xmlNewTextChild(entry, velari, xml("attribute"), xml(text.constData()));
        xmlNewProp(attribute, xml("name"), xml(name.toUtf8().constData()));
    }

    xmlChar *buffer = nullptr;
    int size = 0;
    xmlDocDumpMemoryEnc(doc, &buffer, &size, "UTF-8");
    const QByteArray result(reinterpret_cast<const char *>(buffer), size);
    xmlFree(buffer);
    xmlFreeDoc(doc);
    return result;
}

bool VELAtomEntry::isXmlElement(const QByteArray &bytes)
{
    if (bytes.trimmed().isEmpty())
        return false;
    xmlDocPtr doc = xmlReadMemory(bytes.constData(), int(bytes.size()), nullptr, "UTF-8",
                                  XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    const bool element = doc && xmlDocGetRootElement(doc);
    xmlFreeDoc(doc);
    return element;
}
