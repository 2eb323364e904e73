// The project file: reading the document into the project, rebuilding it, and writing it.
// Every check the reader makes is traced with the section, key and attribute it concerns, so
// that a user with a hand-edited file can find the line.
#include "config/softconf.h"
#include "project/projectconf.h"
#include "trace/trace.h"

#include <QHash>
#include <QSaveFile>
#include <QSet>
#include <QXmlStreamWriter>

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;
constexpr int kGridSpacingMax = 1024;
constexpr int kGainMax = 512;
constexpr int kGroupNumberMax = 128;
constexpr int kGroupNameMin = 1;
constexpr int kGroupNameMax = 32;
constexpr int kCablingPosMax = 256;
constexpr int kOutputMax = 4;

const char kWorkspace[] = "Workspace";
const char kVideoInput[] = "Video_Input";
const char kInputCorr[] = "InputCorr";
const char kOutputCorr[] = "OutputCorr";
const char kFixtures[] = "Fixtures";
const char kGroup[] = "Group";
const char kFixture[] = "Fixture";

const char *const kSourceNames[] = {"DVI1", "DVI2", "HDMI1", "HDMI2"};
const char *const kStdFormatNames[] = {"HD1080_1920x1080", "UXGA_1600x1200", "SXGA_1280x1024", "HD720_1280x720",
                                       "XGA_1024x768"};
const char *const kResizeTypeNames[] = {"none", "standard", "custom"};
const char *const kColorTempModeNames[] = {"off", "standard", "custom", "expert"};
constexpr quint32 kDefaultSource = 3;

template <size_t N> int IndexOfName(const char *const (&names)[N], const QString &qsText)
{
    for (size_t i = 0; i < N; ++i) {
        if (qsText == QLatin1String(names[i]))
            return int(i);
    }
    return -1;
}

// A stored index that does not name anything is written as the default's name rather than
// read past the table.
template <size_t N> QString NameOf(const char *const (&names)[N], quint32 uIndex, quint32 uDefault)
{
    return QString::fromLatin1(names[uIndex < N ? uIndex : uDefault]);
}

QByteArray U8(const QString &qsText)
{
    return qsText.toUtf8();
}

QString Bool(bool bValue)
{
    return bValue ? QStringLiteral("true") : QStringLiteral("false");
}

QString Num(long long llValue)
{
    return QString::number(llValue);
}

// Positions are whole pixels in the file. Rounding to the nearest (not truncating) makes a
// load followed by a save a fixed point instead of creeping toward the origin.
long long Pixel(double dValue)
{
    return std::llround(dValue);
}

bool ToInt(const QString &qsText, int *piValue)
{
    bool bOk = false;
    const int iValue = qsText.toInt(&bOk, 10);
    if (bOk)
        *piValue = iValue;
    return bOk;
}

bool ToHexUInt(QString qsText, quint32 *puValue)
{
    if (qsText.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        qsText = qsText.mid(2);
    if (qsText.isEmpty())
        return false;
    for (const QChar c : qsText) {
        if (!std::isxdigit(c.unicode() < 128 ? c.toLatin1() : 'g'))
            return false;
    }
    bool bOk = false;
    const quint32 uValue = qsText.toUInt(&bOk, 16);
    if (bOk)
        *puValue = uValue;
    return bOk;
}

// The checks of one key, traced with its section and key names.
class KeyReader
{
public:
    KeyReader(const char *pszSection, const char *pszKey) : m_pszSection(pszSection), m_pszKey(pszKey) {}

    const char *Section() const { return m_pszSection; }
    const char *Key() const { return m_pszKey; }

    void FetchFailed() const
    {
        TraceError("Invalid configuration file! (Section='%s' - Key='%s')", m_pszSection, m_pszKey);
    }
    bool CheckCount(const ConfigKey_t &tKey, int iCount) const
    {
        if (tKey.attributes.size() == iCount)
            return true;
        TraceError("Invalid configuration file! (Section='%s' - Key='%s') - Number of attributes is not equal to %d!",
                   m_pszSection, m_pszKey, iCount);
        return false;
    }
    void UnknownAttr(const ConfigAttr_t &tAttr) const
    {
        TraceError("Invalid configuration! (Section='%s' - Key='%s') - Attr='%s' is not valid!", m_pszSection, m_pszKey,
                   U8(tAttr.name).constData());
    }
    bool Int(const ConfigAttr_t &tAttr, int *piValue) const
    {
        if (ToInt(tAttr.value, piValue))
            return true;
        TraceError("Invalid configuration file! (Section='%s' - Key='%s' - Attr='%s') - '%s' is not a valid int value!",
                   m_pszSection, m_pszKey, U8(tAttr.name).constData(), U8(tAttr.value).constData());
        return false;
    }
    bool HexUInt(const ConfigAttr_t &tAttr, quint32 *puValue) const
    {
        if (ToHexUInt(tAttr.value, puValue))
            return true;
        TraceError("Invalid configuration file! (Section='%s' - Key='%s' - Attr='%s') - '%s' is not a valid unsigned "
                   "int value!",
                   m_pszSection, m_pszKey, U8(tAttr.name).constData(), U8(tAttr.value).constData());
        return false;
    }
    // [iMin;iMax]
    bool Range(const ConfigAttr_t &tAttr, int iValue, int iMin, int iMax) const
    {
        if (iValue >= iMin && iValue <= iMax)
            return true;
        TraceError("Invalid configuration file! (Section='%s' - Key='%s' - Attr='%s') - '%s' is not in the range "
                   "[%d;%d]!",
                   m_pszSection, m_pszKey, U8(tAttr.name).constData(), U8(tAttr.value).constData(), iMin, iMax);
        return false;
    }
    // [0;iMax]
    bool RangeUpTo(const ConfigAttr_t &tAttr, int iValue, int iMax) const
    {
        if (iValue >= 0 && iValue <= iMax)
            return true;
        TraceError("Invalid configuration file! (Section='%s' - Key='%s' - Attr='%s') - '%s' is not in the range "
                   "[0;%d]!",
                   m_pszSection, m_pszKey, U8(tAttr.name).constData(), U8(tAttr.value).constData(), iMax);
        return false;
    }
    // [0;iLimit-1], the corner of something iLimit wide.
    bool RangeBelow(const ConfigAttr_t &tAttr, bool bOk, int iLimit) const
    {
        if (bOk)
            return true;
        TraceError("Invalid configuration file! (Section='%s' - Key='%s' - Attr='%s') - '%s' is not in the range "
                   "[0;%d-1]!",
                   m_pszSection, m_pszKey, U8(tAttr.name).constData(), U8(tAttr.value).constData(), iLimit);
        return false;
    }
    // [1;iLimit], a width or height.
    bool RangeSize(const ConfigAttr_t &tAttr, bool bOk, int iLimit) const
    {
        if (bOk)
            return true;
        TraceError("Invalid configuration file! (Section='%s' - Key='%s' - Attr='%s') - '%s' is not in the range "
                   "[1;%d]!",
                   m_pszSection, m_pszKey, U8(tAttr.name).constData(), U8(tAttr.value).constData(), iLimit);
        return false;
    }
    bool RangeLiteral(const ConfigAttr_t &tAttr, int iValue, int iMax) const
    {
        if (iValue >= 0 && iValue <= iMax)
            return true;
        TraceError("Invalid configuration file! (Section='%s' - Key='%s' - Attr='%s') - '%s' is not in the range "
                   "[0;%s]!",
                   m_pszSection, m_pszKey, U8(tAttr.name).constData(), U8(tAttr.value).constData(),
                   iMax == 1 ? "1" : "100");
        return false;
    }
    void NotValidName(const ConfigAttr_t &tAttr) const
    {
        TraceError("Invalid configuration file! (Section='%s' - Key='%s' - Attr='%s') - '%s' is not a valid!",
                   m_pszSection, m_pszKey, U8(tAttr.name).constData(), U8(tAttr.value).constData());
    }
    void Problem(const char *pszWhat) const
    {
        TraceError("Invalid configuration file! (Section='%s' - Key='%s') - %s", m_pszSection, m_pszKey, pszWhat);
    }

private:
    const char *m_pszSection;
    const char *m_pszKey;
};

// The written order of each key's attributes: the writer follows it and so does the file,
// since the document itself does not keep attribute order.
struct KeyOrder_t
{
    const char *pszKey;
    QList<const char *> attrs;
};

const QList<KeyOrder_t> &KeyOrders()
{
    static const QList<KeyOrder_t> orders = {
        {"border", {"show", "top-left_hor", "top-left_ver", "width", "height"}},
        {"grid", {"show", "spacing"}},
        {"Background", {"show", "top-left_hor", "top-left_ver", "width", "height", "ratio"}},
        {"resize", {"type", "std_format", "width", "height"}},
        {"top-left-pos", {"hor", "ver"}},
        {"ColorTemp", {"mode", "temperature", "coeff_red", "coeff_green", "coeff_blue"}},
        {"Gamma", {"coeff_red", "coeff_green", "coeff_blue"}},
        {kGroup, {"id", "X_pos", "Y_pos", "X_anchor", "Y_anchor", "rotation"}},
        {kFixture,
         {"type", "chn", "cabling_pos", "X_pos", "Y_pos", "X_anchor", "Y_anchor", "rotation", "group", "lumi_red",
          "lumi_green", "lumi_blue", "lumi_global", "blackout_mode", "blackout_on", "blackout_off", "fan_mode",
          "fan_on", "fan_off"}},
    };
    return orders;
}

const QList<const char *> &AttrOrder(const char *pszKey)
{
    static const QList<const char *> none;
    for (const KeyOrder_t &order : KeyOrders()) {
        if (qstrcmp(order.pszKey, pszKey) == 0)
            return order.attrs;
    }
    return none;
}

// One key to write; the attribute names come from the key's order table.
ConfigKey_t MakeKey(const char *pszKey, const QStringList &lValues, const QString &qsText = QString())
{
    const QList<const char *> &names = AttrOrder(pszKey);
    Q_ASSERT(names.size() == lValues.size());
    ConfigKey_t tKey;
    tKey.text = qsText;
    for (qsizetype i = 0; i < lValues.size() && i < names.size(); ++i)
        tKey.attributes.append({QString::fromLatin1(names[i]), lValues[i]});
    return tKey;
}

// The index of an attribute in its key's order table, -1 for a name the key does not have.
int AttrIndex(const char *pszKey, const QString &qsName)
{
    const QList<const char *> &names = AttrOrder(pszKey);
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (qsName == QLatin1String(names[i]))
            return int(i);
    }
    return -1;
}

// The attributes of a key in their written order, unknown names last. Qt's DOM hands them out
// in hash order, which changes from run to run; checks that depend on order (a sum tested on
// the later of two attributes, the first problem of a fixture) must not.
QList<ConfigAttr_t> InWrittenOrder(const char *pszKey, const QList<ConfigAttr_t> &lAttrs)
{
    QList<QPair<unsigned, const ConfigAttr_t *>> lIndexed;
    lIndexed.reserve(lAttrs.size());
    for (const ConfigAttr_t &tAttr : lAttrs)
        lIndexed.append({unsigned(AttrIndex(pszKey, tAttr.name)), &tAttr});
    std::stable_sort(lIndexed.begin(), lIndexed.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    QList<ConfigAttr_t> lSorted;
    lSorted.reserve(lAttrs.size());
    for (const auto &entry : lIndexed)
        lSorted.append(*entry.second);
    return lSorted;
}

PixelRect_t RectFrom(int iX, int iY, int iWidth, int iHeight)
{
    return MakePixelRect(iX, iY, iX + iWidth - 1, iY + iHeight - 1);
}

// Serialises a DOM element with the attributes in the written order (others after them, by
// name), since Qt's DOM keeps attributes in a hash and would write them in any order.
void WriteElement(QXmlStreamWriter &writer, const QDomElement &element)
{
    writer.writeStartElement(element.tagName());
    const QDomNamedNodeMap attrs = element.attributes();
    QStringList lNames;
    for (int i = 0; i < attrs.count(); ++i)
        lNames.append(attrs.item(i).nodeName());
    std::sort(lNames.begin(), lNames.end());
    const QList<const char *> &order = AttrOrder(element.tagName().toLatin1().constData());
    for (const char *pszName : order) {
        const QString qsName = QString::fromLatin1(pszName);
        if (lNames.removeOne(qsName))
            writer.writeAttribute(qsName, element.attribute(qsName));
    }
    for (const QString &qsName : lNames)
        writer.writeAttribute(qsName, element.attribute(qsName));
    for (QDomNode child = element.firstChild(); !child.isNull(); child = child.nextSibling()) {
        if (child.isElement())
            WriteElement(writer, child.toElement());
        else if (child.isCDATASection())
            writer.writeCDATA(child.nodeValue());
        else if (child.isText() && !child.nodeValue().isEmpty())
            writer.writeCharacters(child.nodeValue());
        else if (child.isComment())
            writer.writeComment(child.nodeValue());
    }
    writer.writeEndElement();
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Reading

int CProjectConf::Parse()
{
    // Nothing of the project held before may survive a file that fails half-way: the records
    // and every settings block start from scratch.
    ClearRecords();
    DefaultWorkspace(&m_Workspace);
    DefaultVideoInput(&m_VideoInput);
    DefaultInputCorr(&m_InputCorr);
    DefaultOutputCorr(&m_OutputCorr);

    int iStatus = ParseWorkspace();
    if (iStatus == 0)
        iStatus = ParseVideoInput();
    if (iStatus == 0)
        iStatus = ParseInputCorr();
    if (iStatus == 0)
        iStatus = ParseOutputCorr();
    if (iStatus == 0)
        iStatus = ParseFixtures();
    if (iStatus != 0) {
        ClearRecords();
        // A save must not go back to the file that failed: the user is asked for a name.
        m_qsFileName.clear();
        ErrorMsg(tr("Failed to parse configuration file!"), iStatus);
    }
    return iStatus;
}

int CProjectConf::ParseWorkspace()
{
    bool bFailed = false;

    // border
    {
        const KeyReader r(kWorkspace, "border");
        ConfigKey_t tKey;
        bool bOk = ReadKey(QString::fromLatin1(kWorkspace), QStringLiteral("border"), QString(), QString(), tKey) == 0;
        if (!bOk)
            r.FetchFailed();
        bOk = bOk && r.CheckCount(tKey, 5);
        bool bShown = false;
        int iValues[4] = {0, 0, 0, 0}; // hor, ver, width, height
        if (bOk) {
            for (const ConfigAttr_t &tAttr : InWrittenOrder("border", tKey.attributes)) {
                const int iIndex = AttrIndex("border", tAttr.name);
                if (iIndex < 0) {
                    r.UnknownAttr(tAttr);
                    bOk = false;
                } else if (iIndex == 0) {
                    bShown = tAttr.value == QLatin1String("true");
                } else {
                    int iValue = 0;
                    if (!r.Int(tAttr, &iValue)) {
                        bOk = false;
                        continue;
                    }
                    iValues[iIndex - 1] = iValue;
                    if (iIndex == 1)
                        bOk &= r.RangeBelow(tAttr, iValue >= 0 && iValue < kScreenWidth, kScreenWidth);
                    else if (iIndex == 2)
                        bOk &= r.RangeBelow(tAttr, iValue >= 0 && iValue < kScreenHeight, kScreenHeight);
                    else if (iIndex == 3)
                        bOk &= r.RangeSize(tAttr, iValue >= 1 && iValue <= kScreenWidth, kScreenWidth);
                    else
                        bOk &= r.RangeSize(tAttr, iValue >= 1 && iValue <= kScreenHeight, kScreenHeight);
                }
            }
        }
        if (bOk) {
            // Size first, then corner, as the two are named in the message.
            const auto sum = [](int iSize, int iCorner, int iLimit) {
                if (iSize + iCorner <= iLimit)
                    return true;
                TraceError("Invalid configuration file! (Section='%s' - Key='%s') - '%d'+'%d' is out of range [1;%d]!",
                           kWorkspace, "border", iSize, iCorner, iLimit);
                return false;
            };
            bOk &= sum(iValues[2], iValues[0], kScreenWidth);
            bOk &= sum(iValues[3], iValues[1], kScreenHeight);
        }
        if (bOk) {
            m_Workspace.borderShown = bShown;
            m_Workspace.border = RectFrom(iValues[0], iValues[1], iValues[2], iValues[3]);
        } else {
            m_Workspace.borderShown = false;
            m_Workspace.border = ScreenPixelRect();
            bFailed = true;
        }
    }

    // grid
    {
        const KeyReader r(kWorkspace, "grid");
        ConfigKey_t tKey;
        bool bOk = ReadKey(QString::fromLatin1(kWorkspace), QStringLiteral("grid"), QString(), QString(), tKey) == 0;
        if (!bOk)
            r.FetchFailed();
        bOk = bOk && r.CheckCount(tKey, 2);
        bool bShown = false;
        int iSpacing = 128;
        if (bOk) {
            for (const ConfigAttr_t &tAttr : InWrittenOrder("grid", tKey.attributes)) {
                const int iIndex = AttrIndex("grid", tAttr.name);
                if (iIndex < 0) {
                    r.UnknownAttr(tAttr);
                    bOk = false;
                } else if (iIndex == 0) {
                    bShown = tAttr.value == QLatin1String("true");
                } else if (!r.Int(tAttr, &iSpacing) || !r.RangeUpTo(tAttr, iSpacing, kGridSpacingMax)) {
                    bOk = false;
                }
            }
        }
        if (bOk) {
            m_Workspace.gridShown = bShown;
            m_Workspace.gridSpacing = quint32(iSpacing);
        } else {
            m_Workspace.gridShown = false;
            m_Workspace.gridSpacing = 128;
            bFailed = true;
        }
    }

    // Background
    {
        const KeyReader r(kWorkspace, "Background");
        ConfigKey_t tKey;
        bool bOk =
            ReadKey(QString::fromLatin1(kWorkspace), QStringLiteral("Background"), QString(), QString(), tKey) == 0;
        if (!bOk)
            r.FetchFailed();
        bOk = bOk && r.CheckCount(tKey, 6);
        BackgroundSettings_t tBack = m_Workspace.background;
        tBack.file = tKey.text;
        bool bShown = false;
        quint32 uRatio = BACKGROUND_RATIO_KEEP;
        int iValues[4] = {0, 0, 0, 0};
        bool bRead[4] = {false, false, false, false};
        if (bOk) {
            for (const ConfigAttr_t &tAttr : InWrittenOrder("Background", tKey.attributes)) {
                const int iIndex = AttrIndex("Background", tAttr.name);
                if (iIndex < 0) {
                    r.UnknownAttr(tAttr);
                    bOk = false;
                } else if (iIndex == 0) {
                    bShown = tAttr.value == QLatin1String("true");
                } else if (iIndex == 5) {
                    if (tAttr.value == QLatin1String("keep")) {
                        uRatio = BACKGROUND_RATIO_KEEP;
                    } else if (tAttr.value == QLatin1String("resize")) {
                        uRatio = BACKGROUND_RATIO_RESIZE;
                    } else {
                        TraceError("Invalid configuration file! (Section='%s' - Key='%s' - Attr='%s') - '%s' is not "
                                   "a valid resize type!",
                                   kWorkspace, "Background", U8(tAttr.name).constData(), U8(tAttr.value).constData());
                        bOk = false;
                    }
                } else {
                    int iValue = 0;
                    if (!r.Int(tAttr, &iValue)) {
                        bOk = false;
                        continue;
                    }
                    // The sum of corner and size is tested on whichever of the two comes later.
                    const int iSlot = iIndex - 1;         // 0 hor, 1 ver, 2 width, 3 height
                    const int iPartner = (iSlot + 2) % 4; // hor<->width, ver<->height
                    const bool bHorizontal = (iSlot % 2) == 0;
                    const int iLimit = bHorizontal ? kScreenWidth : kScreenHeight;
                    const int iOther = bRead[iPartner] ? iValues[iPartner] : 0;
                    bool bIn;
                    if (iSlot < 2) {
                        bIn = iValue >= 0 && iValue < iLimit && iValue + iOther <= iLimit;
                        bOk &= r.RangeBelow(tAttr, bIn, iLimit);
                    } else {
                        bIn = iValue >= 1 && iValue <= iLimit && iValue + iOther <= iLimit;
                        bOk &= r.RangeSize(tAttr, bIn, iLimit);
                    }
                    if (bIn) {
                        iValues[iSlot] = iValue;
                        bRead[iSlot] = true;
                    }
                }
            }
        }
        if (bOk) {
            tBack.shown = bShown;
            tBack.ratio = uRatio;
            tBack.placement = RectFrom(iValues[0], iValues[1], iValues[2], iValues[3]);
            m_Workspace.background = tBack;
        } else {
            m_Workspace.background.shown = false;
            m_Workspace.background.file.clear();
            m_Workspace.background.imageWidth = 0;
            m_Workspace.background.imageHeight = 0;
            m_Workspace.background.ratio = BACKGROUND_RATIO_KEEP;
            m_Workspace.background.placement = ScreenPixelRect();
            bFailed = true;
        }
    }
    return bFailed ? -20 : 0;
}

int CProjectConf::ParseVideoInput()
{
    DefaultVideoInput(&m_VideoInput);
    const QString qsSection = QString::fromLatin1(kVideoInput);
    bool bFailed = false;

    // source
    {
        const KeyReader r(kVideoInput, "source");
        ConfigKey_t tKey;
        bool bOk = ReadKey(qsSection, QStringLiteral("source"), QString(), QString(), tKey) == 0;
        if (!bOk)
            r.FetchFailed();
        bOk = bOk && r.CheckCount(tKey, 0);
        if (bOk) {
            const int iSource = IndexOfName(kSourceNames, tKey.text);
            if (iSource < 0) {
                TraceError("Invalid configuration file! (Section='%s' - Key='%s') - Source '%s' is not valid (Must be "
                           "'DVI1', 'DVI2', 'HDMI1' or 'HDMI2')!",
                           kVideoInput, "source", U8(tKey.text).constData());
                bOk = false;
            } else {
                m_VideoInput.source = quint32(iSource);
            }
        }
        bFailed |= !bOk;
    }

    // rotation
    {
        const KeyReader r(kVideoInput, "rotation");
        ConfigKey_t tKey;
        bool bOk = ReadKey(qsSection, QStringLiteral("rotation"), QString(), QString(), tKey) == 0;
        if (!bOk)
            r.FetchFailed();
        bOk = bOk && r.CheckCount(tKey, 0);
        if (bOk) {
            int iRotation = 0;
            if (!ToInt(tKey.text, &iRotation) || (iRotation != -90 && iRotation != 0 && iRotation != 90)) {
                r.Problem("Rotation is not valid (Must be '-90', '0' or '+90'!");
                bOk = false;
            } else {
                m_VideoInput.rotation = qint8(iRotation);
            }
        }
        bFailed |= !bOk;
    }

    // resize: the area starts at (0, 0) here; top-left-pos moves it afterwards.
    {
        const KeyReader r(kVideoInput, "resize");
        ConfigKey_t tKey;
        bool bOk = ReadKey(qsSection, QStringLiteral("resize"), QString(), QString(), tKey) == 0;
        if (!bOk)
            r.FetchFailed();
        bOk = bOk && r.CheckCount(tKey, 4);
        if (bOk) {
            for (const ConfigAttr_t &tAttr : InWrittenOrder("resize", tKey.attributes)) {
                const int iIndex = AttrIndex("resize", tAttr.name);
                int iValue = 0;
                if (iIndex < 0) {
                    r.UnknownAttr(tAttr);
                    bOk = false;
                } else if (iIndex == 0) {
                    iValue = IndexOfName(kResizeTypeNames, tAttr.value);
                    if (iValue < 0) {
                        r.NotValidName(tAttr);
                        bOk = false;
                    } else {
                        m_VideoInput.resizeType = quint32(iValue);
                    }
                } else if (iIndex == 1) {
                    iValue = IndexOfName(kStdFormatNames, tAttr.value);
                    if (iValue < 0) {
                        r.NotValidName(tAttr);
                        bOk = false;
                    } else {
                        m_VideoInput.standardFormat = quint32(iValue);
                    }
                } else if (!r.Int(tAttr, &iValue)) {
                    bOk = false;
                } else if (iIndex == 2) {
                    if (r.RangeSize(tAttr, iValue >= 1 && iValue <= kScreenWidth, kScreenWidth))
                        m_VideoInput.area.x2 = m_VideoInput.area.x1 + iValue - 1;
                    else
                        bOk = false;
                } else {
                    if (r.RangeSize(tAttr, iValue >= 1 && iValue <= kScreenHeight, kScreenHeight))
                        m_VideoInput.area.y2 = m_VideoInput.area.y1 + iValue - 1;
                    else
                        bOk = false;
                }
            }
        }
        bFailed |= !bOk;
    }

    // top-left-pos
    {
        const KeyReader r(kVideoInput, "top-left-pos");
        ConfigKey_t tKey;
        bool bOk = ReadKey(qsSection, QStringLiteral("top-left-pos"), QString(), QString(), tKey) == 0;
        if (!bOk)
            r.FetchFailed();
        bOk = bOk && r.CheckCount(tKey, 2);
        if (bOk) {
            if (tKey.text == QLatin1String("true") || tKey.text == QLatin1String("false")) {
                m_VideoInput.topLeftPosition = tKey.text == QLatin1String("true");
            } else {
                r.Problem("Value is not valid (Must be 'true' or 'false'!");
                bOk = false;
            }
            for (const ConfigAttr_t &tAttr : InWrittenOrder("top-left-pos", tKey.attributes)) {
                const int iIndex = AttrIndex("top-left-pos", tAttr.name);
                int iValue = 0;
                if (iIndex < 0) {
                    r.UnknownAttr(tAttr);
                    bOk = false;
                } else if (!r.Int(tAttr, &iValue)) {
                    bOk = false;
                } else if (iIndex == 0) {
                    if (r.RangeUpTo(tAttr, iValue, kScreenWidth)) {
                        const int iWidth = m_VideoInput.area.x2 - m_VideoInput.area.x1;
                        m_VideoInput.area.x1 = iValue;
                        m_VideoInput.area.x2 = iValue + iWidth;
                    } else {
                        bOk = false;
                    }
                } else {
                    if (r.RangeUpTo(tAttr, iValue, kScreenHeight)) {
                        const int iHeight = m_VideoInput.area.y2 - m_VideoInput.area.y1;
                        m_VideoInput.area.y1 = iValue;
                        m_VideoInput.area.y2 = iValue + iHeight;
                    } else {
                        bOk = false;
                    }
                }
            }
        }
        bFailed |= !bOk;
    }
    return bFailed ? -20 : 0;
}

int CProjectConf::ParseInputCorr()
{
    DefaultInputCorr(&m_InputCorr);
    const QString qsSection = QString::fromLatin1(kInputCorr);
    struct Entry_t
    {
        const char *pszKey;
        quint8 InputCorr_t::*pField;
    };
    const Entry_t entries[] = {
        {"Brightness", &InputCorr_t::brightness},
        {"Contrast", &InputCorr_t::contrast},
        {"Hue", &InputCorr_t::hue},
        {"Saturation", &InputCorr_t::saturation},
    };
    bool bFailed = false;
    for (const Entry_t &entry : entries) {
        const KeyReader r(kInputCorr, entry.pszKey);
        ConfigKey_t tKey;
        bool bOk = ReadKey(qsSection, QString::fromLatin1(entry.pszKey), QString(), QString(), tKey) == 0;
        if (!bOk)
            r.FetchFailed();
        bOk = bOk && r.CheckCount(tKey, 0);
        if (bOk) {
            int iValue = 0;
            // Values outside a byte are refused, not cut to their low 8 bits: -1 would
            // otherwise turn into full saturation.
            if (!ToInt(tKey.text, &iValue) || iValue < 0 || iValue > 255) {
                TraceError("Invalid configuration file! (Section='%s' - Key='%s') - %s is not valid (Must be in "
                           "[0;255])!",
                           kInputCorr, entry.pszKey, entry.pszKey);
                bOk = false;
            } else if (entry.pField == &InputCorr_t::brightness) {
                m_InputCorr.brightness = quint8(qMin(iValue, 128));
            } else {
                m_InputCorr.*(entry.pField) = quint8(iValue);
            }
        }
        bFailed |= !bOk;
    }
    return bFailed ? -20 : 0;
}

int CProjectConf::ParseOutputCorr()
{
    DefaultOutputCorr(&m_OutputCorr);
    const QString qsSection = QString::fromLatin1(kOutputCorr);
    bool bFailed = false;

    {
        const KeyReader r(kOutputCorr, "ColorTemp");
        ConfigKey_t tKey;
        bool bOk = ReadKey(qsSection, QStringLiteral("ColorTemp"), QString(), QString(), tKey) == 0;
        if (!bOk)
            r.FetchFailed();
        bOk = bOk && r.CheckCount(tKey, 5);
        if (bOk) {
            for (const ConfigAttr_t &tAttr : InWrittenOrder("ColorTemp", tKey.attributes)) {
                const int iIndex = AttrIndex("ColorTemp", tAttr.name);
                int iValue = 0;
                if (iIndex < 0) {
                    r.UnknownAttr(tAttr);
                    bOk = false;
                } else if (iIndex == 0) {
                    iValue = IndexOfName(kColorTempModeNames, tAttr.value);
                    if (iValue < 0) {
                        r.NotValidName(tAttr);
                        bOk = false;
                    } else {
                        m_OutputCorr.whiteMode = quint8(iValue);
                    }
                } else if (!r.Int(tAttr, &iValue)) {
                    bOk = false;
                } else if (iIndex == 1) {
                    if (r.Range(tAttr, iValue, 2000, 11000))
                        m_OutputCorr.colorTemp = quint16(iValue);
                    else
                        bOk = false;
                } else if (r.Range(tAttr, iValue, 0, kGainMax)) {
                    // Packed fields are assigned by name: a pointer to one would be misaligned.
                    if (iIndex == 2)
                        m_OutputCorr.coefRed = quint16(iValue);
                    else if (iIndex == 3)
                        m_OutputCorr.coefGreen = quint16(iValue);
                    else
                        m_OutputCorr.coefBlue = quint16(iValue);
                } else {
                    bOk = false;
                }
            }
        }
        bFailed |= !bOk;
    }

    {
        const KeyReader r(kOutputCorr, "Gamma");
        ConfigKey_t tKey;
        bool bOk = ReadKey(qsSection, QStringLiteral("Gamma"), QString(), QString(), tKey) == 0;
        if (!bOk)
            r.FetchFailed();
        bOk = bOk && r.CheckCount(tKey, 3);
        if (bOk) {
            for (const ConfigAttr_t &tAttr : InWrittenOrder("Gamma", tKey.attributes)) {
                const int iIndex = AttrIndex("Gamma", tAttr.name);
                int iValue = 0;
                if (iIndex < 0) {
                    r.UnknownAttr(tAttr);
                    bOk = false;
                } else if (!r.Int(tAttr, &iValue) || !r.Range(tAttr, iValue, 1, 600)) {
                    bOk = false;
                } else if (iIndex == 0) {
                    m_OutputCorr.gammaRed = quint16(iValue);
                } else if (iIndex == 1) {
                    m_OutputCorr.gammaGreen = quint16(iValue);
                } else {
                    m_OutputCorr.gammaBlue = quint16(iValue);
                }
            }
        }
        bFailed |= !bOk;
    }
    return bFailed ? -20 : 0;
}

namespace {

enum GroupAttr { GA_ID, GA_X, GA_Y, GA_AX, GA_AY, GA_ROT, GA_COUNT };

enum FixtureAttr {
    FA_TYPE,
    FA_CHN,
    FA_POS,
    FA_X,
    FA_Y,
    FA_AX,
    FA_AY,
    FA_ROT,
    FA_GROUP,
    FA_RED,
    FA_GREEN,
    FA_BLUE,
    FA_GLOBAL,
    FA_BO_MODE,
    FA_BO_ON,
    FA_BO_OFF,
    FA_FAN_MODE,
    FA_FAN_ON,
    FA_FAN_OFF,
    FA_COUNT
};

// Range check of one whole-number attribute of a Group or Fixture key; status -21 on failure.
bool CheckListRange(const KeyReader &r, int iAttr, bool bFixture, const ConfigAttr_t &tAttr, int iValue)
{
    if (!bFixture) {
        switch (iAttr) {
        case GA_ID:
            return r.Range(tAttr, iValue, 1, kGroupNumberMax);
        case GA_X:
        case GA_AX:
            return r.Range(tAttr, iValue, 0, kScreenWidth);
        case GA_Y:
        case GA_AY:
            return r.Range(tAttr, iValue, 0, kScreenHeight);
        default:
            return r.Range(tAttr, iValue, -180, 180);
        }
    }
    switch (iAttr) {
    case FA_CHN:
        return r.Range(tAttr, iValue, 0, kOutputMax);
    case FA_POS:
        // The upper bound depends on whether the fixture is cabled; checked once both are read.
        return iValue >= 0 || r.Range(tAttr, iValue, 0, kCablingPosMax);
    case FA_X:
    case FA_AX:
        return r.Range(tAttr, iValue, 0, kScreenWidth);
    case FA_Y:
    case FA_AY:
        return r.Range(tAttr, iValue, 0, kScreenHeight);
    case FA_ROT:
        return r.Range(tAttr, iValue, -180, 180);
    case FA_GROUP:
        return r.Range(tAttr, iValue, 0, kGroupNumberMax);
    case FA_RED:
    case FA_GREEN:
    case FA_BLUE:
        return r.RangeUpTo(tAttr, iValue, kGainMax);
    case FA_GLOBAL:
        return r.RangeLiteral(tAttr, iValue, 100);
    case FA_BO_MODE:
    case FA_FAN_MODE:
        return r.RangeLiteral(tAttr, iValue, 1);
    default:
        return true; // temperatures: any integer, kept as a signed byte
    }
}

} // namespace

int CProjectConf::ParseFixtures()
{
    ClearRecords();
    const QString qsSection = QString::fromLatin1(kFixtures);
    int iStatus = 0;
    QHash<quint16, int> groupIndex; // group number -> index in m_Groups

    QList<ConfigKey_t> lGroupKeys;
    iStatus = ReadKeys(qsSection, QString::fromLatin1(kGroup), QString(), QString(), lGroupKeys);
    if (iStatus != 0) {
        KeyReader(kFixtures, kGroup).FetchFailed();
        ClearRecords();
        return iStatus;
    }
    for (const ConfigKey_t &tKey : lGroupKeys) {
        const KeyReader r(kFixtures, kGroup);
        if (!r.CheckCount(tKey, GA_COUNT)) {
            iStatus = -23;
            break;
        }
        int iValues[GA_COUNT] = {};
        bool bGiven[GA_COUNT] = {};
        for (const ConfigAttr_t &tAttr : InWrittenOrder(kGroup, tKey.attributes)) {
            const int iAttr = AttrIndex(kGroup, tAttr.name);
            if (iAttr < 0) {
                r.UnknownAttr(tAttr);
                iStatus = -21;
                break;
            }
            int iValue = 0;
            if (!r.Int(tAttr, &iValue)) {
                iStatus = iAttr == GA_ID ? -23 : (iAttr == GA_Y ? -1 : -21);
                break;
            }
            if (!CheckListRange(r, iAttr, false, tAttr, iValue)) {
                iStatus = -21;
                break;
            }
            iValues[iAttr] = iValue;
            bGiven[iAttr] = true;
        }
        if (iStatus != 0)
            break;
        if (tKey.text.size() < kGroupNameMin || tKey.text.size() > kGroupNameMax) {
            TraceError("Invalid configuration! (Section='%s' - Key='%s') - Group name '%s' is too long! (must be "
                       "[%d;%d] long)",
                       kFixtures, kGroup, U8(tKey.text).constData(), kGroupNameMin, kGroupNameMax);
            iStatus = -21;
            break;
        }
        if (std::find(std::begin(bGiven), std::end(bGiven), false) != std::end(bGiven)) {
            TraceError("Invalid configuration! (Section='%s' - Key='%s') - Attribute missing!", kFixtures, kGroup);
            iStatus = -21;
            break;
        }
        const quint16 uNumber = quint16(iValues[GA_ID]);
        if (groupIndex.contains(uNumber)) {
            TraceError("Invalid configuration! (Section='%s' - Key='%s') - Group number %d is declared several times!",
                       kFixtures, kGroup, int(uNumber));
            iStatus = -21;
            break;
        }
        ProjectGroup_t tGroup;
        tGroup.info = MakeGroupInfo(uNumber, tKey.text);
        tGroup.placement = MakeRotationInfo(iValues[GA_X], iValues[GA_Y], iValues[GA_AX], iValues[GA_AY],
                                            AngleInRange(iValues[GA_ROT]));
        TraceInfo("    Group %d: Name='%s' - Position: X=%d, Y=%d - Anchor Position: X=%d, Y=%d - Rotation = %d",
                  int(uNumber), U8(tKey.text).constData(), iValues[GA_X], iValues[GA_Y], iValues[GA_AX], iValues[GA_AY],
                  tGroup.placement.angle);
        groupIndex.insert(uNumber, int(m_Groups.size()));
        m_Groups.append(tGroup);
    }

    QList<ConfigKey_t> lFixtureKeys;
    if (iStatus == 0) {
        iStatus = ReadKeys(qsSection, QString::fromLatin1(kFixture), QString(), QString(), lFixtureKeys);
        if (iStatus != 0)
            KeyReader(kFixtures, kFixture).FetchFailed();
    }
    QSet<quint64> addresses;
    QHash<quint32, QByteArray> typeNames;
    QList<int> groupMembers(m_Groups.size(), 0);
    for (const ConfigKey_t &tKey : (iStatus == 0 ? lFixtureKeys : QList<ConfigKey_t>())) {
        const KeyReader r(kFixtures, kFixture);
        if (!r.CheckCount(tKey, FA_COUNT)) {
            iStatus = -23;
            break;
        }
        int iValues[FA_COUNT] = {};
        bool bGiven[FA_COUNT] = {};
        quint32 uType = 0;
        for (const ConfigAttr_t &tAttr : InWrittenOrder(kFixture, tKey.attributes)) {
            const int iAttr = AttrIndex(kFixture, tAttr.name);
            if (iAttr < 0) {
                r.UnknownAttr(tAttr);
                iStatus = -21;
                break;
            }
            if (iAttr == FA_TYPE) {
                if (!r.HexUInt(tAttr, &uType)) {
                    iStatus = -21;
                    break;
                }
            } else {
                int iValue = 0;
                if (!r.Int(tAttr, &iValue) || !CheckListRange(r, iAttr, true, tAttr, iValue)) {
                    iStatus = -21;
                    break;
                }
                iValues[iAttr] = iValue;
            }
            bGiven[iAttr] = true;
        }
        if (iStatus != 0)
            break;
        if (std::find(std::begin(bGiven), std::end(bGiven), false) != std::end(bGiven)) {
            TraceError("Invalid configuration! (Section='%s' - Key='%s') - Attribute missing!", kFixtures, kFixture);
            iStatus = -21;
            break;
        }
        // Fixtures not cabled are numbered among themselves and may be many more than a chain holds.
        if (iValues[FA_CHN] != 0 && iValues[FA_POS] > kCablingPosMax) {
            for (const ConfigAttr_t &tAttr : tKey.attributes) {
                if (tAttr.name == QLatin1String("cabling_pos"))
                    r.Range(tAttr, iValues[FA_POS], 0, kCablingPosMax);
            }
            iStatus = -21;
            break;
        }
        // Projects hold a handful of types over many fixtures: each is looked up once.
        auto itType = typeNames.constFind(uType);
        if (itType == typeNames.constEnd()) {
            FixtureType_t tType;
            iStatus = g_SoftConf.GetFixtureType(uType, &tType);
            if (iStatus != 0) {
                TraceError("Invalid configuration! (Section='%s' - Key='%s') - Fixture type 0x%08X is unkown!",
                           kFixtures, kFixture, uType);
                break;
            }
            itType = typeNames.insert(uType, U8(tType.name));
        }
        const quint8 uOutput = quint8(iValues[FA_CHN]);
        const quint32 uNumber = quint32(iValues[FA_POS]);
        const quint64 ullAddress = (quint64(uOutput) << 32) | uNumber;
        if (addresses.contains(ullAddress)) {
            TraceError("Invalid configuration! (Section='%s' - Key='%s') - Fixture F%d.%d is defined several times!",
                       kFixtures, kFixture, int(uOutput), int(uNumber));
            iStatus = -22;
            break;
        }
        const quint16 uGroup = quint16(iValues[FA_GROUP]);
        if (uGroup != 0) {
            const auto it = groupIndex.constFind(uGroup);
            if (it == groupIndex.constEnd()) {
                TraceError("Invalid configuration! (Section='%s' - Key='%s') - Group %d for Fixture F%d.%d is not "
                           "defined!",
                           kFixtures, kGroup, int(uGroup), int(uOutput), int(uNumber));
                iStatus = -20;
                break;
            }
            ++groupMembers[it.value()];
        }
        addresses.insert(ullAddress);

        ProjectFixture_t tFixture = DefaultProjectFixture();
        tFixture.output = uOutput;
        tFixture.number = uNumber;
        tFixture.type = uType;
        tFixture.placement = MakeRotationInfo(iValues[FA_X], iValues[FA_Y], iValues[FA_AX], iValues[FA_AY],
                                              AngleInRange(iValues[FA_ROT]));
        tFixture.group = uGroup;
        tFixture.boardType = -1;
        tFixture.intensity = MakeIntensity(quint8(iValues[FA_GLOBAL]), quint16(iValues[FA_RED]),
                                           quint16(iValues[FA_GREEN]), quint16(iValues[FA_BLUE]));
        tFixture.sasuConfig.BlackoutMode = quint8(iValues[FA_BO_MODE]);
        tFixture.sasuConfig.BlackoutTempOn = qint8(quint8(iValues[FA_BO_ON] & 0xFF));
        tFixture.sasuConfig.BlackoutTempOff = qint8(quint8(iValues[FA_BO_OFF] & 0xFF));
        tFixture.sasuConfig.FanMonitoringMode = quint8(iValues[FA_FAN_MODE]);
        tFixture.sasuConfig.FanTempOn = qint8(quint8(iValues[FA_FAN_ON] & 0xFF));
        tFixture.sasuConfig.FanTempOff = qint8(quint8(iValues[FA_FAN_OFF] & 0xFF));
        TraceInfo("    Fixture F%d.%d - Type: '%s' Position: X=%d, Y=%d - Anchor Position: X=%d, Y=%d - Rotation = %d "
                  "- Group: %d - Lumi: Global=%d%%, Red=%d, Green=%d, Blue=%d",
                  int(uOutput), int(uNumber), itType.value().constData(), iValues[FA_X], iValues[FA_Y], iValues[FA_AX],
                  iValues[FA_AY], tFixture.placement.angle, int(uGroup), iValues[FA_GLOBAL], iValues[FA_RED],
                  iValues[FA_GREEN], iValues[FA_BLUE]);
        m_Fixtures.append(tFixture);
    }

    if (iStatus == 0) {
        for (qsizetype i = 0; i < m_Groups.size(); ++i) {
            if (groupMembers[i] < 2) {
                TraceError("Invalid configuration! (Section='%s' - Key='%s') - Group %d contains less than 2 Fixtures!",
                           kFixtures, kGroup, int(m_Groups[i].info.number));
                iStatus = -20;
                break;
            }
        }
    }
    if (iStatus != 0)
        ClearRecords();
    return iStatus;
}

// ---------------------------------------------------------------------------------------------
// Writing

int CProjectConf::Write()
{
    Clear();
    CreateRoot();
    int iStatus = WriteWorkspace();
    if (iStatus == 0)
        iStatus = WriteVideoInput();
    if (iStatus == 0)
        iStatus = WriteInputCorr();
    if (iStatus == 0)
        iStatus = WriteOutputCorr();
    if (iStatus == 0)
        iStatus = WriteFixtures();
    return iStatus;
}

int CProjectConf::WriteWorkspace()
{
    const QString qsSection = QString::fromLatin1(kWorkspace);
    const PixelRect_t &b = m_Workspace.border;
    int iStatus = WriteKeys(qsSection, QStringLiteral("border"),
                            {MakeKey("border", {Bool(m_Workspace.borderShown), Num(b.x1), Num(b.y1),
                                                Num(b.x2 - b.x1 + 1), Num(b.y2 - b.y1 + 1)})});
    if (iStatus == 0)
        iStatus = WriteKeys(qsSection, QStringLiteral("grid"),
                            {MakeKey("grid", {Bool(m_Workspace.gridShown), Num(m_Workspace.gridSpacing)})});
    if (iStatus == 0) {
        const BackgroundSettings_t &bg = m_Workspace.background;
        const PixelRect_t &p = bg.placement;
        iStatus =
            WriteKeys(qsSection, QStringLiteral("Background"),
                      {MakeKey("Background",
                               {Bool(bg.shown), Num(p.x1), Num(p.y1), Num(p.x2 - p.x1 + 1), Num(p.y2 - p.y1 + 1),
                                bg.ratio == BACKGROUND_RATIO_KEEP ? QStringLiteral("keep") : QStringLiteral("resize")},
                               bg.file)});
    }
    return iStatus;
}

int CProjectConf::WriteVideoInput()
{
    const QString qsSection = QString::fromLatin1(kVideoInput);
    const VideoInputSettings_t &v = m_VideoInput;
    ConfigKey_t tSource;
    tSource.text = NameOf(kSourceNames, v.source, kDefaultSource);
    int iStatus = WriteKeys(qsSection, QStringLiteral("source"), {tSource});
    if (iStatus == 0) {
        ConfigKey_t tRotation;
        tRotation.text = Num(v.rotation);
        iStatus = WriteKeys(qsSection, QStringLiteral("rotation"), {tRotation});
    }
    if (iStatus == 0) {
        const QString qsType = v.resizeType == 1   ? QStringLiteral("standard")
                               : v.resizeType == 2 ? QStringLiteral("custom")
                                                   : QStringLiteral("none");
        iStatus = WriteKeys(qsSection, QStringLiteral("resize"),
                            {MakeKey("resize", {qsType, NameOf(kStdFormatNames, v.standardFormat, 0),
                                                Num(v.area.x2 - v.area.x1 + 1), Num(v.area.y2 - v.area.y1 + 1)})});
    }
    if (iStatus == 0)
        iStatus = WriteKeys(qsSection, QStringLiteral("top-left-pos"),
                            {MakeKey("top-left-pos", {Num(v.area.x1), Num(v.area.y1)}, Bool(v.topLeftPosition))});
    return iStatus;
}

int CProjectConf::WriteInputCorr()
{
    const QString qsSection = QString::fromLatin1(kInputCorr);
    const QPair<const char *, quint8> values[] = {
        {"Brightness", m_InputCorr.brightness},
        {"Contrast", m_InputCorr.contrast},
        {"Hue", m_InputCorr.hue},
        {"Saturation", m_InputCorr.saturation},
    };
    for (const auto &value : values) {
        ConfigKey_t tKey;
        tKey.text = Num(value.second);
        if (const int iStatus = WriteKeys(qsSection, QString::fromLatin1(value.first), {tKey}))
            return iStatus;
    }
    return 0;
}

int CProjectConf::WriteOutputCorr()
{
    const QString qsSection = QString::fromLatin1(kOutputCorr);
    const OutputCorr_t &o = m_OutputCorr;
    int iStatus = WriteKeys(qsSection, QStringLiteral("ColorTemp"),
                            {MakeKey("ColorTemp", {NameOf(kColorTempModeNames, o.whiteMode, 0), Num(o.colorTemp),
                                                   Num(o.coefRed), Num(o.coefGreen), Num(o.coefBlue)})});
    if (iStatus == 0)
        iStatus = WriteKeys(qsSection, QStringLiteral("Gamma"),
                            {MakeKey("Gamma", {Num(o.gammaRed), Num(o.gammaGreen), Num(o.gammaBlue)})});
    return iStatus;
}

int CProjectConf::WriteFixtures()
{
    const QString qsSection = QString::fromLatin1(kFixtures);
    QList<ConfigKey_t> lGroups;
    lGroups.reserve(m_Groups.size());
    for (const ProjectGroup_t &g : m_Groups) {
        const RotationInfo_t &p = g.placement;
        lGroups.append(MakeKey(kGroup,
                               {Num(g.info.number), Num(Pixel(p.x)), Num(Pixel(p.y)), Num(Pixel(p.anchorX)),
                                Num(Pixel(p.anchorY)), Num(p.angle)},
                               g.info.name));
    }
    int iStatus = WriteKeys(qsSection, QString::fromLatin1(kGroup), lGroups);
    if (iStatus != 0)
        return iStatus;

    QList<ConfigKey_t> lFixtures;
    lFixtures.reserve(m_Fixtures.size());
    for (const ProjectFixture_t &f : m_Fixtures) {
        const RotationInfo_t &p = f.placement;
        const SasuConfig_t &s = f.sasuConfig;
        lFixtures.append(MakeKey(
            kFixture,
            {QStringLiteral("0x") + QString::number(f.type, 16).rightJustified(8, QLatin1Char('0')).toUpper(),
             Num(f.output), Num(f.number), Num(Pixel(p.x)), Num(Pixel(p.y)), Num(Pixel(p.anchorX)),
             Num(Pixel(p.anchorY)), Num(p.angle), Num(f.group), Num(f.intensity.Red()), Num(f.intensity.Green()),
             Num(f.intensity.Blue()), Num(f.intensity.Luminosity()), Num(s.BlackoutMode), Num(s.BlackoutTempOn),
             Num(s.BlackoutTempOff), Num(s.FanMonitoringMode), Num(s.FanTempOn), Num(s.FanTempOff)}));
    }
    return WriteKeys(qsSection, QString::fromLatin1(kFixture), lFixtures);
}

int CProjectConf::Save(const QString &qsPath)
{
    // A document that is not a project (the last open met a file it could not parse, or nothing
    // was written yet) would replace the user's file with an empty one.
    if (!HasOwnRoot()) {
        TraceError("Project not saved to '%s': there is no project document to write", U8(qsPath).constData());
        return -13;
    }
    QSaveFile file(qsPath);
    if (!file.open(QIODevice::WriteOnly)) {
        TraceError("Can't open file '%s' for writing: %s", U8(qsPath).constData(), U8(file.errorString()).constData());
        return -13;
    }
    QXmlStreamWriter writer(&file);
    writer.setAutoFormatting(true);
    writer.setAutoFormattingIndent(4);
    writer.writeStartDocument(QStringLiteral("1.0"));
    WriteElement(writer, m_Document.documentElement());
    writer.writeEndDocument();
    if (writer.hasError()) {
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
