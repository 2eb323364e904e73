#include "memcom.h"

#include <cstring>

int MemCom::Read(quint32 uiLength, quint8 *pucBuffer, quint32 *puiTimeoutMs)
{
    if (uiLength == 0)
        return COM_OK;
    if (m_baIn.size() - m_iPos < qsizetype(uiLength)) {
        m_iPos = m_baIn.size();
        if (puiTimeoutMs != nullptr)
            *puiTimeoutMs = 0;
        return COM_ERR_TIMEOUT;
    }
    std::memcpy(pucBuffer, m_baIn.constData() + m_iPos, uiLength);
    m_iPos += qsizetype(uiLength);
    return COM_OK;
}

int MemCom::Write(quint32 uiLength, const quint8 *pucBuffer, quint32 *)
{
    m_baOut.append(reinterpret_cast<const char *>(pucBuffer), qsizetype(uiLength));
    return COM_OK;
}
