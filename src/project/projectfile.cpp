// The project file: reading the document into the project, rebuilding it, and writing it.
// Every check the reader makes is traced with the section, key and attribute it concerns, so
// that a user with a hand-edited file can find the line.
#include "config/softconf.h"
#include "project/projectconf.h"
#include "trace/trace.h"

#include <QHash>
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

// The written order of each key's attributes: the writer follows it and so does the file,
// since the document itself does not keep attribute order.
struct KeyOrder_t
{
    QLatin1String key;
    QList<QLatin1String> attrs;
};

const QList<KeyOrder_t> &KeyOrders()
{
    static const auto L = [](const char *psz) { return QLatin1String(psz); };
    static const QList<KeyOrder_t> orders = {
        {L("border"), {L("show"), L("top-left_hor"), L("top-left_ver"), L("width"), L("height")}},
        {L("grid"), {L("show"), L("spacing")}},
        {L("Background"), {L("show"), L("top-left_hor"), L("top-left_ver"), L("width"), L("height"), L("ratio")}},
        {L("resize"), {L("type"), L("std_format"), L("width"), L("height")}},
        {L("top-left-pos"), {L("hor"), L("ver")}},
        {L("ColorTemp"), {L("mode"), L("temperature"), L("coeff_red"), L("coeff_green"), L("coeff_blue")}},
        {L("Gamma"), {L("coeff_red"), L("coeff_green"), L("coeff_blue")}},
        {L(kGroup), {L("id"), L("X_pos"), L("Y_pos"), L("X_anchor"), L("Y_anchor"), L("rotation")}},
        {L(kFixture),
         {L("type"), L("chn"), L("cabling_pos"), L("X_pos"), L("Y_pos"), L("X_anchor"), L("Y_anchor"), L("rotation"),
          L("group"), L("lumi_red"), L("lumi_green"), L("lumi_blue"), L("lumi_global"), L("blackout_mode"),
          L("blackout_on"), L("blackout_off"), L("fan_mode"), L("fan_on"), L("fan_off")}},
    };
    return orders;
}

template <typename Name> const QList<QLatin1String> &AttrOrder(const Name &key)
{
    static const QList<QLatin1String> none;
    for (const KeyOrder_t &order : KeyOrders()) {
        if (order.key == key)
            return order.attrs;
    }
    return none;
}

// One key to write; the attribute names come from the key's order table.
ConfigKey_t MakeKey(const char *pszKey, const QStringList &lValues, const QString &qsText = QString())
{
    const QList<QLatin1String> &names = AttrOrder(QLatin1String(pszKey));
    Q_ASSERT(names.size() == lValues.size());
    ConfigKey_t tKey;
    tKey.text = qsText;
    for (qsizetype i = 0; i < lValues.size() && i < names.size(); ++i)
        tKey.attributes.append({QString(names[i]), lValues[i]});
    return tKey;
}

// A key's attributes with their index in the written order (-1 for a name the key does not
// have), sorted by it, unknown names last. Qt's DOM hands attributes out in hash order, which
// changes from run to run; checks that depend on order (a sum tested on the later of two
// attributes, the first problem of a fixture) must not.
using IndexedAttr_t = QPair<int, const ConfigAttr_t *>;
QList<IndexedAttr_t> InWrittenOrder(const char *pszKey, const QList<ConfigAttr_t> &lAttrs)
{
    const QList<QLatin1String> &names = AttrOrder(QLatin1String(pszKey));
    QList<IndexedAttr_t> lIndexed;
    lIndexed.reserve(lAttrs.size());
    for (const ConfigAttr_t &tAttr : lAttrs)
        lIndexed.append({int(names.indexOf(tAttr.name)), &tAttr});
    std::stable_sort(lIndexed.begin(), lIndexed.end(), [](const IndexedAttr_t &a, const IndexedAttr_t &b) {
        return unsigned(a.first) < unsigned(b.first);
    });
    return lIndexed;
}

// The checks of one key, traced with its section and key names.
class KeyReader
{
public:
    KeyReader(const char *pszSection, const char *pszKey) : m_pszSection(pszSection), m_pszKey(pszKey) {}

    const char *Section() const { return m_pszSection; }
    const char *Key() const { return m_pszKey; }

    // The key, which must be there exactly once, with exactly iCount attributes.
    bool Fetch(const CConfig &conf, int iCount, ConfigKey_t &tKey) const
    {
        if (conf.ReadKey(QString::fromLatin1(m_pszSection), QString::fromLatin1(m_pszKey), QString(), QString(),
                         tKey) != 0) {
            FetchFailed();
            return false;
        }
        return CheckCount(tKey, iCount);
    }
    // Calls fn(index in the written order, attribute) for every attribute, in written order,
    // and fails when any call does; a name the key does not have is traced and fails too.
    // Every attribute is looked at, so that all problems of a key are logged at once.
    template <class F> bool EachAttr(const ConfigKey_t &tKey, F fn) const
    {
        bool bOk = true;
        for (const IndexedAttr_t &attr : InWrittenOrder(m_pszKey, tKey.attributes)) {
            const int iIndex = attr.first;
            const ConfigAttr_t &tAttr = *attr.second;
            if (iIndex < 0) {
                UnknownAttr(tAttr);
                bOk = false;
            } else if (!fn(iIndex, tAttr)) {
                bOk = false;
            }
        }
        return bOk;
    }
    // A whole number in [iMin;iMax].
    bool IntIn(const ConfigAttr_t &tAttr, int *piValue, int iMin, int iMax) const
    {
        return Int(tAttr, piValue) && Range(tAttr, *piValue, iMin, iMax);
    }
    // One of a list of names; its index, or -1 after tracing the name as not valid.
    template <size_t N> int Name(const ConfigAttr_t &tAttr, const char *const (&names)[N]) const
    {
        const int iIndex = IndexOfName(names, tAttr.value);
        if (iIndex < 0)
            NotValidName(tAttr);
        return iIndex;
    }
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
        return Check(tAttr, ToInt(tAttr.value, piValue), "is not a valid int value!");
    }
    bool HexUInt(const ConfigAttr_t &tAttr, quint32 *puValue) const
    {
        return Check(tAttr, ToHexUInt(tAttr.value, puValue), "is not a valid unsigned int value!");
    }
    // [iMin;iMax]
    // The messages are formatted only for a value that fails: a large project checks
    // tens of thousands of values that pass.
    bool Range(const ConfigAttr_t &tAttr, int iValue, int iMin, int iMax) const
    {
        const bool bOk = iValue >= iMin && iValue <= iMax;
        return bOk || Check(tAttr, bOk, QStringLiteral("is not in the range [%1;%2]!").arg(iMin).arg(iMax).toLatin1());
    }
    // [0;iLimit-1], the corner of something iLimit wide.
    bool RangeBelow(const ConfigAttr_t &tAttr, bool bOk, int iLimit) const
    {
        return bOk || Check(tAttr, bOk, QStringLiteral("is not in the range [0;%1-1]!").arg(iLimit).toLatin1());
    }
    // [1;iLimit], a width or height.
    bool RangeSize(const ConfigAttr_t &tAttr, bool bOk, int iLimit) const
    {
        return bOk || Check(tAttr, bOk, QStringLiteral("is not in the range [1;%1]!").arg(iLimit).toLatin1());
    }
    void NotValidName(const ConfigAttr_t &tAttr) const { Check(tAttr, false, "is not a valid!"); }
    bool Check(const ConfigAttr_t &tAttr, bool bOk, const char *pcWhat) const
    {
        return bOk || Check(tAttr, bOk, QByteArray(pcWhat));
    }
    // Traces "'value' <what>" for the attribute unless bOk.
    bool Check(const ConfigAttr_t &tAttr, bool bOk, const QByteArray &baWhat) const
    {
        if (!bOk)
            TraceError("Invalid configuration file! (Section='%s' - Key='%s' - Attr='%s') - '%s' %s", m_pszSection,
                       m_pszKey, U8(tAttr.name).constData(), U8(tAttr.value).constData(), baWhat.constData());
        return bOk;
    }
    void Problem(const char *pszWhat) const
    {
        TraceError("Invalid configuration file! (Section='%s' - Key='%s') - %s", m_pszSection, m_pszKey, pszWhat);
    }

private:
    const char *m_pszSection;
    const char *m_pszKey;
};

PixelRect_t RectFrom(int iX, int iY, int iWidth, int iHeight)
{
    return MakePixelRect(iX, iY, iX + iWidth - 1, iY + iHeight - 1);
}

// Serialises a DOM element with the attributes in the written order (others after them, by
// name), since Qt's DOM keeps attributes in a hash and would write them in any order.
void WriteElement(QXmlStreamWriter &writer, const QDomElement &element)
{
    // The names as strings once for all: a project writes thousands of keys of each kind.
    static const QHash<QString, QStringList> s_Names = [] {
        QHash<QString, QStringList> names;
        for (const KeyOrder_t &order : KeyOrders()) {
            QStringList &list = names[QString(order.key)];
            for (const QLatin1String &name : order.attrs)
                list.append(QString(name));
        }
        return names;
    }();
    const QString qsTag = element.tagName();
    writer.writeStartElement(qsTag);
    int iWritten = 0;
    const auto itNames = s_Names.constFind(qsTag);
    QDomElement node = element; // the same node: the attribute look-up is not const
    for (const QString &qsName : (itNames != s_Names.cend() ? *itNames : QStringList())) {
        const QDomAttr attr = node.attributeNode(qsName);
        if (!attr.isNull()) {
            writer.writeAttribute(qsName, attr.value());
            ++iWritten;
        }
    }
    const QDomNamedNodeMap attrs = element.attributes();
    if (attrs.count() > iWritten) {
        const QList<QLatin1String> &order = AttrOrder(qsTag);
        QStringList lOthers;
        for (int i = 0; i < attrs.count(); ++i) {
            const QString qsName = attrs.item(i).nodeName();
            if (!order.contains(qsName))
                lOthers.append(qsName);
        }
        std::sort(lOthers.begin(), lOthers.end());
        for (const QString &qsName : lOthers)
            writer.writeAttribute(qsName, element.attribute(qsName));
    }
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
    const auto shown = [](const ConfigAttr_t &tAttr) { return tAttr.value == QLatin1String("true"); };

    // border: corner and size each in range, then the two sums.
    {
        const KeyReader r(kWorkspace, "border");
        ConfigKey_t tKey;
        bool bShown = false;
        int iValues[4] = {0, 0, 0, 0}; // hor, ver, width, height
        bool bOk = r.Fetch(*this, 5, tKey) && r.EachAttr(tKey, [&](int iIndex, const ConfigAttr_t &tAttr) {
            if (iIndex == 0) {
                bShown = shown(tAttr);
                return true;
            }
            int &iValue = iValues[iIndex - 1];
            if (!r.Int(tAttr, &iValue))
                return false;
            const int iLimit = (iIndex % 2) ? kScreenWidth : kScreenHeight;
            if (iIndex <= 2)
                return r.RangeBelow(tAttr, iValue >= 0 && iValue < iLimit, iLimit);
            return r.RangeSize(tAttr, iValue >= 1 && iValue <= iLimit, iLimit);
        });
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
        m_Workspace.borderShown = bOk && bShown;
        m_Workspace.border = bOk ? RectFrom(iValues[0], iValues[1], iValues[2], iValues[3]) : ScreenPixelRect();
        bFailed |= !bOk;
    }

    // grid
    {
        const KeyReader r(kWorkspace, "grid");
        ConfigKey_t tKey;
        bool bShown = false;
        int iSpacing = 128;
        const bool bOk = r.Fetch(*this, 2, tKey) && r.EachAttr(tKey, [&](int iIndex, const ConfigAttr_t &tAttr) {
            if (iIndex == 0) {
                bShown = shown(tAttr);
                return true;
            }
            return r.IntIn(tAttr, &iSpacing, 0, kGridSpacingMax);
        });
        m_Workspace.gridShown = bOk && bShown;
        m_Workspace.gridSpacing = bOk ? quint32(iSpacing) : 128;
        bFailed |= !bOk;
    }

    // Background: the sum of corner and size is tested on whichever of the two comes later,
    // with the other as read so far.
    {
        const KeyReader r(kWorkspace, "Background");
        ConfigKey_t tKey;
        bool bShown = false;
        quint32 uRatio = BACKGROUND_RATIO_KEEP;
        int iValues[4] = {0, 0, 0, 0}; // hor, ver, width, height
        const bool bOk = r.Fetch(*this, 6, tKey) && r.EachAttr(tKey, [&](int iIndex, const ConfigAttr_t &tAttr) {
            if (iIndex == 0) {
                bShown = shown(tAttr);
                return true;
            }
            if (iIndex == 5) {
                if (tAttr.value == QLatin1String("keep"))
                    uRatio = BACKGROUND_RATIO_KEEP;
                else if (tAttr.value == QLatin1String("resize"))
                    uRatio = BACKGROUND_RATIO_RESIZE;
                else
                    return r.Check(tAttr, false, "is not a valid resize type!");
                return true;
            }
            int iValue = 0;
            if (!r.Int(tAttr, &iValue))
                return false;
            const int iSlot = iIndex - 1;
            const int iLimit = (iSlot % 2) ? kScreenHeight : kScreenWidth;
            const int iOther = iValues[(iSlot + 2) % 4]; // hor<->width, ver<->height; 0 until read
            const bool bCorner = iSlot < 2;
            const bool bIn = iValue >= (bCorner ? 0 : 1) && iValue + iOther <= iLimit &&
                             (bCorner ? iValue < iLimit : iValue <= iLimit);
            if (bIn)
                iValues[iSlot] = iValue;
            return bCorner ? r.RangeBelow(tAttr, bIn, iLimit) : r.RangeSize(tAttr, bIn, iLimit);
        });
        BackgroundSettings_t &bg = m_Workspace.background;
        bg.shown = bOk && bShown;
        bg.file = bOk ? tKey.text : QString();
        bg.imageWidth = 0;
        bg.imageHeight = 0;
        bg.ratio = bOk ? uRatio : quint32(BACKGROUND_RATIO_KEEP);
        bg.placement = bOk ? RectFrom(iValues[0], iValues[1], iValues[2], iValues[3]) : ScreenPixelRect();
        bFailed |= !bOk;
    }
    return bFailed ? -20 : 0;
}

int CProjectConf::ParseVideoInput()
{
    DefaultVideoInput(&m_VideoInput);
    VideoInputSettings_t &v = m_VideoInput;
    bool bFailed = false;

    // source
    {
        const KeyReader r(kVideoInput, "source");
        ConfigKey_t tKey;
        bool bOk = r.Fetch(*this, 0, tKey);
        if (bOk) {
            const int iSource = IndexOfName(kSourceNames, tKey.text);
            if (iSource < 0) {
                TraceError("Invalid configuration file! (Section='%s' - Key='%s') - Source '%s' is not valid (Must be "
                           "'DVI1', 'DVI2', 'HDMI1' or 'HDMI2')!",
                           kVideoInput, "source", U8(tKey.text).constData());
                bOk = false;
            } else {
                v.source = quint32(iSource);
            }
        }
        bFailed |= !bOk;
    }

    // rotation
    {
        const KeyReader r(kVideoInput, "rotation");
        ConfigKey_t tKey;
        bool bOk = r.Fetch(*this, 0, tKey);
        if (bOk) {
            int iRotation = 0;
            if (!ToInt(tKey.text, &iRotation) || (iRotation != -90 && iRotation != 0 && iRotation != 90)) {
                r.Problem("Rotation is not valid (Must be '-90', '0' or '+90'!");
                bOk = false;
            } else {
                v.rotation = qint8(iRotation);
            }
        }
        bFailed |= !bOk;
    }

    // resize: the area starts at (0, 0) here; top-left-pos moves it afterwards. Each value
    // that passes is stored at once.
    {
        const KeyReader r(kVideoInput, "resize");
        ConfigKey_t tKey;
        const bool bOk = r.Fetch(*this, 4, tKey) && r.EachAttr(tKey, [&](int iIndex, const ConfigAttr_t &tAttr) {
            if (iIndex <= 1) {
                const int iName = iIndex == 0 ? r.Name(tAttr, kResizeTypeNames) : r.Name(tAttr, kStdFormatNames);
                if (iName >= 0)
                    (iIndex == 0 ? v.resizeType : v.standardFormat) = quint32(iName);
                return iName >= 0;
            }
            int iValue = 0;
            int iLimit = iIndex == 2 ? kScreenWidth : kScreenHeight;
            // A standard's size may be taller than the screen (UXGA); it is the standard's own.
            qint32 aiStandard[2] = {};
            if (v.resizeType == 1 && StandardSize(v.standardFormat, &aiStandard[0], &aiStandard[1]))
                iLimit = qMax(iLimit, aiStandard[iIndex - 2]);
            if (!r.Int(tAttr, &iValue) || !r.RangeSize(tAttr, iValue >= 1 && iValue <= iLimit, iLimit))
                return false;
            if (iIndex == 2)
                v.area.x2 = v.area.x1 + iValue - 1;
            else
                v.area.y2 = v.area.y1 + iValue - 1;
            return true;
        });
        bFailed |= !bOk;
        // Earlier files hold a standard's size cut to the screen: the key says what it is.
        qint32 iWidth = 0, iHeight = 0;
        if (v.resizeType == 1 && StandardSize(v.standardFormat, &iWidth, &iHeight)) {
            v.area.x2 = v.area.x1 + iWidth - 1;
            v.area.y2 = v.area.y1 + iHeight - 1;
        }
    }

    // top-left-pos: moves the area, keeping its size.
    {
        const KeyReader r(kVideoInput, "top-left-pos");
        ConfigKey_t tKey;
        bool bOk = r.Fetch(*this, 2, tKey);
        if (bOk) {
            if (tKey.text == QLatin1String("true") || tKey.text == QLatin1String("false")) {
                v.topLeftPosition = tKey.text == QLatin1String("true");
            } else {
                r.Problem("Value is not valid (Must be 'true' or 'false'!");
                bOk = false;
            }
            bOk &= r.EachAttr(tKey, [&](int iIndex, const ConfigAttr_t &tAttr) {
                int iValue = 0;
                if (!r.IntIn(tAttr, &iValue, 0, iIndex == 0 ? kScreenWidth : kScreenHeight))
                    return false;
                qint32 &iStart = iIndex == 0 ? v.area.x1 : v.area.y1;
                qint32 &iEnd = iIndex == 0 ? v.area.x2 : v.area.y2;
                iEnd += iValue - iStart;
                iStart = iValue;
                return true;
            });
        }
        bFailed |= !bOk;
    }
    return bFailed ? -20 : 0;
}

int CProjectConf::ParseInputCorr()
{
    DefaultInputCorr(&m_InputCorr);
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
        bool bOk = r.Fetch(*this, 0, tKey);
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
    OutputCorr_t &o = m_OutputCorr;
    bool bFailed = false;

    // Packed fields are assigned by name throughout: a pointer or reference to one would be
    // misaligned.
    {
        const KeyReader r(kOutputCorr, "ColorTemp");
        ConfigKey_t tKey;
        const bool bOk = r.Fetch(*this, 5, tKey) && r.EachAttr(tKey, [&](int iIndex, const ConfigAttr_t &tAttr) {
            int iValue = 0;
            if (iIndex == 0) {
                iValue = r.Name(tAttr, kColorTempModeNames);
                if (iValue >= 0)
                    o.whiteMode = quint8(iValue);
                return iValue >= 0;
            }
            if (iIndex == 1) {
                if (!r.IntIn(tAttr, &iValue, 2000, 11000))
                    return false;
                o.colorTemp = quint16(iValue);
                return true;
            }
            if (!r.IntIn(tAttr, &iValue, 0, kGainMax))
                return false;
            if (iIndex == 2)
                o.coefRed = quint16(iValue);
            else if (iIndex == 3)
                o.coefGreen = quint16(iValue);
            else
                o.coefBlue = quint16(iValue);
            return true;
        });
        bFailed |= !bOk;
    }

    {
        const KeyReader r(kOutputCorr, "Gamma");
        ConfigKey_t tKey;
        const bool bOk = r.Fetch(*this, 3, tKey) && r.EachAttr(tKey, [&](int iIndex, const ConfigAttr_t &tAttr) {
            int iValue = 0;
            if (!r.IntIn(tAttr, &iValue, 1, 600))
                return false;
            if (iIndex == 0)
                o.gammaRed = quint16(iValue);
            else if (iIndex == 1)
                o.gammaGreen = quint16(iValue);
            else
                o.gammaBlue = quint16(iValue);
            return true;
        });
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
        return r.Range(tAttr, iValue, 0, kGainMax);
    case FA_GLOBAL:
        return r.Range(tAttr, iValue, 0, 100);
    case FA_BO_MODE:
    case FA_FAN_MODE:
        return r.Range(tAttr, iValue, 0, 1);
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
        for (const IndexedAttr_t &attr : InWrittenOrder(kGroup, tKey.attributes)) {
            const int iAttr = attr.first;
            const ConfigAttr_t &tAttr = *attr.second;
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
        for (const IndexedAttr_t &attr : InWrittenOrder(kFixture, tKey.attributes)) {
            const int iAttr = attr.first;
            const ConfigAttr_t &tAttr = *attr.second;
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
    return WriteFileSafely(qsPath, [this](QIODevice &device) {
        // Written into memory first: the writer hands the device every name and value on its
        // own, and a file takes each of those writes at a cost.
        QByteArray baXml;
        QXmlStreamWriter writer(&baXml);
        writer.setAutoFormatting(true);
        writer.setAutoFormattingIndent(4);
        writer.writeStartDocument(QStringLiteral("1.0"));
        WriteElement(writer, m_Document.documentElement());
        writer.writeEndDocument();
        return !writer.hasError() && device.write(baXml) == baXml.size();
    });
}
