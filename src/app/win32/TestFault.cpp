// The fault on demand of the checks under Wine.
#include "app/win32/TestFault.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "platform/win32/Win32Api.h"

namespace zindra::app {

namespace {

[[noreturn]] void AccessViolation() {
    // The address comes from memory the compiler cannot see through, so the store is really made.
    volatile std::uintptr_t address = 0;
    *reinterpret_cast<volatile int*>(address) = 1;
    std::abort();
}

}  // namespace

void ArmTestFault() {
    const char* kind = std::getenv("ZINDRA_TEST_FAULT");
    if (!kind || !*kind) return;
    const bool hang = std::strcmp(kind, "hang") == 0;
    if (!hang && std::strcmp(kind, "access-violation") != 0) {
        std::fprintf(stderr, "zindra: ZINDRA_TEST_FAULT=%s is not a fault (access-violation or hang)\n", kind);
        return;
    }
    const std::string name = "Local\\ZindraTestFault." + std::to_string(GetCurrentProcessId());
    HANDLE trigger = CreateEventA(nullptr, TRUE, FALSE, name.c_str());
    HANDLE uiThread = nullptr;
    DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &uiThread, THREAD_SUSPEND_RESUME,
                    FALSE, 0);
    if (!trigger || !uiThread) {
        std::fprintf(stderr, "zindra: cannot arm the test fault\n");
        return;
    }
    std::thread([trigger, uiThread, hang] {
        WaitForSingleObject(trigger, INFINITE);
        if (!hang) AccessViolation();
        // A user-interface thread that never comes back to its messages: a hung window.
        SuspendThread(uiThread);
    }).detach();
}

}  // namespace zindra::app
