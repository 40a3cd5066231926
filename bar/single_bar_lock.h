// One bar per session. Two bars would share the hook library, which reports to one hidden
// window only and is switched off for both when either ends, and each would overwrite the data
// file with what it alone learned. A second start therefore shows the bar that runs and ends.
#pragma once

#include "common/win_handles.h"

class SingleBarLock {
public:
    SingleBarLock() = default;
    ~SingleBarLock();
    SingleBarLock(const SingleBarLock&) = delete;
    SingleBarLock& operator=(const SingleBarLock&) = delete;

    // TRUE: this process is the session's bar, until the lock goes. FALSE: another bar runs and
    // has been asked to show itself, or one that is still starting or hangs did not answer in
    // time. A bar that is ending is waited for, and this process then takes its place.
    BOOL Acquire();

private:
    ScopedObject m_mutex;
    BOOL m_bOwned = FALSE;
};
