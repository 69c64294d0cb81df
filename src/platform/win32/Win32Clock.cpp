// Win32 events, waits, local time and threads.
#include "platform/win32/Win32Clock.h"

#include <process.h>

#include <exception>
#include <stdexcept>
#include <vector>

namespace zindra::platform::win32 {

namespace {

class Win32Event final : public WaitableEvent {
public:
    Win32Event(bool manualReset, bool initiallySet)
        : handle_(CreateEventA(nullptr, manualReset ? TRUE : FALSE, initiallySet ? TRUE : FALSE, nullptr)) {
        if (!handle_) throw std::runtime_error("CreateEvent failed");
    }
    ~Win32Event() override { CloseHandle(handle_); }
    Win32Event(const Win32Event&) = delete;
    Win32Event& operator=(const Win32Event&) = delete;

    void Set() override { SetEvent(handle_); }
    void Reset() override { ResetEvent(handle_); }
    HANDLE Handle() const { return handle_; }

private:
    HANDLE handle_;
};

class Win32Thread final : public WorkerThread {
public:
    explicit Win32Thread(std::function<void()> body) {
        auto* start = new std::function<void()>(std::move(body));
        unsigned id = 0;
        const auto handle = _beginthreadex(nullptr, 0, &Win32Thread::Run, start, 0, &id);
        if (handle == 0) {
            delete start;
            throw std::runtime_error("cannot start a thread");
        }
        handle_ = reinterpret_cast<HANDLE>(handle);
        id_ = id;
    }
    ~Win32Thread() override {
        Join();
        CloseHandle(handle_);
    }
    Win32Thread(const Win32Thread&) = delete;
    Win32Thread& operator=(const Win32Thread&) = delete;

    void Join() override {
        if (GetCurrentThreadId() != id_) WaitForSingleObject(handle_, INFINITE);
    }
    void SetPriority(int priority) override {
        if (SetThreadPriority(handle_, priority)) priority_ = priority;
    }
    int Priority() const override {
        const int actual = GetThreadPriority(handle_);
        return actual == THREAD_PRIORITY_ERROR_RETURN ? priority_ : actual;
    }

private:
    static unsigned __stdcall Run(void* start) {
        const std::unique_ptr<std::function<void()>> body(static_cast<std::function<void()>*>(start));
        try {
            (*body)();
        } catch (...) {
            std::terminate();  // as std::thread does; the crash guard cleans up
        }
        return 0;
    }

    HANDLE handle_ = nullptr;
    DWORD id_ = 0;
    int priority_ = THREAD_PRIORITY_NORMAL;
};

}  // namespace

Win32Clock::Win32Clock() : start_(GetTickCount64()) {}

std::int64_t Win32Clock::NowMs() {
    return static_cast<std::int64_t>(GetTickCount64() - start_);
}

LocalTime Win32Clock::Now() {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return LocalTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

std::unique_ptr<WaitableEvent> Win32Clock::CreateEvent(bool manualReset, bool initiallySet) {
    return std::make_unique<Win32Event>(manualReset, initiallySet);
}

HANDLE Win32Clock::HandleOf(WaitableEvent& event) {
    const auto* ours = dynamic_cast<Win32Event*>(&event);
    return ours ? ours->Handle() : nullptr;
}

int Win32Clock::WaitAny(std::initializer_list<WaitableEvent*> events, std::uint32_t timeoutMs) {
    std::vector<HANDLE> handles;
    std::vector<int> indexOf;  // position in events of each handle
    int index = 0;
    for (WaitableEvent* event : events) {
        if (HANDLE handle = event ? HandleOf(*event) : nullptr) {
            handles.push_back(handle);
            indexOf.push_back(index);
        }
        ++index;
    }
    if (handles.size() > MAXIMUM_WAIT_OBJECTS) throw std::length_error("WaitAny: too many events");
    if (handles.empty()) {
        ::Sleep(timeoutMs);
        return -1;
    }
    const DWORD result = WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE, timeoutMs);
    if (result >= WAIT_OBJECT_0 && result < WAIT_OBJECT_0 + handles.size()) return indexOf[result - WAIT_OBJECT_0];
    return -1;
}

void Win32Clock::Sleep(std::uint32_t ms) {
    ::Sleep(ms);
}

std::unique_ptr<WorkerThread> Win32Clock::StartThread(std::function<void()> body) {
    return std::make_unique<Win32Thread>(std::move(body));
}

}  // namespace zindra::platform::win32
