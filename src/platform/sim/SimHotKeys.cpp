// Hot-key registration and message-box answers on the simulated desktop.
#include "platform/sim/SimHotKeys.h"

#include <algorithm>

namespace zindra::platform::sim {

bool SimHotKeys::Register(WindowHandle window, int id, std::uint32_t modifiers, std::uint32_t key) {
    bool ok = true;
    {
        std::lock_guard lock(mutex_);
        for (const Entry& e : entries_) {
            const bool sameCombination = e.Modifiers == modifiers && e.Key == key;
            if (sameCombination || (e.Window == window && e.Id == id)) ok = false;
        }
        if (ok) entries_.push_back({window, id, modifiers, key});
    }
    journal_.Write("hotkey", {{"mods", modifiers}, {"vk", key}, {"registered", ok}});
    return ok;
}

bool SimHotKeys::Unregister(WindowHandle window, int id) {
    std::optional<Entry> removed;
    {
        std::lock_guard lock(mutex_);
        const auto it = std::find_if(entries_.begin(), entries_.end(),
                                     [&](const Entry& e) { return e.Window == window && e.Id == id; });
        if (it == entries_.end()) return false;
        removed = *it;
        entries_.erase(it);
    }
    journal_.Write("hotkey", {{"mods", removed->Modifiers}, {"vk", removed->Key}, {"registered", false}});
    return true;
}

void SimHotKeys::UnregisterAllOf(WindowHandle window) {
    std::vector<int> ids;
    {
        std::lock_guard lock(mutex_);
        for (const Entry& e : entries_) {
            if (e.Window == window) ids.push_back(e.Id);
        }
    }
    for (int id : ids)
        Unregister(window, id);
}

std::optional<HotKeyTarget> SimHotKeys::Match(std::uint32_t modifiers, std::uint32_t key) const {
    std::lock_guard lock(mutex_);
    for (const Entry& e : entries_) {
        if (e.Modifiers == modifiers && e.Key == key) return HotKeyTarget{e.Window, e.Id};
    }
    return std::nullopt;
}

void SimMessageBoxes::QueueAnswer(int answer) {
    std::lock_guard lock(mutex_);
    answers_.push_back(answer);
}

namespace {

const char* KindName(std::uint32_t type) {
    switch (type & MB_ICONMASK) {
        case MB_ICONERROR:
            return "error";
        case MB_ICONQUESTION:
            return "question";
        case MB_ICONWARNING:
            return "warning";
        case MB_ICONINFORMATION:
            return "information";
        default:
            return "plain";
    }
}

struct Buttons {
    const char* Name;
    std::vector<int> Answers;  // allowed answers, the safe default last
};

Buttons ButtonsOf(std::uint32_t type) {
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL:
            return {"okcancel", {IDOK, IDCANCEL}};
        case MB_YESNOCANCEL:
            return {"yesnocancel", {IDYES, IDNO, IDCANCEL}};
        case MB_YESNO:
            return {"yesno", {IDYES, IDNO}};
        default:
            return {"ok", {IDOK}};
    }
}

const char* AnswerName(int answer) {
    switch (answer) {
        case IDOK:
            return "ok";
        case IDCANCEL:
            return "cancel";
        case IDYES:
            return "yes";
        case IDNO:
            return "no";
        default:
            return "none";
    }
}

}  // namespace

int SimMessageBoxes::Show(const std::string& text, const std::string& caption, std::uint32_t type) {
    const Buttons buttons = ButtonsOf(type);
    int answer = buttons.Answers.back();
    bool scripted = false;
    {
        std::lock_guard lock(mutex_);
        if (!answers_.empty()) {
            // A scripted answer the box does not offer is taken as its safe default.
            const int wanted = answers_.front();
            answers_.erase(answers_.begin());
            scripted = true;
            if (std::find(buttons.Answers.begin(), buttons.Answers.end(), wanted) != buttons.Answers.end()) {
                answer = wanted;
            }
        }
    }
    journal_.Write("message-box", {{"kind", KindName(type)},
                                   {"caption", caption},
                                   {"text", text},
                                   {"buttons", buttons.Name},
                                   {"answer", AnswerName(answer)},
                                   {"scripted", scripted}});
    return answer;
}

}  // namespace zindra::platform::sim
