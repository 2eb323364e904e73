#include "config.h"

#include "trace/trace.h"

#include <QCoreApplication>
#include <QFile>

namespace {

QDomElement UniqueBelow(const QDomElement &parent, const QString &qsTag, int *piCount)
{
    const QDomNodeList list = parent.elementsByTagName(qsTag);
    *piCount = list.count();
    return *piCount == 1 ? list.at(0).toElement() : QDomElement();
}

} // namespace

int CConfig::Open(const QString &qsPath)
{
    QFile file(qsPath);
    if (!file.open(QIODevice::ReadOnly)) {
        ErrorMsg(QCoreApplication::translate("CConfig", "Can't open file : %1").arg(qsPath), 0);
        return -10;
    }
    m_Document.setContent(&file);
    m_qsFileName = qsPath;
    return 0;
}

int CConfig::Clear()
{
    m_Document = QDomDocument();
    return 0;
}

int CConfig::CreateRoot()
{
    m_Document.appendChild(m_Document.createElement(m_qsRootName));
    return 0;
}

int CConfig::ReadKey(const QString &qsSection, const QString &qsKey, const QString &qsSelAttr,
                     const QString &qsSelValue, ConfigKey_t &tOut)
{
    tOut.attributes.clear();
    int iCount = 0;
    const QDomElement section = UniqueBelow(m_Document.documentElement(), qsSection, &iCount);
    if (iCount != 1)
        return -20;
    const QDomNodeList keys = section.elementsByTagName(qsKey);
    if (keys.isEmpty())
        return -20;
    QDomElement found;
    if (qsSelAttr.isEmpty()) {
        if (keys.count() > 1)
            return -20;
        found = keys.at(0).toElement();
    } else {
        for (int i = 0; i < keys.count(); ++i) {
            const QDomElement key = keys.at(i).toElement();
            if (!key.hasAttribute(qsSelAttr))
                return -1;
            if (key.attribute(qsSelAttr) == qsSelValue) {
                if (!found.isNull())
                    return -20;
                found = key;
            }
        }
        if (found.isNull())
            return -20;
    }
    tOut.text = found.text();
    const QDomNamedNodeMap attrs = found.attributes();
    for (int i = 0; i < attrs.count(); ++i) {
        const QDomAttr a = attrs.item(i).toAttr();
        tOut.attributes.append({a.name(), a.value()});
    }
    return 0;
}
