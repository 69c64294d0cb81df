# A C++ exception nobody catches: std::terminate's handler puts the machine back before abort.
RunCase() {
    CrashCase exception 3
}
