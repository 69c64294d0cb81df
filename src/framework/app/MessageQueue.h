// The user-interface thread's queue: platform events posted from any thread, and calls that
// worker threads hand over and wait for (the synchronous send of a message to the thread's window).
#pragma once

#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/Event.h"

namespace zindra {

class MessageQueue final : public platform::EventSink {
public:
    MessageQueue(platform::Desktop& desktop, platform::Clock& clock);

    // Any thread: queues the event and wakes the loop.
    void Post(const platform::Event& event) override;
    // The back end's call from inside a modal loop of the system's own goes to server.
    void SetNestedLoopServer(std::function<platform::NestedLoopTurn()> server) { nestedServer_ = std::move(server); }
    platform::NestedLoopTurn ServeNestedLoop() override {
        return nestedServer_ ? nestedServer_() : platform::NestedLoopTurn{};
    }
    std::optional<platform::Event> TakeEvent();

    // A worker thread: runs call on the user-interface thread and blocks until it has returned;
    // an exception the call raised is raised again here.
    void Send(std::function<void()> call);
    // The user-interface thread: runs every handed-over call; true when there was one.
    bool RunSentCalls();
    // Set whenever a call is handed over, for waits that must keep serving them.
    platform::WaitableEvent& SentCallPending() { return *sentPending_; }

private:
    struct SentCall {
        std::function<void()> Call;
        std::unique_ptr<platform::WaitableEvent> Done;
        std::exception_ptr Error;
    };

    platform::Desktop& desktop_;
    platform::Clock& clock_;
    std::mutex mutex_;
    std::deque<platform::Event> events_;
    std::deque<SentCall*> sent_;
    std::unique_ptr<platform::WaitableEvent> sentPending_;
    std::function<platform::NestedLoopTurn()> nestedServer_;  // user-interface thread only
};

}  // namespace zindra
