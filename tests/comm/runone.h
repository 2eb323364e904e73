#pragma once
// One request through the link's worker, waited for by its completion signal.

#include "support/vpucomharness.h"

#include <functional>

// Posts through fnPost and waits for the one completion signal; its arguments, or an empty
// list (read with value(), so every check on it fails) when the post was refused or the
// signal did not come exactly once.
inline QList<QVariant> RunOne(VpuComHarness &h, const char *pcSignal, const std::function<int(CVpuCom &)> &fnPost)
{
    SignalLog spy(&h.Com(), pcSignal);
    if (fnPost(h.Com()) != 0 || !spy.wait(5000) || spy.count() != 1)
        return {};
    return spy.first();
}
