// Real-time scheduling of the audio thread: where the machine grants it at once, the thread runs
// real-time and any process started from the program starts under the ordinary scheduler, so a
// help viewer or a child's busy loop can never take a core away from the desktop.
#include "sound/realtime_priority.h"

#include <gtest/gtest.h>

#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

using namespace klangora;

TEST(RealtimePriority, AThreadGrantedByTheKernelRunsRealtimeAndItsChildrenDoNot) {
    RealtimeGrant grant = RealtimeGrant::none;
    bool realtime = false;
    int childPolicy = -1;
    std::thread([&] {
        grant = requestRealtimeForThisThread();
        realtime = thisThreadRunsRealtime();
        if (grant != RealtimeGrant::kernel) {
            return;
        }
        const pid_t child = fork();
        if (child == 0) {
            _exit(sched_getscheduler(0) == SCHED_OTHER ? 0 : 1);
        }
        int status = 0;
        waitpid(child, &status, 0);
        childPolicy = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }).join();
    if (grant != RealtimeGrant::kernel) {
        GTEST_SKIP() << "this machine grants no real-time scheduling without RealtimeKit";
    }
    EXPECT_TRUE(realtime);
    EXPECT_EQ(childPolicy, 0) << "a child process inherited the real-time policy";
    EXPECT_FALSE(thisThreadRunsRealtime()) << "the request reached another thread";
}
