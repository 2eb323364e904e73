#include "mainwindow/errorcodes.h"

#include <QCoreApplication>

namespace {

struct ErrorCode_t
{
    int iCode;
    const char *pcText;
};

// Source texts for the translator; looked up in the general QObject context.
constexpr ErrorCode_t kErrorCodes[] = {
    {-2, QT_TRANSLATE_NOOP("QObject", "Memory allocation failed!")},
    {-3, QT_TRANSLATE_NOOP("QObject", "Communication with VPU failed!")},
    {-4, QT_TRANSLATE_NOOP("QObject", "Invalid parameter!")},
    {-5, QT_TRANSLATE_NOOP("QObject", "Resource not available!")},
    {-6, QT_TRANSLATE_NOOP("QObject", "Directory creation failed!")},
    {-8, QT_TRANSLATE_NOOP("QObject", "Invalid file name!")},
    {-9, QT_TRANSLATE_NOOP("QObject", "File does not exist!")},
    {-10, QT_TRANSLATE_NOOP("QObject", "File open failed!")},
    {-11, QT_TRANSLATE_NOOP("QObject", "Invalid file size!")},
    {-12, QT_TRANSLATE_NOOP("QObject", "File read error!")},
    {-13, QT_TRANSLATE_NOOP("QObject", "File save error!")},
    {-14, QT_TRANSLATE_NOOP("QObject", "File data error!")},
    {-15, QT_TRANSLATE_NOOP("QObject", "Action cancelled!")},
    {-16, QT_TRANSLATE_NOOP("QObject", "Invalid preset number!")},
    {-20, QT_TRANSLATE_NOOP("QObject", "Xml configuration file data error!")},
    {-21, QT_TRANSLATE_NOOP("QObject", "Invalid Xml value!")},
    {-22, QT_TRANSLATE_NOOP("QObject", "Duplicate xml value!")},
    {-23, QT_TRANSLATE_NOOP("QObject", "Xml attribute error!")},
    {-50, QT_TRANSLATE_NOOP("QObject", "Unknown fixture type!")},
    {-51, QT_TRANSLATE_NOOP("QObject", "Fixture does not fit in scene!")},
    {-60, QT_TRANSLATE_NOOP("QObject", "Gain data error!")},
    {-61, QT_TRANSLATE_NOOP("QObject", "Fixture is not configured correctly for gain tables programmation!")},
    {-70, QT_TRANSLATE_NOOP("QObject", "Bootloader error on send command!")},
    {-71, QT_TRANSLATE_NOOP("QObject", "Bootloader receive timeout!")},
    {-72, QT_TRANSLATE_NOOP("QObject", "Bootloader CRC error!")},
    {-100, QT_TRANSLATE_NOOP("QObject", "Memory allocation failed on VPU!")},
    {-101, QT_TRANSLATE_NOOP("QObject", "Fixture response timeout!")},
    {-200, QT_TRANSLATE_NOOP("QObject", "Failed to connect to VPU!")},
    {-201, QT_TRANSLATE_NOOP("QObject", "Invalid parameter in communication with VPU!")},
    {-202, QT_TRANSLATE_NOOP("QObject", "Communication timeout with VPU!")},
    {-203, QT_TRANSLATE_NOOP("QObject", "Invalid message received!")},
    {-204, QT_TRANSLATE_NOOP("QObject", "Invalid message length!")},
    {-205, QT_TRANSLATE_NOOP("QObject", "Unknown command!")},
    {-206, QT_TRANSLATE_NOOP("QObject", "Device not found!")},
    {-207, QT_TRANSLATE_NOOP("QObject", "Failed to close connection!")},
    {-250, QT_TRANSLATE_NOOP("QObject", "Read-Only flash area!")},
    {-251, QT_TRANSLATE_NOOP("QObject", "VPU Flash error!")},
    {-260, QT_TRANSLATE_NOOP("QObject", "Invalid MCU flash offset!")},
    {-261, QT_TRANSLATE_NOOP("QObject", "MCU flash access error!")},
    {-300, QT_TRANSLATE_NOOP("QObject", "Fixture NAK response!")},
    {-301, QT_TRANSLATE_NOOP("QObject", "Fixture doesn't respond!")},
    {-302, QT_TRANSLATE_NOOP("QObject", "Incomplete fixture response!")},
    {-400, QT_TRANSLATE_NOOP("QObject", "Invalid DMX configuration!")},
    {-401, QT_TRANSLATE_NOOP("QObject", "DMX command number to high!")},
    {-402, QT_TRANSLATE_NOOP("QObject", "Invalid DMX value!")},
    {-500, QT_TRANSLATE_NOOP("QObject", "Invalid Video Preset!")},
};
static_assert(sizeof(kErrorCodes) / sizeof(kErrorCodes[0]) == 46);

} // namespace

QString ErrorCodeText(int iCode)
{
    for (const ErrorCode_t &entry : kErrorCodes) {
        if (entry.iCode == iCode)
            return QCoreApplication::translate("QObject", entry.pcText);
    }
    return QString();
}

QString ErrorCodeDetail(int iCode)
{
    const QString qsText = ErrorCodeText(iCode);
    if (qsText.isEmpty())
        return QString();
    return QCoreApplication::translate("Zelvor", "(Error Code = %1) - ").arg(iCode) + qsText;
}
