// GoogleTest's own hook for platform adjustments, found ahead of the empty one it ships.
// GCC's win32 thread model, which the program is built with, has no std::mutex or
// std::condition_variable; GoogleTest needs them only for this one class, and uses its own
// Windows mutexes and thread-local storage for everything else.
#pragma once
#include <windows.h>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

// Lets a controlling thread hold back the threads it starts until it calls Notify().
class Notification {
public:
    Notification() : event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~Notification() { CloseHandle(event_); }
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify() { SetEvent(event_); }
    void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

private:
    HANDLE event_;
};

}  // namespace internal
}  // namespace testing
