// The menu on a simulated machine with a demo suite of its own, for flow tests: start it, drive
// it, and read what it did from the journal.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/sim/SimMachine.h"
#include "platform/sim/SimProcess.h"

namespace zindra {
class TApplication;
class TForm1;
}  // namespace zindra

namespace zindra::testing {

// One journal line, with its fields as text.
struct JournalEntry {
    std::int64_t T = 0;
    std::string Event;
    std::string Line;
    std::string Text(const std::string& field) const;     // a string field, unescaped
    std::int64_t Number(const std::string& field) const;  // a number field
    bool Flag(const std::string& field) const;            // a true/false field
};

class MenuWorld {
public:
    // A fresh copy of the demo suite; programs are fake unless the config says otherwise.
    explicit MenuWorld(platform::sim::SimConfig config = DefaultConfig());
    ~MenuWorld();

    static platform::sim::SimConfig DefaultConfig();
    // The suite folder in the Windows form the program sees (with a trailing backslash).
    std::string SuiteWindows() const;
    const std::filesystem::path& Suite() const { return suite_; }

    // Creates the main window and lets it run until it has gone idle after activation.
    void Start();
    void RunFor(std::int64_t ms);
    void Settle() { RunFor(0); }
    // Runs until the message loop ends (the application terminated), at most ms of virtual time.
    bool RunUntilClosed(std::int64_t ms = 60000);
    // Destroys the main window (its destruction steps run).
    void Close();

    void Click(int x, int y, platform::MouseButton button = platform::MouseButton::Left);
    void Move(int x, int y);
    void Type(const std::string& text);
    void Key(std::uint32_t key, std::uint32_t modifiers = 0);
    // Walks from the start to the option screen: intro, language (1 or 2), name, right hand.
    void WalkToOptions(int language, const std::string& name = "ANNA");

    std::vector<JournalEntry> Journal(const std::string& event = "") const;
    std::vector<std::string> FilesRead() const;  // in order
    std::int64_t Now();

    platform::sim::SimMachine machine;
    platform::sim::SimProcess process;
    std::unique_ptr<TApplication> app;
    TForm1* form = nullptr;

private:
    std::filesystem::path root_;
    std::filesystem::path suite_;
};

// After the program's end: destroys the main window, then the task bar is shown, the mouse
// buttons are normal and the display is back at the start mode (1024 wide).
void ExpectMachinePutBack(MenuWorld& world);

// Screen coordinates of the menu's places when the window sits at 0, 0.
inline constexpr int kAfrikaansX = 392, kAfrikaansY = 383;
inline constexpr int kEnglishX = 340, kEnglishY = 502;
inline constexpr int kLeftHandX = 197, kLeftHandY = 508;
inline constexpr int kRightHandX = 588, kRightHandY = 508;
inline constexpr int kBackX = 686, kBackY = 566;
inline constexpr int kExitX = 738, kExitY = 566;
inline constexpr int kBackgroundX = 700, kBackgroundY = 100;
// The centre of option zone n (1 to 6).
platform::Point OptionCentre(int n);

}  // namespace zindra::testing
