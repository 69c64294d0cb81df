// The menu on a simulated machine with its own copy of a generated demo suite.
#include "flow/MenuWorld.h"

#include <gtest/gtest.h>

#include <fstream>

#include "framework/Registration.h"
#include "framework/app/Application.h"
#include "menu/MainForm.h"
#include "menu/Registration.h"
#include "platform/posix/PathMapper.h"
#include "services/ZkApplication.h"
#include "support/DemoSuite.h"

namespace zindra::testing {

namespace fs = std::filesystem;

namespace {

std::string FieldStart(const std::string& line, const std::string& field) {
    const std::string key = "\"" + field + "\":";
    const auto at = line.find(key);
    if (at == std::string::npos) return {};
    return line.substr(at + key.size());
}

}  // namespace

std::string JournalEntry::Text(const std::string& field) const {
    const std::string rest = FieldStart(Line, field);
    if (rest.empty() || rest[0] != '"') return {};
    std::string out;
    for (std::size_t i = 1; i < rest.size() && rest[i] != '"'; ++i) {
        if (rest[i] == '\\' && i + 1 < rest.size()) ++i;
        out += rest[i];
    }
    return out;
}

std::int64_t JournalEntry::Number(const std::string& field) const {
    const std::string rest = FieldStart(Line, field);
    return rest.empty() ? -1 : std::stoll(rest);
}

bool JournalEntry::Flag(const std::string& field) const {
    return FieldStart(Line, field).rfind("true", 0) == 0;
}

platform::sim::SimConfig MenuWorld::DefaultConfig() {
    platform::sim::SimConfig config;
    config.ProgramFile = "C:\\Program Files\\Zindra\\zindra.exe";
    return config;
}

MenuWorld::MenuWorld(platform::sim::SimConfig config)
    : machine(std::move(config)), process(machine), root_(MakeTempFolder("zindra-flow")), suite_(root_ / "suite") {
    fs::copy(MasterSuite(), suite_, fs::copy_options::recursive);
    const fs::path installed = fs::path(machine.CDrive()) / "Program Files" / "Zindra";
    fs::create_directories(installed);
    std::ofstream(installed / "mp3p.ocx") << "control\n";
    RegisterFrameworkClasses();
    RegisterMenuClasses();
    app = std::make_unique<TApplication>(process);
    new TZkApplication(app.get());
    app->SetTitle("Zindra Gr 67");
    process.GetSystem().SetCurrentDirectory(SuiteWindows());
}

MenuWorld::~MenuWorld() {
    app.reset();
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

std::string MenuWorld::SuiteWindows() const {
    return platform::posix::PathMapper(machine.CDrive()).ToWindows(suite_.string()) + "\\";
}

void MenuWorld::Start() {
    form = app->CreateForm<TForm1>();
    if (!app->Terminated()) form->Show();
    Settle();
}

void MenuWorld::RunFor(std::int64_t ms) {
    platform::sim::SimClock& clock = machine.Clock();
    const std::int64_t until = clock.NowMs() + ms;
    auto stop = clock.CreateEvent(true, false);
    auto waker = clock.StartBackgroundThread([&] {
        const std::int64_t left = until - clock.NowMs();
        clock.Sleep(static_cast<std::uint32_t>(left > 0 ? left : 0));
        stop->Set();
        process.GetDesktop().Wake();
    });
    while (!clock.Wait(*stop, 0) && !app->Terminated())
        app->HandleMessage();
    if (!app->Terminated()) app->ProcessMessages();
    waker->Join();
}

bool MenuWorld::RunUntilClosed(std::int64_t ms) {
    const std::int64_t until = Now() + ms;
    while (!app->Terminated() && Now() < until)
        RunFor(std::min<std::int64_t>(100, until - Now()));
    return app->Terminated();
}

void MenuWorld::Close() {
    delete form;
    form = nullptr;
}

void MenuWorld::Click(int x, int y, platform::MouseButton button) {
    Move(x, y);
    machine.Input().Click(x, y, button);
    Settle();
}

void MenuWorld::Move(int x, int y) {
    machine.Input().MoveTo(x, y);
    Settle();
}

void MenuWorld::Type(const std::string& text) {
    machine.Input().Type(text);
    Settle();
}

void MenuWorld::Key(std::uint32_t key, std::uint32_t modifiers) {
    machine.Input().Key(key, modifiers);
    Settle();
}

void MenuWorld::WalkToOptions(int language, const std::string& name) {
    RunFor(3000);
    if (language == 1) {
        Click(kAfrikaansX, kAfrikaansY);
    } else {
        Click(kEnglishX, kEnglishY);
    }
    Type(name);
    Click(kRightHandX, kRightHandY);
}

std::vector<JournalEntry> MenuWorld::Journal(const std::string& event) const {
    std::vector<JournalEntry> out;
    for (const std::string& line : machine.GetJournal().Lines()) {
        JournalEntry e;
        e.Line = line;
        e.Event = e.Text("ev");
        e.T = e.Number("t");
        if (event.empty() || e.Event == event) out.push_back(e);
    }
    return out;
}

std::vector<std::string> MenuWorld::FilesRead() const {
    std::vector<std::string> files;
    for (const JournalEntry& e : Journal("file-read"))
        files.push_back(e.Text("path"));
    return files;
}

std::int64_t MenuWorld::Now() {
    return machine.Clock().NowMs();
}

void ExpectMachinePutBack(MenuWorld& world) {
    ASSERT_TRUE(world.app->Terminated());
    world.Close();
    EXPECT_TRUE(world.Journal("taskbar").back().Flag("visible"));
    EXPECT_FALSE(world.Journal("mouse-swap").back().Flag("swapped"));
    EXPECT_EQ(world.Journal("display-mode").back().Number("w"), 1024);
    EXPECT_EQ(world.machine.Screen().Current().Width, 1024);
}

platform::Point OptionCentre(int n) {
    static constexpr platform::Rect kZones[] = {
        {88, 236, 494, 291},  {112, 292, 545, 352}, {127, 356, 611, 411},
        {151, 416, 595, 468}, {161, 474, 479, 530}, {187, 536, 497, 581},
    };
    const platform::Rect& r = kZones[n - 1];
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

}  // namespace zindra::testing
