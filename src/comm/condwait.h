#pragma once
// Waiting on a QWaitCondition so that a ThreadSanitizer build sees it right. The condition
// gives the mutex up and takes it back inside the Qt library, which is not instrumented,
// while the inline QMutex calls of this program are: without a word to the sanitizer it
// believes the waiting thread still holds the mutex, and reports double locks and races.

#include <QDeadlineTimer>
#include <QMutex>
#include <QWaitCondition>

#if defined(__SANITIZE_THREAD__)
#include <sanitizer/tsan_interface.h>
#endif

// Same as tCondition.wait(&tMutex, tDeadline); the mutex is held on entry and on return.
inline bool CondWait(QWaitCondition &tCondition, QMutex &tMutex,
                     QDeadlineTimer tDeadline = QDeadlineTimer(QDeadlineTimer::Forever))
{
#if defined(__SANITIZE_THREAD__)
    __tsan_mutex_pre_unlock(&tMutex, 0);
    __tsan_mutex_post_unlock(&tMutex, 0);
#endif
    const bool bWoken = tCondition.wait(&tMutex, tDeadline);
#if defined(__SANITIZE_THREAD__)
    __tsan_mutex_pre_lock(&tMutex, 0);
    __tsan_mutex_post_lock(&tMutex, 0, 0);
#endif
    return bWoken;
}
