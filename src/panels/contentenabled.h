#pragma once
// A panel with nothing to work on (no fixture chosen, no link) is disabled whole, yet on a
// small screen the operator must still scroll through it to see what it holds. A scroll
// area's bars are the area's own children and a disabled widget disables all of its
// children, so a panel that holds a scroll area is not disabled itself: what the area shows
// is, and so is everything around the area. A panel without one is disabled as usual; the
// dock's own scroll area lies outside it.
//
// Whether such a panel is usable is then read from its controls (isEnabledTo(panel)), not
// from the panel. States a control was given on its own (an Apply button offline) are kept.

#include <QScrollArea>
#include <QWidget>

inline void SetContentEnabled(QWidget *pWidget, bool bEnabled)
{
    if (!pWidget->findChild<QScrollArea *>()) {
        pWidget->setEnabled(bEnabled);
        return;
    }
    for (QWidget *pChild : pWidget->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        auto *pArea = qobject_cast<QScrollArea *>(pChild);
        if (!pArea)
            SetContentEnabled(pChild, bEnabled);
        else if (pArea->widget())
            SetContentEnabled(pArea->widget(), bEnabled);
    }
}
