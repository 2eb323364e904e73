#pragma once
// The MCU firmware as an Intel HEX file, for the bootloader: record by record for the
// program commands (each record's bytes go to the device unchanged) and as a whole, as the
// image of the MCU's program flash whose range and CRC the verify command carries.
// The whole file is read and checked when it is opened, so a damaged file is refused before
// the device is erased; both uses then read the same checked records. Owned by CBootLoader.

#include <QByteArray>
#include <QString>
#include <QVector>

class CHexFile
{
public:
    // The image stands for the device addresses 0x9D000000 to 0x9D4FFFFF.
    static constexpr quint32 IMAGE_BASE = 0x9D000000u;
    static constexpr quint32 IMAGE_SIZE = 0x500000u;
    // From here up lie the boot and configuration area, which the bootloader does not program.
    static constexpr quint32 BOOT_AREA = 0x9FC00000u;

    // Results of Open and Parse.
    static constexpr int HEX_OK = 0;
    static constexpr int HEX_ERR_OPEN = -1;   // the file cannot be opened or read
    static constexpr int HEX_ERR_FORMAT = -2; // the file is not a valid Intel HEX file

    // The largest record in byte form: count, address (2), type, 255 data bytes, checksum.
    static constexpr int MAX_RECORD_BYTES = 260;

    CHexFile() = default;

    // Reads and checks the whole file. 0, -1 when it cannot be opened, -2 when a line is
    // not a valid record (traced with its line number). On failure no file stays open.
    int Open(const QString &qsPath);
    // The same for a file's contents already in memory.
    int Parse(const QByteArray &baText);
    void Close();
    bool IsOpen() const { return m_bOpen; }

    // Back to the first record: 1, or 0 when no file is open.
    int Rewind();
    // Copies the next record's bytes (at most iMax) into pOut and returns their number;
    // 0 at the end of the records, when no file is open, or when the record is longer
    // than iMax (the record is then not consumed).
    int ReadRecord(quint8 *pOut, int iMax);
    // Length in bytes of the next record, 0 at the end.
    int NextRecordLength() const;

    int RecordCount() const { return m_Offsets.size(); }
    int RecordsRead() const { return m_iNext; }

    // Builds the image (0xFF where no data lies) and gives the range covered by the data
    // records inside the image window, start rounded down and end rounded up to a multiple
    // of 4, with the CRC-16 of the image over that range; returns the CRC. A file without
    // data in the window gives start 0, length 0 and CRC 0.
    quint16 LoadImage(quint32 *puiStart, quint32 *puiLength, quint16 *pusCrc);
    // The image as built by the last LoadImage (IMAGE_SIZE bytes, or empty before).
    const QByteArray &Image() const { return m_baImage; }

    // What was wrong with the last refused file.
    QString ErrorText() const { return m_qsError; }
    int ErrorLine() const { return m_iErrorLine; }

private:
    // Records why the file is refused, drops what was read and returns HEX_ERR_FORMAT.
    int Fail(int iLine, const QString &qsWhy);

    bool m_bOpen = false;
    // Every record's bytes one after the other; a record's length follows from its count.
    QByteArray m_baRecords;
    QVector<int> m_Offsets;
    int m_iNext = 0;
    QByteArray m_baImage;
    QString m_qsError;
    int m_iErrorLine = 0;
};
