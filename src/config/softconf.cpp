#include "softconf.h"

#include "trace/trace.h"

#include <algorithm>

namespace {

// Messages name the file by its bare name, whatever path was opened.
const char kFile[] = "Lantrel.xml";
const QString kFileName = QStringLiteral("Lantrel.xml");
const char kDefaultPassword[] = "804172";

} // namespace

// One history section and its trace wording. The entry-line prefixes take the key index.
struct SoftConfHistory_t
{
    const char *pszSection;
    const char *pszKey;
    const char *pszSectionLine;
    const char *pszCountPrefix;
    const char *pszOtherPrefix;
    const char *pszInfoLine;
    int iMaxEntries; // 0: no maximum traced
};

namespace {

const SoftConfHistory_t kEthIPs = {"Lasts_Eth_IPs",
                                   "IP",
                                   "Invalid configuration file for Last Ethernet IPs! (Section='%s' - Key='%s')",
                                   "Invalid configuration file for Last IP Nod %d!",
                                   "Invalid configuration file for Last IP Nod %d!",
                                   "        IP %d: %s",
                                   0};
const SoftConfHistory_t kProjects = {"Lasts_Projects",
                                     "Project",
                                     "Invalid configuration file for Lasts Projects! (Section='%s' - Key='%s')",
                                     "Invalid configuration file for Last Project Nod %d!",
                                     "Invalid configuration file for Last Project Nod %d!",
                                     "        Project %d: %s",
                                     10};
const SoftConfHistory_t kScripts = {"History_Scripts",
                                    "Script",
                                    "Invalid configuration file for Script History! (Section='%s' - Key='%s')",
                                    "Invalid configuration file for Last Script Nod %d!",
                                    "Invalid configuration file for Last Script Nod %d!",
                                    "        Script %d: %s",
                                    0};
const SoftConfHistory_t kSdramRead = {"History_Sdram_Read_File",
                                      "File",
                                      "Invalid configuration file for Sdram read History! (Section='%s' - Key='%s')",
                                      "Invalid configuration file for Last Sdram read Nod %d!",
                                      "Invalid configuration file for Last sdram read Nod %d!",
                                      "        File %d: %s",
                                      0};
const SoftConfHistory_t kSdramWrite = {"History_Sdram_Write_File",
                                       "File",
                                       "Invalid configuration file for Sdram write History! (Section='%s' - Key='%s')",
                                       "Invalid configuration file for Last Sdram write Nod %d!",
                                       "Invalid configuration file for Last sdram write Nod %d!",
                                       "        File %d: %s",
                                       0};

// The prefixes carry one %d: the key index.
QByteArray EntryPrefix(const char *pszPrefix, int iIndex)
{
    return QString::fromLatin1(pszPrefix).replace(QLatin1String("%d"), QString::number(iIndex)).toUtf8();
}

} // namespace

CSoftConf::CSoftConf() : m_qsFactoryPassword(QString::fromLatin1(kDefaultPassword))
{
    m_qsRootName = QStringLiteral("Lantrel");
}

int CSoftConf::Write()
{
    Clear();
    return CreateRoot();
}

int CSoftConf::ReadTracesSettings()
{
    ConfigKey_t key;
    const int iStatus = ReadKey(QStringLiteral("General"), QStringLiteral("Traces"), QString(), QString(), key);
    if (iStatus != 0) {
        TraceError("Invalid configuration file for Traces module! (Section='%s' - Key='%s')", "General", "Traces");
        return iStatus;
    }
    if (key.text != QLatin1String("yes"))
        return 0;
    int iResult = 0;
    for (const ConfigAttr_t &attr : key.attributes) {
        if (attr.name == QLatin1String("save")) {
            if (attr.value == QLatin1String("yes"))
                m_bTraceSave = true;
        } else if (attr.name == QLatin1String("fileSizeMB")) {
            bool bOk = false;
            const uint uValue = attr.value.toUInt(&bOk, 10);
            m_uTraceFileSizeMB = bOk ? uValue : 1;
            if (!bOk)
                TraceError("Invalid configuration file for Traces module! (Section='%s' - Key='%s' - Attr='%s') - '%s' "
                           "is not a valid unsigned long value!",
                           "General", "Traces", "fileSizeMB", U8(attr.value).constData());
        } else {
            TraceError("Invalid configuration file for Traces module! (Section='%s' - Key='%s') - Attr='%s' is not a "
                       "valid!",
                       "General", "Traces", U8(attr.name).constData());
            iResult = -21;
        }
    }
    m_bTraceEnabled = true;
    return iResult;
}

void CSoftConf::GetTracesSettings(int *piEnabled, int *piSave, unsigned int *puSizeMB) const
{
    *piEnabled = m_bTraceEnabled ? 1 : 0;
    *piSave = m_bTraceSave ? 1 : 0;
    *puSizeMB = m_uTraceFileSizeMB;
}

void CSoftConf::GetWelcomePage(QString &qsLogo, QString &qsInfo, QString &qsCodec) const
{
    qsLogo = m_qsCompanyLogo;
    qsInfo = m_qsCompanyInfo;
    qsCodec = m_qsCompanyInfoCodec;
}

void CSoftConf::GetUsbIds(quint16 *puVid, quint16 *puPid) const
{
    *puVid = m_uUsbVid;
    *puPid = m_uUsbPid;
}

int CSoftConf::Parse()
{
    TraceInfo("Parsing XML File...");
    ReadGeneral();
    ReadLastEthIPs();
    ReadWelcomePage();
    if (const int iStatus = ReadSensorTypes(); iStatus != 0)
        ErrorMsg(tr("Failed to load sensors type from configuration file!"), iStatus);
    if (const int iStatus = ReadFixtureTypes(); iStatus != 0)
        ErrorMsg(tr("Failed to load fixtures type in configuration file!"), iStatus);
    ReadLastProjects();
    ReadScriptsHistory();
    ReadSdramReadHistory();
    const int iResult = ReadSdramWriteHistory();
    TraceInfo("Parsing XML File...Done!");
    return iResult;
}

void CSoftConf::ReadGeneral()
{
    const QString qsGeneral = QStringLiteral("General");
    TraceInfo("    Section '%s'", "General");
    ConfigKey_t key;

    if (ReadKey(qsGeneral, QStringLiteral("Factory_mode"), QString(), QString(), key) == 0 &&
        key.text == QLatin1String("yes"))
        m_bFactoryMode = true;

    bool bDefaultPassword = true;
    if (ReadKey(qsGeneral, QStringLiteral("Factory_pwd"), QString(), QString(), key) != 0)
        TraceError("Invalid Factory Password in configuration file '%s' - Section '%s' - Key '%s' - Password not "
                   "defined! - Take default password!",
                   kFile, "General", "Factory_pwd");
    else if (key.text.length() < 6)
        TraceError("Invalid Factory Password in configuration file '%s' - Section '%s' - Key '%s' - Password too "
                   "short (<6 characters) - Take default password!",
                   kFile, "General", "Factory_pwd");
    else
        bDefaultPassword = false;
    if (bDefaultPassword) {
        m_qsFactoryPassword = QString::fromLatin1(kDefaultPassword);
        ErrorMsg(tr("Invalid Factory Password in configuration file - Take default!"), 0);
    } else {
        m_qsFactoryPassword = key.text;
    }

    bool bPresent = ReadKey(qsGeneral, QStringLiteral("USB_VID"), QString(), QString(), key) == 0;
    bool bOk = false;
    quint16 uValue = 0;
    if (bPresent) {
        uValue = key.text.toUShort(&bOk, 16);
        if (bOk)
            m_uUsbVid = uValue;
        else
            TraceError("Invalid configuration file '%s' - Section '%s' - Key '%s' - Invalid unsigned short value!",
                       kFile, "General", "USB_VID");
    }
    if (!bOk)
        TraceError("Invalid USB VID value in configuration file '%s' - Section '%s' - Key '%s' - Value '%s' - Take "
                   "default value!",
                   kFile, "General", "USB_VID", bPresent ? U8(key.text).constData() : "");
    TraceInfo("        %s = 0x%04X", "USB_VID", m_uUsbVid);

    bPresent = ReadKey(qsGeneral, QStringLiteral("USB_PID"), QString(), QString(), key) == 0;
    bOk = false;
    if (bPresent) {
        uValue = key.text.toUShort(&bOk, 16);
        if (bOk)
            m_uUsbPid = uValue;
        else
            TraceError("Invalid unsigned short value '%s' for '%s'", U8(key.text).constData(), "USB_PID");
    }
    if (!bOk)
        TraceError("Invalid value in configuration file '%s' - Section '%s' - Key '%s' - Value '%s' - Take default "
                   "value!",
                   kFile, "General", "USB_PID", bPresent ? U8(key.text).constData() : "");
    TraceInfo("        %s = 0x%04X", "USB_PID", m_uUsbPid);

    TraceInfo("        %s = 0x%04X", "ETH_TCP_Port", m_uTcpPort);
}

void CSoftConf::ReadWelcomePage()
{
    const QString qsSection = QStringLiteral("WelcomePage");
    TraceInfo("    Section '%s'", "WelcomePage");
    ConfigKey_t key;
    if (ReadKey(qsSection, QStringLiteral("CompanyLogo"), QString(), QString(), key) == 0) {
        TraceInfo("        Company Logo File: %s", U8(key.text).constData());
        m_qsCompanyLogo = key.text;
    } else {
        TraceError("Invalid configuration file for '%s' section and '%s' key!", "WelcomePage", "CompanyLogo");
    }
    if (ReadKey(qsSection, QStringLiteral("CompanyInfo"), QString(), QString(), key) != 0)
        return;
    if (key.attributes.size() == 1 && key.attributes.first().name == QLatin1String("codec"))
        m_qsCompanyInfoCodec = key.attributes.first().value;
    else
        TraceError("Invalid configuration file for '%s' section and '%s' key! (Attribute 'codec' is not defined)",
                   "WelcomePage", "CompanyInfo");
    m_qsCompanyInfo = key.text;
    TraceInfo("        Company Information File: %s", U8(key.text).constData());
    TraceInfo("        Company Information File Codec: %s", U8(m_qsCompanyInfoCodec).constData());
}

// ---------------------------------------------------------------------------------------------
// Catalogue

int CSoftConf::ReadSensorTypes()
{
    const QString qsSection = QStringLiteral("Sensors");
    const QString qsKey = QStringLiteral("Sensor");
    TraceInfo("    Section '%s'", "Sensors");
    m_SensorTypes.clear();
    QList<ConfigKey_t> keys;
    if (const int iStatus = ReadKeys(qsSection, qsKey, QString(), QString(), keys); iStatus != 0) {
        TraceError("Invalid Sensor Types in configuration file '%s' - Section '%s' - Key '%s'!", kFile, "Sensors",
                   "Sensor");
        return iStatus;
    }
    for (int i = 0; i < keys.size(); ++i) {
        const ConfigKey_t &key = keys.at(i);
        if (key.attributes.size() != 5) {
            TraceError(
                "Invalid Sensor Type in configuration file '%s' - Section '%s' - Key '%s' - Sensor %d requires 5 "
                "attributes!",
                kFile, "Sensors", "Sensor", i);
            return -23;
        }
        if (key.text.isEmpty() || key.text.length() > 32) {
            TraceError("Invalid Sensor Type in configuration file '%s' - Section '%s' - Key '%s' - Sensor %d - Name "
                       "size is not valid (<1 or >32)!",
                       kFile, "Sensors", "Sensor", i);
            return -21;
        }
        const QByteArray name = U8(key.text);
        const bool bDuplicate = std::any_of(m_SensorTypes.cbegin(), m_SensorTypes.cend(),
                                            [&](const SensorType_t &t) { return t.name == key.text; });
        if (bDuplicate) {
            TraceError("        Sensor %d: Sensor name '%s' is already defined!", i, name.constData());
            return -21;
        }
        SensorType_t sensor;
        sensor.name = key.text;
        QString qsType;
        int iStatus = GetAttrString(kFileName, qsSection, qsKey, QStringLiteral("Type"), key.attributes, &qsType,
                                    QString(), false, 0, 0);
        if (iStatus != 0) {
            TraceError("        Sensor '%s': Configuration is not valid!", name.constData());
            return iStatus;
        }
        static const char *const kKinds[] = {"none", "temp", "humi", "lumi"};
        const auto *pKind = std::find_if(std::begin(kKinds), std::end(kKinds),
                                         [&](const char *psz) { return qsType == QLatin1String(psz); });
        if (pKind == std::end(kKinds)) {
            TraceError("        Sensor '%s': Configuration is not valid! - Type is not valid!", name.constData());
            return -21;
        }
        sensor.kind = static_cast<quint16>(pKind - std::begin(kKinds));
        const struct
        {
            const char *pszAttr;
            float *pfOut;
            bool bRange;
        } floats[] = {{"VInMax", &sensor.VInMax, true},
                      {"VInMin", &sensor.VInMin, true},
                      {"SensorMax", &sensor.SensorMax, false},
                      {"SensorMin", &sensor.SensorMin, false}};
        for (const auto &f : floats) {
            iStatus = GetAttrFloat(kFileName, qsSection, qsKey, QLatin1String(f.pszAttr), key.attributes, f.pfOut, 0.0f,
                                   f.bRange, 0.0f, 3.3f);
            if (iStatus != 0) {
                TraceError("        Sensor %d: Attribute '%s' is not valid!", i, f.pszAttr);
                return iStatus;
            }
        }
        m_SensorTypes.append(sensor);
        TraceInfo("        Sensor %d: Name='%s' - Type=%d (0:none, 1:temp, 2:humi, 3:lumi) - VInMin=%f - VInMax=%f - "
                  "SensorMin=%f - SensorMax=%f",
                  i, name.constData(), sensor.kind, double(sensor.VInMin), double(sensor.VInMax),
                  double(sensor.SensorMin), double(sensor.SensorMax));
    }
    return 0;
}

int CSoftConf::ReadFixtureTypes()
{
    const QString qsSection = QStringLiteral("Fixtures");
    const QString qsKey = QStringLiteral("Fixture");
    TraceInfo("    Section '%s'", "Fixtures");
    m_FixtureTypes.clear();
    QList<ConfigKey_t> keys;
    if (const int iStatus = ReadKeys(qsSection, qsKey, QString(), QString(), keys); iStatus != 0) {
        TraceError("Invalid Fixture Types in configuration file '%s' - Section '%s' - Key '%s'!", kFile, "Fixtures",
                   "Fixture");
        return iStatus;
    }
    for (int i = 0; i < keys.size(); ++i) {
        const ConfigKey_t &key = keys.at(i);
        if (key.attributes.size() != 12) {
            TraceError("Invalid Fixture Types in configuration file '%s' - Section '%s' - Key '%s' - Fixture %d "
                       "requires 12 attributes!",
                       kFile, "Fixtures", "Fixture", i);
            return -23;
        }
        if (key.text.isEmpty() || key.text.length() > 32) {
            TraceError("Invalid Fixture Types in configuration file '%s' - Section '%s' - Key '%s' - Fixture %d - Name "
                       "size is not valid (<1 or >32)!",
                       kFile, "Fixtures", "Fixture", i);
            return -21;
        }
        FixtureType_t fixture;
        fixture.name = key.text;
        auto invalid = [i](int iStatus) {
            TraceError("        Fixture %d: Configuration is not valid!", i);
            return iStatus;
        };
        int iStatus = GetAttrInt(kFileName, qsSection, qsKey, QStringLiteral("width"), key.attributes, &fixture.width,
                                 0, true, 16, 128);
        if (iStatus == 0)
            iStatus = GetAttrInt(kFileName, qsSection, qsKey, QStringLiteral("height"), key.attributes, &fixture.height,
                                 0, true, 16, 128);
        if (iStatus == 0)
            iStatus = GetAttrUInt(kFileName, qsSection, qsKey, QStringLiteral("type"), key.attributes, 16,
                                  &fixture.type, 0, false, 0, 0);
        if (iStatus != 0)
            return invalid(iStatus);
        // Codes compare as numbers: "10" and "0x10" are the same type.
        const bool bDuplicate = std::any_of(m_FixtureTypes.cbegin(), m_FixtureTypes.cend(),
                                            [&](const FixtureType_t &t) { return t.type == fixture.type; });
        if (bDuplicate) {
            TraceError("        Fixture %d: Fixture type is already defined 0x%08X!", i, fixture.type);
            return -21;
        }
        iStatus = GetAttrUInt(kFileName, qsSection, qsKey, QStringLiteral("manufacturer"), key.attributes, 16,
                              &fixture.manufacturer, 0, false, 0, 0);
        if (iStatus != 0)
            return invalid(iStatus);

        int iMinX = 256, iMinY = 256, iMaxRight = -1, iMaxBottom = -1;
        for (int n = 0; n < kFixtureTileCount; ++n) {
            const QString qsAttr = QStringLiteral("Tile%1").arg(n + 1);
            const QByteArray attr = U8(qsAttr);
            QString qsTile;
            iStatus =
                GetAttrString(kFileName, qsSection, qsKey, qsAttr, key.attributes, &qsTile, QString(), true, 7, 11);
            if (iStatus != 0)
                return invalid(iStatus);
            const QStringList fields = qsTile.split(QLatin1Char(','), Qt::KeepEmptyParts);
            if (fields.size() != 4) {
                TraceError("Invalid Fixture configuration in configuration file '%s' - Section '%s' - Key '%s' - "
                           "Fixture %d - Invalid attribute '%s' - field number is diferent of 4!",
                           kFile, "Fixtures", "Fixture", i, attr.constData());
                return -21;
            }
            bool bOk = false;
            const int w = fields.at(0).toInt(&bOk, 10);
            if (!bOk || w < 0 || w > 64) {
                TraceError("Invalid Fixture configuration in configuration file '%s' - Section '%s' - Key '%s' - "
                           "Fixture %d - Invalid attribute '%s' - Width is not in range [%d;%d]!",
                           kFile, "Fixtures", "Fixture", i, attr.constData(), 0, 64);
                return -21;
            }
            const int h = fields.at(1).toInt(&bOk, 10);
            if (!bOk || h < 0 || h > 64) {
                TraceError("Invalid Fixture configuration in configuration file '%s' - Section '%s' - Key '%s' - "
                           "Fixture %d - Invalid attribute '%s' - Height is not in range [%d;%d]!",
                           kFile, "Fixtures", "Fixture", i, attr.constData(), 0, 64);
                return -21;
            }
            const int x = fields.at(2).toInt(&bOk, 10);
            if (!bOk || x < 0 || x + w > 128) {
                TraceError("Invalid Fixture configuration in configuration file '%s' - Section '%s' - Key '%s' - "
                           "Fixture %d - Invalid attribute '%s' - Width+XOffset is not in range [%d;%d]!",
                           kFile, "Fixtures", "Fixture", i, attr.constData(), 0, 128);
                return -21;
            }
            const int y = fields.at(3).toInt(&bOk, 10);
            if (!bOk || y < 0 || y + h > 128) {
                TraceError("Invalid Fixture configuration in configuration file '%s' - Section '%s' - Key '%s' - "
                           "Fixture %d - Invalid attribute '%s' - Height+YOffset is not in range [%d;%d]!",
                           kFile, "Fixtures", "Fixture", i, attr.constData(), 0, 128);
                return -21;
            }
            fixture.tiles[n] = {quint8(w), quint8(h), quint8(x), quint8(y)};
            iMinX = std::min(iMinX, x);
            iMinY = std::min(iMinY, y);
            iMaxRight = std::max(iMaxRight, x + w);
            iMaxBottom = std::max(iMaxBottom, y + h);
        }
        if (iMaxRight - iMinX > fixture.width) {
            TraceError("Invalid Fixture configuration in configuration file '%s' - Fixture %d - Tiles are not included "
                       "in fixture's width!",
                       kFile, i);
            return -21;
        }
        if (iMaxBottom - iMinY > fixture.height) {
            TraceError("Invalid Fixture configuration in configuration file '%s' - Fixture %d - Tiles are not included "
                       "in fixture's height!",
                       kFile, i);
            return -21;
        }
        if (iMinX != 0 || iMinY != 0)
            WarningMsg(tr("Warning"), tr("Fixture's Tiles may be badly configured!") + QLatin1Char('\n') +
                                          tr("There is no tiles configured to display the top-left corner pixel(s) "
                                             "of VPU video output!"));

        for (int n = 0; n < kFixtureSensorCount; ++n) {
            const QString qsAttr = QStringLiteral("SensorIdCh%1").arg(n);
            fixture.sensors[n] = SensorType_t();
            QString qsName;
            iStatus =
                GetAttrString(kFileName, qsSection, qsKey, qsAttr, key.attributes, &qsName, QString(), true, 1, 32);
            if (iStatus != 0) {
                TraceError("Invalid Fixture configuration in configuration file '%s' - Section '%s' - Key '%s' - "
                           "Fixture %d - Invalid attribute '%s' - attribute length is not in range [1;32]!",
                           kFile, "Fixtures", "Fixture", i, U8(qsAttr).constData());
                return -21;
            }
            if (qsName == QLatin1String("NC"))
                continue;
            const auto it = std::find_if(m_SensorTypes.cbegin(), m_SensorTypes.cend(),
                                         [&](const SensorType_t &t) { return t.name == qsName; });
            if (it == m_SensorTypes.cend()) {
                TraceError("Invalid Fixture configuration in configuration file '%s' - Section '%s' - Key '%s' - "
                           "Fixture %d - Invalid sensor name '%s' - Not defined in '%s' section!",
                           kFile, "Fixtures", "Fixture", i, U8(qsName).constData(), "Sensors");
                return -21;
            }
            fixture.sensors[n] = *it;
        }
        m_FixtureTypes.append(fixture);

        QString qsTiles;
        for (int n = 0; n < kFixtureTileCount; ++n) {
            const FixtureTile_t t = fixture.tiles[n];
            qsTiles +=
                QString::asprintf(" - Tile%d=%02d,%02d,%02d,%02d", n + 1, t.width, t.height, t.xOffset, t.yOffset);
        }
        TraceInfo("        Fixture %d: Name='%s' - Width=%d - Height=%d - Type=0x%08X - Manufacturer=0x%08X%s - "
                  "Sensors='%s','%s','%s','%s'",
                  i, U8(fixture.name).constData(), fixture.width, fixture.height, fixture.type, fixture.manufacturer,
                  U8(qsTiles).constData(), U8(fixture.sensors[0].name).constData(),
                  U8(fixture.sensors[1].name).constData(), U8(fixture.sensors[2].name).constData(),
                  U8(fixture.sensors[3].name).constData());
    }
    return 0;
}

int CSoftConf::GetFixtureType(quint32 uType, FixtureType_t *pOut) const
{
    for (const FixtureType_t &fixture : m_FixtureTypes) {
        if (fixture.type == uType) {
            *pOut = fixture;
            return 0;
        }
    }
    return -50;
}

void CSoftConf::GetSensorTypes(QList<SensorType_t> &lOut) const
{
    lOut.clear();
    lOut.append(m_SensorTypes);
}

// ---------------------------------------------------------------------------------------------
// Histories

int CSoftConf::ReadHistory(const SoftConfHistory_t &def, QStringList &lList)
{
    TraceInfo("    Section '%s'", def.pszSection);
    lList.clear();
    QList<ConfigKey_t> keys;
    if (const int iStatus =
            ReadKeys(QLatin1String(def.pszSection), QLatin1String(def.pszKey), QString(), QString(), keys);
        iStatus != 0) {
        TraceError("%s", QString::asprintf(def.pszSectionLine, def.pszSection, def.pszKey).toUtf8().constData());
        return iStatus;
    }
    const int n = keys.size();
    if (def.iMaxEntries > 0 && n > def.iMaxEntries)
        TraceError("Invalid configuration file for Lasts Projects! (Section='%s' - Key='%s') - Number of last project "
                   "(%d) exceed the maximum number of %d",
                   def.pszSection, def.pszKey, n, def.iMaxEntries);
    QStringList lEntries;
    for (int i = 0; i < n; ++i)
        lEntries.append(QString());
    // The keys' order carries no meaning: each is placed by its id, and the ids must be
    // exactly 0..n-1. The first bad key leaves the whole history empty.
    for (int i = 0; i < n; ++i) {
        const ConfigKey_t &key = keys.at(i);
        if (key.attributes.size() != 1) {
            TraceError("%s (Number of attributes different of 1)", EntryPrefix(def.pszCountPrefix, i).constData());
            return -23;
        }
        if (key.attributes.first().name != QLatin1String("id")) {
            TraceError("%s (attribute name is not '%s')", EntryPrefix(def.pszOtherPrefix, i).constData(), "id");
            return -23;
        }
        bool bOk = false;
        const int iId = key.attributes.first().value.toInt(&bOk, 10);
        if (!bOk || iId < 0 || iId >= n) {
            TraceError("%s (attribute 'id' value is not valid)", EntryPrefix(def.pszOtherPrefix, i).constData());
            return -21;
        }
        if (!lEntries.at(iId).isEmpty()) {
            TraceError("%s (Duplicate nod with attribute 'id' = %d)", EntryPrefix(def.pszOtherPrefix, i).constData(),
                       iId);
            return -21;
        }
        TraceInfo("%s", QString::asprintf(def.pszInfoLine, i, U8(key.text).constData()).toUtf8().constData());
        lEntries[iId] = key.text;
    }
    lList = lEntries;
    return 0;
}

void CSoftConf::UpdateHistory(const SoftConfHistory_t &def, QStringList &lList, const QStringList &lNew)
{
    TraceInfo("Update Section '%s'", def.pszSection);
    lList = lNew;
    const QString qsSection = QLatin1String(def.pszSection);
    const QString qsKey = QLatin1String(def.pszKey);
    if (RemoveKeys(qsSection, qsKey, QString(), QString()) != 0)
        return;
    QList<ConfigKey_t> keys;
    for (int i = 0; i < lNew.size(); ++i) {
        ConfigKey_t key;
        key.attributes.append({QStringLiteral("id"), QString::number(i)});
        key.text = lNew.at(i);
        MakeRelativePath(key.text);
        keys.append(key);
    }
    WriteKeys(qsSection, qsKey, keys);
}

int CSoftConf::ReadLastEthIPs()
{
    return ReadHistory(kEthIPs, m_LastEthIPs);
}

int CSoftConf::ReadLastProjects()
{
    return ReadHistory(kProjects, m_LastProjects);
}

int CSoftConf::ReadScriptsHistory()
{
    return ReadHistory(kScripts, m_ScriptsHistory);
}

int CSoftConf::ReadSdramReadHistory()
{
    return ReadHistory(kSdramRead, m_SdramReadHistory);
}

int CSoftConf::ReadSdramWriteHistory()
{
    return ReadHistory(kSdramWrite, m_SdramWriteHistory);
}

void CSoftConf::UpdateLastEthIPs(const QStringList &lList)
{
    UpdateHistory(kEthIPs, m_LastEthIPs, lList);
}

void CSoftConf::UpdateLastProjects(const QStringList &lList)
{
    UpdateHistory(kProjects, m_LastProjects, lList);
}

void CSoftConf::UpdateScriptsHistory(const QStringList &lList)
{
    UpdateHistory(kScripts, m_ScriptsHistory, lList);
}

void CSoftConf::UpdateSdramReadHistory(const QStringList &lList)
{
    UpdateHistory(kSdramRead, m_SdramReadHistory, lList);
}

void CSoftConf::UpdateSdramWriteHistory(const QStringList &lList)
{
    UpdateHistory(kSdramWrite, m_SdramWriteHistory, lList);
}
