// The script language that drives a simulated run, one command a line ('#' starts a comment):
//   wait MS | move X Y | down X Y [left|right|middle] | up X Y [button] | click X Y [button]
//   wheel X Y NOTCHES (positive: turned away from the user)
//   key NAME [ctrl] [alt] [shift] | type TEXT | answer ok|yes|no|cancel | wait-exit [MS]
//   program-exit CODE | shot NAME | quit | mixer-notice line|control ID [DEVICE]
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Event.h"

namespace zindra::platform::sim {

enum class CommandKind {
    Wait,
    Move,
    Down,
    Up,
    Click,
    Wheel,
    Key,
    Type,
    Answer,
    WaitExit,
    ProgramExit,
    Shot,
    Quit,
    Mixer
};

struct ScriptCommand {
    CommandKind Kind = CommandKind::Wait;
    int Line = 0;
    std::int64_t A = 0;  // MS, X, CODE, the key code, the answer (IDOK ...) or the mixer's ID
    std::int64_t B = 0;  // Y, the key's MOD_ flags or the mixer DEVICE
    std::int64_t C = 0;  // the wheel's notches
    bool HasA = false;
    MouseButton Button = MouseButton::Left;
    std::string Text;  // type TEXT, shot NAME, mixer-notice line|control
};

// Throws std::invalid_argument "script line N: ..." for the first bad line.
std::vector<ScriptCommand> ParseScript(std::string_view text);

}  // namespace zindra::platform::sim
