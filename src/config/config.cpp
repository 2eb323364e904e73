#include "config.h"

#include "trace/trace.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QTextStream>

#include <cmath>

namespace {

// Sections and keys are looked for at any depth, so a section must be unique in the whole
// subtree to be usable.
QDomElement UniqueBelow(const QDomElement &parent, const QString &qsTag, int *piCount)
{
    const QDomNodeList list = parent.elementsByTagName(qsTag);
    *piCount = list.count();
    return *piCount == 1 ? list.at(0).toElement() : QDomElement();
}

// elementsByTagName is live: snapshot it before the tree is edited.
QList<QDomElement> ElementsBelow(const QDomElement &parent, const QString &qsTag)
{
    QList<QDomElement> out;
    const QDomNodeList list = parent.elementsByTagName(qsTag);
    out.reserve(list.count());
    for (int i = 0; i < list.count(); ++i)
        out.append(list.at(i).toElement());
    return out;
}

// The DOM hands attributes out by index only by walking its hash from the start, so keys of
// many attributes cost the square of their count. Keys of one list mostly carry the same
// names: those of the previous key (pNames, kept up to date) are looked up by name, and the
// walk is left for a key whose names differ.
ConfigKey_t KeyOf(const QDomElement &key, QStringList *pNames = nullptr)
{
    ConfigKey_t tKey;
    tKey.text = key.text();
    const QDomNamedNodeMap attrs = key.attributes();
    const int iCount = attrs.count();
    tKey.attributes.reserve(iCount);
    if (pNames != nullptr && pNames->size() == iCount) {
        for (const QString &qsName : std::as_const(*pNames)) {
            const QDomAttr a = attrs.namedItem(qsName).toAttr();
            if (a.isNull())
                break;
            tKey.attributes.append({qsName, a.value()});
        }
        if (tKey.attributes.size() == iCount)
            return tKey;
        tKey.attributes.clear();
    }
    for (int i = 0; i < iCount; ++i) {
        const QDomAttr a = attrs.item(i).toAttr();
        tKey.attributes.append({a.name(), a.value()});
    }
    if (pNames != nullptr) {
        pNames->clear();
        for (const ConfigAttr_t &attr : std::as_const(tKey.attributes))
            pNames->append(attr.name);
    }
    return tKey;
}

const ConfigAttr_t *FindAttr(const QList<ConfigAttr_t> &lAttrs, const QString &qsName)
{
    for (const ConfigAttr_t &attr : lAttrs)
        if (attr.name == qsName)
            return &attr;
    return nullptr;
}

int ReportBad(const QString &qsMessage)
{
    ErrorMsg(qsMessage, -21);
    return -21;
}

int ReportMissing(const QString &qsFile, const QString &qsSection, const QString &qsKey, const QString &qsAttr)
{
    return ReportBad(
        CConfig::tr("Invalid configuration file '%1'! (Section='%2' - Key='%3') - Attribute '%4' is missing!")
            .arg(qsFile, qsSection, qsKey, qsAttr));
}

int ReportRange(const QString &qsFile, const QString &qsSection, const QString &qsKey, const QString &qsAttr,
                const QString &qsValue, const QString &qsMin, const QString &qsMax)
{
    return ReportBad(CConfig::tr("Invalid configuration file '%1'! (Section='%2' - Key='%3' - Attr='%4') - '%5' is "
                                 "not in range [%6;%7]!")
                         .arg(qsFile, qsSection, qsKey, qsAttr, qsValue, qsMin, qsMax));
}

} // namespace

int CConfig::Open(const QString &qsPath)
{
    QFile file(qsPath);
    if (!file.open(QIODevice::ReadOnly)) {
        ErrorMsg(tr("Can't open file : %1").arg(qsPath), 0);
        return -10;
    }
    QDomDocument document;
    QString qsError;
    int iLine = 0, iColumn = 0;
    if (!document.setContent(&file, &qsError, &iLine, &iColumn)) {
        TraceError("XML error in file '%s' at line %d, column %d: %s", U8(qsPath).constData(), iLine, iColumn,
                   U8(qsError).constData());
        m_Document = QDomDocument();
        m_bUnparsed = true;
        m_qsParseError = tr("line %1, column %2: %3").arg(iLine).arg(iColumn).arg(qsError);
        return -20;
    }
    m_Document = document;
    m_qsFileName = qsPath;
    m_bUnparsed = false;
    m_qsParseError.clear();
    return 0;
}

int CConfig::Save(const QString &qsPath)
{
    if (m_bUnparsed) {
        TraceError("Configuration not saved to '%s': the file it was loaded from could not be parsed and is kept as "
                   "it is",
                   U8(qsPath).constData());
        return -13;
    }
    // The text goes out as UTF-8 whatever the loaded declaration said, so the declaration must
    // say UTF-8 too or the next read would decode the bytes with the wrong codec.
    if (!m_Document.isNull() && m_Document.hasChildNodes()) {
        const QDomProcessingInstruction decl = m_Document.createProcessingInstruction(
            QStringLiteral("xml"), QStringLiteral("version=\"1.0\" encoding=\"UTF-8\""));
        const QDomNode first = m_Document.firstChild();
        if (first.isProcessingInstruction() && first.toProcessingInstruction().target() == QLatin1String("xml"))
            m_Document.replaceChild(decl, first);
        else
            m_Document.insertBefore(decl, first);
    }

    return WriteFileSafely(qsPath, [this](QIODevice &device) {
        QTextStream stream(&device);
        stream.setEncoding(QStringConverter::Utf8);
        m_Document.save(stream, 4);
        stream.flush();
        return stream.status() == QTextStream::Ok;
    });
}

int CConfig::WriteFileSafely(const QString &qsPath, const std::function<bool(QIODevice &)> &fnWrite)
{
    QSaveFile file(qsPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        TraceError("Can't open file '%s' for writing: %s", U8(qsPath).constData(), U8(file.errorString()).constData());
        return -13;
    }
    if (!fnWrite(file)) {
        TraceError("Failed to write file '%s': %s", U8(qsPath).constData(), U8(file.errorString()).constData());
        file.cancelWriting();
        return -13;
    }
    if (!file.commit()) {
        TraceError("Failed to write file '%s': %s", U8(qsPath).constData(), U8(file.errorString()).constData());
        return -13;
    }
    return 0;
}

int CConfig::Clear()
{
    m_Document = QDomDocument();
    m_bUnparsed = false;
    return 0;
}

int CConfig::CreateRoot()
{
    m_Document.appendChild(m_Document.createElement(m_qsRootName));
    return 0;
}

int CConfig::GetFileName(QString &qsOut) const
{
    qsOut = m_qsFileName;
    return m_qsFileName.isEmpty() ? -4 : 0;
}

int CConfig::GetFileDir(QString &qsOut) const
{
    const int iSlash = m_qsFileName.lastIndexOf(QLatin1Char('/'));
    if (iSlash < 0) {
        qsOut.clear();
        return -4;
    }
    qsOut = m_qsFileName.left(iSlash);
    return 0;
}

void CConfig::MakeRelativePath(QString &qsPath)
{
    // Only a leading application directory followed by its separator is stripped: the same
    // text in the middle of a path is a different folder.
    const QString qsDir = QCoreApplication::applicationDirPath();
    if (qsDir.isEmpty())
        return;
    const QString qsPrefix = qsDir.endsWith(QLatin1Char('/')) ? qsDir : qsDir + QLatin1Char('/');
    if (qsPath.length() > qsPrefix.length() && qsPath.startsWith(qsPrefix, Qt::CaseSensitive))
        qsPath = qsPath.mid(qsPrefix.length());
}

int CConfig::ReadKey(const QString &qsSection, const QString &qsKey, const QString &qsSelAttr,
                     const QString &qsSelValue, ConfigKey_t &tOut) const
{
    tOut.attributes.clear();
    int iCount = 0;
    const QDomElement section = UniqueBelow(m_Document.documentElement(), qsSection, &iCount);
    if (iCount != 1)
        return -20;
    const QList<QDomElement> keys = ElementsBelow(section, qsKey);
    if (keys.isEmpty())
        return -20;
    QDomElement found;
    if (qsSelAttr.isEmpty()) {
        if (keys.count() > 1)
            return -20;
        found = keys.first();
    } else {
        for (const QDomElement &key : keys) {
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
    tOut = KeyOf(found);
    return 0;
}

int CConfig::ReadKeys(const QString &qsSection, const QString &qsKey, const QString &qsSelAttr,
                      const QString &qsSelValue, QList<ConfigKey_t> &lOut) const
{
    lOut.clear();
    int iCount = 0;
    const QDomElement section = UniqueBelow(m_Document.documentElement(), qsSection, &iCount);
    if (iCount != 1)
        return 0;
    QStringList lNames;
    for (const QDomElement &key : ElementsBelow(section, qsKey)) {
        if (!qsSelAttr.isEmpty()) {
            if (!key.hasAttribute(qsSelAttr))
                return -20;
            if (key.attribute(qsSelAttr) != qsSelValue)
                continue;
        }
        lOut.append(KeyOf(key, &lNames));
    }
    return 0;
}

int CConfig::WriteKeys(const QString &qsSection, const QString &qsKey, const QList<ConfigKey_t> &lKeys)
{
    QDomElement root = m_Document.documentElement();
    if (root.isNull())
        return -20;
    int iCount = 0;
    QDomElement section = UniqueBelow(root, qsSection, &iCount);
    if (iCount > 1)
        return -20;
    if (iCount == 0) {
        section = m_Document.createElement(qsSection);
        root.appendChild(section);
    }
    for (const ConfigKey_t &tKey : lKeys) {
        QDomElement key = m_Document.createElement(qsKey);
        for (const ConfigAttr_t &attr : tKey.attributes)
            key.setAttribute(attr.name, attr.value);
        key.appendChild(m_Document.createTextNode(tKey.text));
        section.appendChild(key);
    }
    return 0;
}

int CConfig::RemoveKeys(const QString &qsSection, const QString &qsKey, const QString &qsSelAttr,
                        const QString &qsSelValue)
{
    int iCount = 0;
    const QDomElement section = UniqueBelow(m_Document.documentElement(), qsSection, &iCount);
    if (iCount != 1)
        return 0;
    // A key may sit deeper than directly under its section: it is taken from its own parent.
    for (QDomElement &key : ElementsBelow(section, qsKey)) {
        if (!qsSelAttr.isEmpty()) {
            if (!key.hasAttribute(qsSelAttr))
                return -1;
            if (key.attribute(qsSelAttr) != qsSelValue)
                continue;
        }
        QDomNode parent = key.parentNode();
        if (!parent.isNull())
            parent.removeChild(key);
    }
    return 0;
}

int CConfig::GetAttrUInt(const QString &qsFile, const QString &qsSection, const QString &qsKey, const QString &qsAttr,
                         const QList<ConfigAttr_t> &lAttrs, int iBase, unsigned int *puOut, unsigned int uDefault,
                         bool bCheckRange, unsigned int uMin, unsigned int uMax)
{
    *puOut = uDefault;
    const ConfigAttr_t *pAttr = FindAttr(lAttrs, qsAttr);
    if (!pAttr)
        return ReportMissing(qsFile, qsSection, qsKey, qsAttr);
    bool bOk = false;
    const uint uValue = pAttr->value.toUInt(&bOk, iBase);
    if (!bOk)
        return ReportBad(tr("Invalid configuration file '%1'! (Section='%2' - Key='%3' - Attr='%4') - '%5' is not a "
                            "valid unsigned int value in base %6!")
                             .arg(qsFile, qsSection, qsKey, qsAttr, pAttr->value, QString::number(iBase)));
    if (bCheckRange && (uValue < uMin || uValue > uMax))
        return ReportRange(qsFile, qsSection, qsKey, qsAttr, pAttr->value, QString::number(uMin),
                           QString::number(uMax));
    *puOut = uValue;
    return 0;
}

int CConfig::GetAttrFloat(const QString &qsFile, const QString &qsSection, const QString &qsKey, const QString &qsAttr,
                          const QList<ConfigAttr_t> &lAttrs, float *pfOut, float fDefault, bool bCheckRange, float fMin,
                          float fMax)
{
    *pfOut = fDefault;
    const ConfigAttr_t *pAttr = FindAttr(lAttrs, qsAttr);
    if (!pAttr)
        return ReportMissing(qsFile, qsSection, qsKey, qsAttr);
    bool bOk = false;
    const float fValue = pAttr->value.toFloat(&bOk);
    // "nan" and "inf" convert, but no setting of this program can mean them.
    if (!bOk || !std::isfinite(fValue))
        return ReportBad(tr("Invalid configuration file '%1'! (Section='%2' - Key='%3' - Attr='%4') - '%5' is not a "
                            "valid float value!")
                             .arg(qsFile, qsSection, qsKey, qsAttr, pAttr->value));
    if (bCheckRange && !(fMin <= fValue && fValue <= fMax))
        return ReportRange(qsFile, qsSection, qsKey, qsAttr, pAttr->value, QString::number(fMin, 'g', 6),
                           QString::number(fMax, 'g', 6));
    *pfOut = fValue;
    return 0;
}

int CConfig::GetAttrString(const QString &qsFile, const QString &qsSection, const QString &qsKey, const QString &qsAttr,
                           const QList<ConfigAttr_t> &lAttrs, QString *pqsOut, const QString &qsDefault,
                           bool bCheckLength, int iMinLength, int iMaxLength)
{
    *pqsOut = qsDefault;
    const ConfigAttr_t *pAttr = FindAttr(lAttrs, qsAttr);
    if (!pAttr)
        return ReportMissing(qsFile, qsSection, qsKey, qsAttr);
    const int iLength = pAttr->value.length();
    if (bCheckLength && (iLength < iMinLength || iLength > iMaxLength))
        return ReportBad(tr("Invalid configuration file '%1'! (Section='%2' - Key='%3' - Attr='%4') - '%5' size is not "
                            "in range [%6;%7]!")
                             .arg(qsFile, qsSection, qsKey, qsAttr, pAttr->value, QString::number(iMinLength),
                                  QString::number(iMaxLength)));
    *pqsOut = pAttr->value;
    return 0;
}

int CConfig::GetAttrInt(const QString &qsFile, const QString &qsSection, const QString &qsKey, const QString &qsAttr,
                        const QList<ConfigAttr_t> &lAttrs, int *piOut, int iDefault, bool bCheckRange, int iMin,
                        int iMax)
{
    *piOut = iDefault;
    const ConfigAttr_t *pAttr = FindAttr(lAttrs, qsAttr);
    if (!pAttr)
        return ReportMissing(qsFile, qsSection, qsKey, qsAttr);
    bool bOk = false;
    const int iValue = pAttr->value.toInt(&bOk, 10);
    if (!bOk)
        return ReportBad(tr("Invalid configuration file '%1'! (Section='%2' - Key='%3' - Attr='%4') - '%5' is not a "
                            "valid int value!")
                             .arg(qsFile, qsSection, qsKey, qsAttr, pAttr->value));
    if (bCheckRange && (iValue < iMin || iValue > iMax))
        return ReportRange(qsFile, qsSection, qsKey, qsAttr, pAttr->value, QString::number(iMin),
                           QString::number(iMax));
    *piOut = iValue;
    return 0;
}
