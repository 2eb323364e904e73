#pragma once
// The DMX mapping panel: which VPU command listens on which DMX channels. The panel itself
// keeps the mapping; the main window hands it in for a new or uploaded project and takes it
// for a download. Lives in the main window's "DMX Mapping Configuration" dock.

#include "config/dmxconf.h"

#include <QList>
#include <QWidget>

class Zelvor;

namespace Ui {
class DMXConfig;
}

class DMXConfig : public QWidget
{
    Q_OBJECT

public:
    explicit DMXConfig(Zelvor *pMainWnd);
    ~DMXConfig() override;

    void SetOnline(bool bOnline);
    // The current mapping, in table order. Always 0.
    int GetDmxMapping(QList<DMX_Mapping_t> &lMapping) const;
    // Replaces the mapping by a copy and rebuilds the table. Always 0.
    int SetDmxMapping(const QList<DMX_Mapping_t> &lMapping);

private:
    void UpdateTable();

    Ui::DMXConfig *m_pUi;
    Zelvor *m_pMainWnd;
    bool m_bOnline = false;
    QList<DMX_Mapping_t> m_Mapping;
};
