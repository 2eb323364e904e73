#pragma once
// The three text formats of gain files: VU3 (header "[VU30]", 0-based column and line, reals
// with six decimals), ELDIM (header of line count, column count and 9; rows without
// positions fill the picture line by line, integers 0 to 255) and RADIANT (no header,
// 1-based line and column, reals with four decimals). Readers fill a cleared gain table and
// stop at the first bad line (-14, traced with its number and text); writers write a
// coefficient list. Statuses: -4 bad argument, -10 open failure, -13 write failure,
// -14 bad file data, -60 bad coefficient data.

#include "update/gaincoef.h"

#include <QString>

class QIODevice;

enum CoefFileFormat {
    COEF_FORMAT_VU3 = 0,
    COEF_FORMAT_ELDIM = 1,
    COEF_FORMAT_RADIANT = 2,
};

// Reads the file of the given format into the table (cleared by the caller), then checks the
// table; height and width are 0 unless both succeed. bGainCorrection is kept for the VU3
// reader, which then maps each real r through 255 x r^(1/2.8) before scaling.
int CoefReadFile(bool bGainCorrection, int iFormat, const QString &qsFileName, quint16 *pusHeight, quint16 *pusWidth,
                 GainTable ppTable);
int CoefReadVu3(const QString &qsFileName, GainTable ppTable);
int CoefReadEldim(const QString &qsFileName, GainTable ppTable);
int CoefReadRadiant(const QString &qsFileName, GainTable ppTable);

int CoefWriteFile(int iFormat, const QString &qsFileName, quint32 uiCount, const PixelCoef_t *ptList);
int CoefWriteVu3(const QString &qsFileName, quint32 uiCount, const PixelCoef_t *ptList);
// Writes the rows in line order whatever the list's order; the list must pass CoefCheckList.
int CoefWriteEldim(const QString &qsFileName, quint32 uiCount, const PixelCoef_t *ptList);
int CoefWriteRadiant(const QString &qsFileName, quint32 uiCount, const PixelCoef_t *ptList);
// Writes the line as UTF-8 and a line end; -13 when the device refuses either.
int CoefWriteLine(QIODevice *pDevice, const QString &qsLine);
