#pragma once
// A panel with nothing to work on (no fixture chosen, no link) is disabled whole, yet on a
// small screen the operator must still scroll through it, and turn its tab pages, to see what
// it holds. A scroll area's bars and a tab widget's tab bar are the viewer's own children and a
// disabled widget disables all of its children, so a panel that holds such a viewer is not
// disabled itself: what the viewer shows is (a scroll area's content, a tab widget's pages), and
// so is everything around the viewer, down to a single control beside it. A panel without a
// viewer is disabled as usual; the dock's own scroll area lies outside it.
//
// Whether such a panel is usable is then read from its controls (isEnabledTo(panel)), not
// from the panel.
//
// States a control was given on its own (an Apply button offline) are kept: inside a widget
// disabled here, by Qt; a control disabled here by itself keeps its own state aside until the
// panel is enabled again. The panel's code therefore sets such states with SetControlEnabled: a
// plain setEnabled would make the control usable on a disabled panel, or be undone later.

#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QVariant>
#include <QWidget>

namespace ContentEnabled {

// Present while the panel holds the widget disabled: the state its own code wants it in.
inline const char *const kOwnEnabled = "lantrelOwnEnabled";

// Whether disabling the widget whole would freeze a scroll area's bars or a tab bar.
inline bool HoldsViewer(const QWidget *pWidget)
{
    return qobject_cast<const QTabWidget *>(pWidget) || pWidget->findChild<QScrollArea *>() ||
           pWidget->findChild<QTabWidget *>();
}

inline void Hold(QWidget *pWidget, bool bHold)
{
    const QVariant own = pWidget->property(kOwnEnabled);
    if (bHold && !own.isValid()) {
        pWidget->setProperty(kOwnEnabled, !pWidget->testAttribute(Qt::WA_ForceDisabled));
        pWidget->setEnabled(false);
    } else if (!bHold && own.isValid()) {
        pWidget->setProperty(kOwnEnabled, QVariant());
        pWidget->setEnabled(own.toBool());
    }
}

} // namespace ContentEnabled

inline void SetContentEnabled(QWidget *pWidget, bool bEnabled)
{
    if (auto *pArea = qobject_cast<QScrollArea *>(pWidget)) {
        if (pArea->widget())
            SetContentEnabled(pArea->widget(), bEnabled);
        return;
    }
    if (!ContentEnabled::HoldsViewer(pWidget)) {
        ContentEnabled::Hold(pWidget, !bEnabled);
        return;
    }
    auto *pTabs = qobject_cast<QTabWidget *>(pWidget);
    for (QWidget *pChild : pWidget->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (!pTabs || pChild != pTabs->tabBar())
            SetContentEnabled(pChild, bEnabled);
    }
}

// A control's own state, as the code of a panel that disables itself with SetContentEnabled
// sets it.
inline void SetControlEnabled(QWidget *pControl, bool bEnabled)
{
    if (pControl->property(ContentEnabled::kOwnEnabled).isValid())
        pControl->setProperty(ContentEnabled::kOwnEnabled, bEnabled);
    else
        pControl->setEnabled(bEnabled);
}
