#pragma once
// The masked hexadecimal line edits of the update and test panels: read as an unsigned number
// (a text that does not read counts as 0, as the panels have always taken it) and written as
// upper-case digits padded with '0'.

#include <QLineEdit>
#include <QString>

inline quint32 HexField(const QLineEdit *pEdit)
{
    bool bOk = false;
    const quint32 uiValue = pEdit->text().toUInt(&bOk, 16);
    return bOk ? uiValue : 0;
}

inline QString HexText(quint32 uiValue, int iDigits)
{
    return QStringLiteral("%1").arg(uiValue, iDigits, 16, QLatin1Char('0')).toUpper();
}
