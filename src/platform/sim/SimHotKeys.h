// Desktop-wide hot keys of the simulated machine: one owner per combination, as on Windows.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/Win32Types.h"
#include "platform/sim/Journal.h"

namespace zindra::platform::sim {

struct HotKeyTarget {
    WindowHandle Window = 0;
    int Id = 0;
};

class SimHotKeys {
public:
    explicit SimHotKeys(Journal& journal) : journal_(journal) {}

    // False when another window holds the combination or the window already uses the id.
    bool Register(WindowHandle window, int id, std::uint32_t modifiers, std::uint32_t key);
    bool Unregister(WindowHandle window, int id);
    void UnregisterAllOf(WindowHandle window);
    std::optional<HotKeyTarget> Match(std::uint32_t modifiers, std::uint32_t key) const;

private:
    struct Entry {
        WindowHandle Window;
        int Id;
        std::uint32_t Modifiers;
        std::uint32_t Key;
    };

    Journal& journal_;
    mutable std::mutex mutex_;
    std::vector<Entry> entries_;
};

// Answers for message boxes: scripted ones first, then the safe default (Cancel, else No, else OK).
class SimMessageBoxes {
public:
    explicit SimMessageBoxes(Journal& journal) : journal_(journal) {}
    void QueueAnswer(int answer);
    int Show(const std::string& text, const std::string& caption, std::uint32_t type);

private:
    Journal& journal_;
    std::mutex mutex_;
    std::vector<int> answers_;
};

}  // namespace zindra::platform::sim
