// The queue between the platform, worker threads and the user-interface thread.
#include "framework/app/MessageQueue.h"

namespace zindra {

MessageQueue::MessageQueue(platform::Desktop& desktop, platform::Clock& clock)
    : desktop_(desktop), clock_(clock), sentPending_(clock.CreateEvent(false, false)) {}

void MessageQueue::Post(const platform::Event& event) {
    {
        std::lock_guard lock(mutex_);
        events_.push_back(event);
    }
    desktop_.Wake();
}

std::optional<platform::Event> MessageQueue::TakeEvent() {
    std::lock_guard lock(mutex_);
    if (events_.empty()) return std::nullopt;
    platform::Event e = events_.front();
    events_.pop_front();
    return e;
}

void MessageQueue::Send(std::function<void()> call) {
    SentCall sent{std::move(call), clock_.CreateEvent(true, false), nullptr};
    {
        std::lock_guard lock(mutex_);
        sent_.push_back(&sent);
    }
    sentPending_->Set();
    desktop_.Wake();
    clock_.Wait(*sent.Done, platform::kInfinite);
    if (sent.Error) std::rethrow_exception(sent.Error);
}

bool MessageQueue::RunSentCalls() {
    bool ran = false;
    for (;;) {
        SentCall* sent = nullptr;
        {
            std::lock_guard lock(mutex_);
            if (sent_.empty()) return ran;
            sent = sent_.front();
            sent_.pop_front();
        }
        try {
            sent->Call();
        } catch (...) {
            sent->Error = std::current_exception();
        }
        ran = true;
        sent->Done->Set();  // the sender may free `sent` from here on
    }
}

}  // namespace zindra
