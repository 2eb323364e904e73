// Arbitrary bytes as "Lantrel.xml" and as a DMX mapping file: opening and parsing must never
// crash, whatever the file holds. The first byte picks the input form: the raw bytes, or one
// of the built-in valid files with bytes of the input spliced in, so that random input also
// reaches the readers behind the XML parser.
#include "config/dmxconf.h"
#include "config/softconf.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstddef>
#include <cstdint>

namespace {

const char kSoftSeed[] =
    "<Lantrel><General><Traces save='yes' fileSizeMB='1'>yes</Traces><Factory_mode>yes</Factory_mode>"
    "<Factory_pwd>123456</Factory_pwd><USB_VID>0x04D8</USB_VID><USB_PID>204</USB_PID></General>"
    "<WelcomePage><CompanyLogo>l.png</CompanyLogo><CompanyInfo codec='UTF-8'>i.txt</CompanyInfo></WelcomePage>"
    "<Sensors><Sensor Type='temp' VInMax='1.5' VInMin='0.1' SensorMax='125' SensorMin='-40'>T</Sensor></Sensors>"
    "<Fixtures><Fixture width='128' height='64' type='0x10000001' manufacturer='1' Tile1='64,64,0,0' "
    "Tile2='64,64,64,0' Tile3='0,0,0,0' Tile4='8,8,8,8' SensorIdCh0='T' SensorIdCh1='NC' SensorIdCh2='NC' "
    "SensorIdCh3='NC'>F</Fixture></Fixtures>"
    "<Lasts_Eth_IPs><IP id='1'>b</IP><IP id='0'>a</IP></Lasts_Eth_IPs>"
    "<Lasts_Projects><Project id='0'>p</Project></Lasts_Projects>"
    "<History_Scripts><Script id='0'>s</Script></History_Scripts>"
    "<History_Sdram_Read_File><File id='0'>r</File></History_Sdram_Read_File>"
    "<History_Sdram_Write_File><File id='0'>w</File></History_Sdram_Write_File></Lantrel>";

const char kDmxSeed[] = "<DMX_Mapping><Commands><dmx_command channel='1'>Enable</dmx_command>"
                        "<dmx_command channel='11'>Gamma</dmx_command>"
                        "<dmx_command channel='509'>Color Temperature</dmx_command></Commands></DMX_Mapping>";

// A few pairs of (position, byte) from the input overwrite the seed: enough to break one
// value or tag at a time, few enough to leave the rest of the file valid.
QByteArray Splice(const char *pszSeed, const uint8_t *data, size_t size, size_t pairs)
{
    QByteArray out(pszSeed);
    for (size_t i = 0; i + 1 < size && i < 2 * pairs; i += 2)
        out[int((data[i] * 7u + i) % uint(out.size()))] = char(data[i + 1]);
    return out;
}

QString Path()
{
    static const QString qsPath =
        QDir::tempPath() + QStringLiteral("/fuzz_config_%1.xml").arg(QCoreApplication::applicationPid());
    return qsPath;
}

bool WriteInput(const QByteArray &bytes)
{
    QFile file(Path());
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

void RunSoftConf()
{
    CSoftConf conf;
    conf.Open(Path());
    conf.ReadTracesSettings();
    conf.Parse();
    if (!conf.HasRoot())
        conf.CreateRoot();
    FixtureType_t type;
    conf.GetFixtureType(0x10000001, &type);
    QStringList list;
    conf.GetLastProjects(list);
    list.prepend(QStringLiteral("x"));
    conf.UpdateLastProjects(list);
}

void RunDmx()
{
    CDmxConf conf;
    conf.Open(Path());
    if (conf.Parse() == 0) {
        // A mapping the reader accepted must be written back without refusal.
        QList<DMX_Mapping_t> list;
        conf.GetCommands(list);
        if (conf.Write() != 0)
            __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_config";
    static char *argv[] = {name, nullptr};
    static QCoreApplication *pApp = new QCoreApplication(argc, argv);
    Q_UNUSED(pApp);
    if (size == 0)
        return 0;
    const uint8_t mode = data[0] % 4;
    const size_t pairs = 1 + (data[0] >> 2) % 8;
    ++data;
    --size;
    QByteArray bytes;
    switch (mode) {
    case 0:
    case 1:
        bytes = QByteArray(reinterpret_cast<const char *>(data), int(size));
        break;
    case 2:
        bytes = Splice(kSoftSeed, data, size, pairs);
        break;
    default:
        bytes = Splice(kDmxSeed, data, size, pairs);
        break;
    }
    if (!WriteInput(bytes))
        return 0;
    if (mode == 0 || mode == 2)
        RunSoftConf();
    else
        RunDmx();
    return 0;
}
