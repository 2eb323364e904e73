#pragma once
// A canonical text of an XML element for comparing files by meaning: attributes sorted,
// indentation-only text dropped, everything else kept in document order.

#include <QDomElement>
#include <QStringList>

inline QString CanonicalXml(const QDomElement &element)
{
    QStringList attrs;
    const QDomNamedNodeMap map = element.attributes();
    for (int i = 0; i < map.count(); ++i)
        attrs.append(map.item(i).nodeName() + QLatin1String("=\"") + map.item(i).nodeValue() + QLatin1Char('"'));
    attrs.sort();
    QString out = QLatin1Char('<') + element.tagName();
    for (const QString &a : attrs)
        out += QLatin1Char(' ') + a;
    out += QLatin1Char('>');
    for (QDomNode n = element.firstChild(); !n.isNull(); n = n.nextSibling()) {
        if (n.isElement())
            out += CanonicalXml(n.toElement());
        else if (n.isText() && !n.nodeValue().trimmed().isEmpty())
            out += n.nodeValue();
        else if (n.isComment())
            out += QLatin1String("<!--") + n.nodeValue() + QLatin1String("-->");
    }
    return out + QLatin1String("</") + element.tagName() + QLatin1Char('>');
}
