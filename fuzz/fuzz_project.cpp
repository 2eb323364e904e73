// Arbitrary bytes as a project file: opening and parsing must never crash, and a project the
// reader accepts must be written, read back without refusal and written again to the same
// bytes. The first byte picks the input form: the raw bytes, or a valid project with bytes of
// the input spliced in, so that random input also reaches the section readers.
#include "config/softconf.h"
#include "project/projectconf.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstddef>
#include <cstdint>

namespace {

const char kCatalogue[] =
    "<Lantrel><General><Traces save='no' fileSizeMB='1'>no</Traces></General><Sensors/><Fixtures>"
    "<Fixture width='128' height='64' type='0x00000002' manufacturer='1' Tile1='64,64,0,0' Tile2='64,64,64,0' "
    "Tile3='0,0,0,0' Tile4='0,0,0,0' SensorIdCh0='NC' SensorIdCh1='NC' SensorIdCh2='NC' SensorIdCh3='NC'>L</Fixture>"
    "<Fixture width='64' height='64' type='0x10000001' manufacturer='1' Tile1='64,64,0,0' Tile2='0,0,0,0' "
    "Tile3='0,0,0,0' Tile4='0,0,0,0' SensorIdCh0='NC' SensorIdCh1='NC' SensorIdCh2='NC' SensorIdCh3='NC'>S</Fixture>"
    "</Fixtures></Lantrel>";

const char kProjectSeed[] =
    "<ProjectConfig><Workspace>"
    "<border show='true' top-left_hor='10' top-left_ver='20' width='1000' height='500'/>"
    "<grid show='true' spacing='64'/>"
    "<Background show='true' top-left_hor='0' top-left_ver='0' width='1920' height='1080' ratio='resize'>b.png"
    "</Background></Workspace><Video_Input><source>HDMI1</source><rotation>-90</rotation>"
    "<resize type='custom' std_format='HD720_1280x720' width='1280' height='720'/>"
    "<top-left-pos hor='100' ver='50'>true</top-left-pos></Video_Input>"
    "<InputCorr><Brightness>100</Brightness><Contrast>140</Contrast><Hue>5</Hue><Saturation>200</Saturation>"
    "</InputCorr><OutputCorr><ColorTemp mode='custom' temperature='3200' coeff_red='512' coeff_green='254' "
    "coeff_blue='97'/><Gamma coeff_red='220' coeff_green='230' coeff_blue='240'/></OutputCorr><Fixtures>"
    "<Group id='1' X_pos='100' Y_pos='100' X_anchor='150' Y_anchor='120' rotation='45'>G</Group>"
    "<Fixture type='0x00000002' chn='1' cabling_pos='1' X_pos='100' Y_pos='101' X_anchor='150' Y_anchor='120' "
    "rotation='0' group='1' lumi_red='500' lumi_green='400' lumi_blue='300' lumi_global='80' blackout_mode='0' "
    "blackout_on='90' blackout_off='80' fan_mode='0' fan_on='60' fan_off='50'/>"
    "<Fixture type='0x00000002' chn='1' cabling_pos='2' X_pos='228' Y_pos='101' X_anchor='291' Y_anchor='130' "
    "rotation='0' group='1' lumi_red='512' lumi_green='512' lumi_blue='512' lumi_global='100' blackout_mode='0' "
    "blackout_on='90' blackout_off='80' fan_mode='0' fan_on='60' fan_off='50'/>"
    "<Fixture type='0x10000001' chn='0' cabling_pos='300' X_pos='1500' Y_pos='800' X_anchor='1532' "
    "Y_anchor='832' rotation='180' group='0' lumi_red='0' lumi_green='0' lumi_blue='0' lumi_global='0' "
    "blackout_mode='1' blackout_on='-5' blackout_off='-10' fan_mode='1' fan_on='45' fan_off='40'/>"
    "</Fixtures></ProjectConfig>";

// A few pairs of (position, byte) from the input overwrite the seed: enough to break one value
// or tag at a time, few enough to leave the rest of the file valid. Most replacement bytes are
// drawn from the characters numbers and names are made of, so that many edits still give a
// file the reader accepts and the write-back check gets to run.
QByteArray Splice(const char *pszSeed, const uint8_t *data, size_t size, size_t pairs)
{
    static const char kAlphabet[] = "0123456789012345678901234567890123456789-+xXaAfF <>/'=&;";
    QByteArray out(pszSeed);
    for (size_t i = 0; i + 2 < size && i < 3 * pairs; i += 3) {
        const uint uPos = (uint(data[i]) << 8 | data[i + 1]) % uint(out.size());
        const uint8_t byte = data[i + 2];
        out[int(uPos)] = (byte & 0x80) ? char(byte) : kAlphabet[byte % (sizeof(kAlphabet) - 1)];
    }
    return out;
}

QString TempPath(const char *pszName)
{
    return QDir::tempPath() +
           QStringLiteral("/fuzz_project_%1_%2").arg(QCoreApplication::applicationPid()).arg(QLatin1String(pszName));
}

bool WriteFile(const QString &qsPath, const QByteArray &bytes)
{
    QFile file(qsPath);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray ReadFile(const QString &qsPath)
{
    QFile file(qsPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Setup()
{
    WriteFile(TempPath("Lantrel.xml"), kCatalogue);
    g_SoftConf.Open(TempPath("Lantrel.xml"));
    g_SoftConf.Parse();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_project";
    static char *argv[] = {name, nullptr};
    static QCoreApplication *pApp = new QCoreApplication(argc, argv);
    static const bool bSetup = (Setup(), true);
    Q_UNUSED(pApp);
    Q_UNUSED(bSetup);
    if (size == 0)
        return 0;
    const bool bRaw = (data[0] & 7) == 0;
    const size_t pairs = 1 + (data[0] >> 3) % 2;
    ++data;
    --size;
    const QByteArray bytes =
        bRaw ? QByteArray(reinterpret_cast<const char *>(data), int(size)) : Splice(kProjectSeed, data, size, pairs);
    const QString qsIn = TempPath("in.prj");
    const QString qsOut = TempPath("out.prj");
    if (!WriteFile(qsIn, bytes))
        return 0;
    g_ProjectConf.Open(qsIn);
    if (g_ProjectConf.Parse() != 0)
        return 0;
    // What the reader accepted, the writer writes and the reader accepts again, unchanged.
    if (g_ProjectConf.Write() != 0 || g_ProjectConf.Save(qsOut) != 0)
        __builtin_trap();
    const QByteArray first = ReadFile(qsOut);
    if (g_ProjectConf.Open(qsOut) != 0 || g_ProjectConf.Parse() != 0)
        __builtin_trap();
    if (g_ProjectConf.Write() != 0 || g_ProjectConf.Save(qsOut) != 0 || ReadFile(qsOut) != first)
        __builtin_trap();
    return 0;
}
