// The process starter on the simulated machine: events, failures, polls, Wait, explore, auto-start.
#include "services/Starter.h"

#include <gtest/gtest.h>

#include "framework/app/Application.h"
#include "framework/controls/Form.h"
#include "framework/layout/ClassInfo.h"
#include "framework/layout/LayoutReader.h"
#include "platform/sim/SimProcess.h"
#include "unit/services/ServiceWorld.h"

namespace zindra {
namespace {

using platform::sim::SimConfig;
using testing::JsonField;
using testing::ServiceWorld;

constexpr const char* kProgram = "C:\\Suite\\Math.exe";

SimConfig At8() {
    SimConfig config = testing::ServiceConfig();
    config.StartTime = {2026, 3, 2, 8, 0, 0, 0};
    return config;
}

struct StarterTest : ::testing::Test {
    ServiceWorld world{At8()};
    TZkStarter* starter = nullptr;
    std::vector<std::string> log;

    void SetUp() override {
        world.process.GetSystem().CreateDirectory("C:\\Suite");
        world.process.GetSystem().WriteFile(kProgram, {'M', 'Z'});
        starter = new TZkStarter(world.app.get());
        starter->SetCommand(kProgram);
    }
    std::string Who(const char* what, TObject* sender) {
        return std::string(what) + (sender == starter ? "" : sender ? "(other)" : "(null)");
    }
    void Record(bool finished = true) {
        starter->OnBeforeStart = [this](TObject* s) { log.push_back(Who("before", s)); };
        starter->OnAfterStart = [this](TObject* s) { log.push_back(Who("after", s)); };
        starter->OnError = [this](TObject* s) { log.push_back(Who("error", s)); };
        if (finished) {
            starter->OnFinished = [this](TObject* s) { log.push_back(Who("finished", s) + "@" + Time()); };
        }
    }
    std::string Time() { return std::to_string(world.Now()); }
    platform::ProcessHandle LastProcess() { return world.machine.Programs().Started().back().Handle; }
    bool HandleOpen(platform::ProcessHandle process) {
        std::uint32_t code = 0;
        return world.machine.Programs().GetExitCode(process, code);
    }
};

TEST_F(StarterTest, PublishesItsPropertiesInDeclarationOrderWithTheirDefaults) {
    std::vector<std::string> names;
    for (const PropertyInfo& p : TZkStarter::StaticClass().Properties)
        names.push_back(p.Name);
    EXPECT_EQ(names, (std::vector<std::string>{"StartOperation", "StartOption", "Command", "Parameters", "DefaultDir",
                                               "AutoStart", "StartTime", "Wait", "OnBeforeStart", "OnAfterStart",
                                               "OnError", "OnFinished"}));
    EXPECT_EQ(TZkStarter::StaticClass().IndexOf("About"), TZkStarter::StaticClass().IndexOf("StartOperation") - 1);
    const TZkStarter fresh(world.app.get());
    EXPECT_EQ(fresh.StartOperation(), TZkStarterOperation::smOpen);
    EXPECT_EQ(fresh.StartOption(), TZkStarterOptions::soSW_SHOW);
    EXPECT_EQ(fresh.Command(), "");
    EXPECT_FALSE(fresh.AutoStart());
    EXPECT_FALSE(fresh.Wait());
    EXPECT_EQ(fresh.StartTime(), TZkDateTime(1990, 1, 1));
    EXPECT_EQ(fresh.ErrorCode(), 0);
    EXPECT_EQ(fresh.FinishPollTimerId(), 0);
    // The auto-start item is held from creation, disabled.
    ASSERT_NE(fresh.AutoStartTimerId(), 0);
    EXPECT_FALSE(world.Pool().Find(fresh.AutoStartTimerId())->Enabled());
    EXPECT_EQ(world.Pool().Find(fresh.AutoStartTimerId())->Interval(), 1000u);
}

TEST(TZkStarterTables, ShowCommandsVerbsAndFailureCodes) {
    const int expected[] = {0, 3, 6, 9, 5, 3, 2, 7, 8, 1};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(TZkStarter::ShowCommandOf(static_cast<TZkStarterOptions>(i)), expected[i]) << i;
    }
    EXPECT_STREQ(TZkStarter::VerbOf(TZkStarterOperation::smOpen), "open");
    EXPECT_STREQ(TZkStarter::VerbOf(TZkStarterOperation::smPrint), "print");
    EXPECT_STREQ(TZkStarter::VerbOf(TZkStarterOperation::smExplore), "explore");
    std::vector<int> failures;
    for (int code = 0; code <= 64; ++code) {
        if (TZkStarter::IsShellFailure(static_cast<std::uintptr_t>(code))) failures.push_back(code);
    }
    // 0 and 11 are failures to the shell but not to the starter.
    EXPECT_EQ(failures, (std::vector<int>{2, 3, 5, 8, 26, 27, 28, 29, 30, 31, 32}));
    EXPECT_EQ(TZkStarter::ExploreFolderOf("C:\\Suite\\Math.exe"), "C:\\Suite\\");
    EXPECT_EQ(TZkStarter::ExploreFolderOf("C:\\Suite\\Sub\\"), "C:\\Suite\\Sub\\");
    EXPECT_EQ(TZkStarter::ExploreFolderOf("C:Math.exe"), "C:\\");
    EXPECT_EQ(TZkStarter::ExploreFolderOf("Math.exe"), "\\");
    EXPECT_EQ(TZkStarter::ExploreFolderOf(""), "\\");
}

TEST_F(StarterTest, SuccessRaisesBeforeThenAfterAndFinishedAtTheNextPoll) {
    Record();
    starter->SetParameters("/lesson 3");
    starter->SetDefaultDir("C:\\Suite");
    starter->SetStartOption(TZkStarterOptions::soSW_SHOWMAXIMIZED);
    starter->Execute();
    EXPECT_EQ(log, (std::vector<std::string>{"before", "after"}));
    const auto shell = world.Journal("shell-execute");
    ASSERT_EQ(shell.size(), 1u);
    EXPECT_EQ(JsonField(shell[0], "verb"), "open");
    EXPECT_EQ(JsonField(shell[0], "file"), kProgram);
    EXPECT_EQ(JsonField(shell[0], "params"), "/lesson 3");
    EXPECT_EQ(JsonField(shell[0], "dir"), "C:\\Suite");
    EXPECT_EQ(JsonField(shell[0], "show"), "3");
    EXPECT_TRUE(starter->Watching());
    const platform::ProcessHandle process = LastProcess();

    world.RunFor(1700);
    EXPECT_EQ(log.size(), 2u);
    ASSERT_TRUE(world.machine.Programs().EndFake(0));  // at 1700
    world.RunFor(2000);
    // Polls fall every 500 ms after the add at 0: the end at 1700 is seen at 2000.
    EXPECT_EQ(log, (std::vector<std::string>{"before", "after", "finished@2000"}));
    EXPECT_FALSE(starter->Watching());
    EXPECT_FALSE(HandleOpen(process));   // given back once the end was seen
    EXPECT_EQ(world.Pool().Count(), 1);  // the auto-start item only
    EXPECT_EQ(starter->ErrorCode(), 0);
}

TEST_F(StarterTest, AMissingFileRaisesErrorWithNullSenderThenAfterAndNeverFinished) {
    Record();
    starter->SetCommand("C:\\Suite\\Missing.exe");
    starter->Execute();
    EXPECT_EQ(log, (std::vector<std::string>{"before", "error(null)", "after"}));
    EXPECT_EQ(starter->ErrorCode(), 2);
    EXPECT_FALSE(starter->Watching());
    world.RunFor(3000);
    EXPECT_EQ(log.size(), 3u);
    // A later success leaves the code of the last failure.
    starter->SetCommand(kProgram);
    starter->Execute();
    EXPECT_EQ(starter->ErrorCode(), 2);
    // A folder that does not exist: the path is not found.
    starter->SetCommand("C:\\Nowhere\\Math.exe");
    starter->Execute();
    EXPECT_EQ(starter->ErrorCode(), 3);
}

TEST_F(StarterTest, PrintWithoutAssociationFailsWithCode31) {
    Record(false);
    starter->SetStartOperation(TZkStarterOperation::smPrint);
    starter->Execute();
    EXPECT_EQ(log, (std::vector<std::string>{"before", "error(null)", "after"}));
    EXPECT_EQ(starter->ErrorCode(), 31);
}

// 259 is also STILL_ACTIVE: only the signalled handle shows that such a program has ended.
TEST(StarterExitCodes, AProgramIsReportedFinishedWhateverCodeItEndsWith) {
    for (const std::uint32_t code : {0u, 1u, platform::kStillActive, 0xC0000005u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(code);
        ServiceWorld world{At8()};
        world.process.GetSystem().CreateDirectory("C:\\Suite");
        world.process.GetSystem().WriteFile(kProgram, {'M', 'Z'});
        auto* starter = new TZkStarter(world.app.get());
        starter->SetCommand(kProgram);
        std::vector<std::int64_t> finished;
        starter->OnFinished = [&](TObject*) { finished.push_back(world.Now()); };
        const std::int64_t start = world.Now();
        starter->Execute();
        world.RunFor(1200);
        EXPECT_TRUE(finished.empty()) << "still running";
        world.machine.Programs().EndFake(code);
        world.RunFor(1000);
        EXPECT_EQ(finished, (std::vector<std::int64_t>{start + 1500}));  // the third poll
        EXPECT_FALSE(starter->Watching());
        const std::string ended = "\"ev\":\"process-exit\",\"code\":" + std::to_string(code) + "}";
        int seen = 0;
        for (const std::string& line : world.machine.GetJournal().Lines())
            seen += line.find(ended) != std::string::npos;
        EXPECT_EQ(seen, 1);
    }
}

TEST_F(StarterTest, OnFinishedAssignedAfterExecuteNeverFiresForThatStart) {
    Record(false);
    starter->Execute();
    starter->OnFinished = [this](TObject*) { log.push_back("finished"); };
    EXPECT_FALSE(starter->Watching());
    world.machine.Programs().EndFake(0);
    world.RunFor(3000);
    EXPECT_EQ(log, (std::vector<std::string>{"before", "after"}));
}

TEST_F(StarterTest, WaitBlocksUntilTheProcessEndsThenFinishedFollowsAtTheNextPoll) {
    Record();
    starter->SetWait(true);
    std::int64_t endedAt = -1;
    auto ender = world.machine.Clock().StartBackgroundThread([&] {
        world.machine.Clock().Sleep(3000);
        endedAt = world.machine.Clock().NowMs();
        world.machine.Programs().EndFake(0);
    });
    starter->Execute();
    ender->Join();
    EXPECT_EQ(endedAt, 3000);
    EXPECT_EQ(world.Now(), 3000);  // Execute returned only once the process had ended
    EXPECT_EQ(log, (std::vector<std::string>{"before", "after"}));
    world.RunFor(1000);
    // No tick ran while the thread was blocked; the first tick after it counts 1: the poll's
    // tenth tick is at 3450.
    EXPECT_EQ(log, (std::vector<std::string>{"before", "after", "finished@3450"}));
}

TEST_F(StarterTest, ExploreOpensTheFolderOfTheCommandWithoutParametersOrDirectory) {
    Record();
    starter->SetStartOperation(TZkStarterOperation::smExplore);
    starter->SetParameters("/lesson 3");
    starter->SetDefaultDir("C:\\WINDOWS");
    starter->Execute();
    const auto shell = world.Journal("shell-execute");
    ASSERT_EQ(shell.size(), 1u);
    EXPECT_EQ(JsonField(shell[0], "verb"), "explore");
    EXPECT_EQ(JsonField(shell[0], "file"), "C:\\Suite\\");
    EXPECT_EQ(JsonField(shell[0], "params"), "");
    EXPECT_EQ(JsonField(shell[0], "dir"), "");
    EXPECT_EQ(JsonField(shell[0], "show"), "5");
    EXPECT_EQ(starter->ErrorCode(), 0);
    // No process came back: the first poll reports the end.
    world.RunFor(500);
    EXPECT_EQ(log, (std::vector<std::string>{"before", "after", "finished@500"}));
}

TEST_F(StarterTest, DestructionWhileAProcessRunsRaisesNothingAndLeavesItRunning) {
    Record();
    starter->Execute();
    const platform::ProcessHandle process = LastProcess();
    world.RunFor(600);
    world.app->DestroyComponent(starter);
    EXPECT_EQ(world.Pool().Count(), 0);
    EXPECT_FALSE(world.Pool().SystemTimerRunning());
    EXPECT_FALSE(HandleOpen(process));
    EXPECT_TRUE(world.machine.Programs().EndFake(0));  // it was still running
    world.RunFor(2000);
    EXPECT_EQ(log, (std::vector<std::string>{"before", "after"}));
}

TEST_F(StarterTest, StartingAgainWhileWatchedReplacesTheWatch) {
    Record();
    starter->Execute();
    const platform::ProcessHandle first = LastProcess();
    world.RunFor(200);
    starter->Execute();
    const platform::ProcessHandle second = LastProcess();
    EXPECT_FALSE(HandleOpen(first));
    EXPECT_TRUE(HandleOpen(second));
    EXPECT_EQ(world.Pool().Count(), 2);   // one watch only, beside the auto-start item
    world.machine.Programs().EndFake(0);  // the second
    world.RunFor(1000);
    world.machine.Programs().EndFake(0);  // the first, no longer watched
    world.RunFor(2000);
    EXPECT_EQ(log, (std::vector<std::string>{"before", "after", "before", "after", "finished@700"}));
}

TEST_F(StarterTest, AFinishedHandlerMayStartAgainOrFreeTheStarter) {
    Record(false);
    int finished = 0;
    starter->OnFinished = [&](TObject*) {
        if (++finished == 1) {
            starter->Execute();  // watched again
        } else {
            world.app->DestroyComponent(starter);
            starter = nullptr;
        }
    };
    starter->Execute();
    world.machine.Programs().EndFake(0);
    world.RunFor(500);
    EXPECT_EQ(finished, 1);
    world.machine.Programs().EndFake(0);
    world.RunFor(500);
    EXPECT_EQ(finished, 2);
    EXPECT_EQ(starter, nullptr);
    EXPECT_EQ(world.Pool().Count(), 0);
}

TEST_F(StarterTest, AutoStartNeverStartsForAPastTime) {
    starter->SetStartTime(TZkDateTime(2026, 3, 2, 7, 59, 59));
    starter->SetAutoStart(true);
    world.RunFor(10000);
    EXPECT_TRUE(world.Journal("shell-execute").empty());
}

TEST_F(StarterTest, AutoStartStartsOnceWhenItsSecondIsReached) {
    Record(false);
    std::vector<int> secondsAtStart;
    starter->OnBeforeStart = [&](TObject*) { secondsAtStart.push_back(world.process.GetClock().Now().Second); };
    TZkDateTime at(2026, 3, 2, 8, 0, 3);
    starter->SetStartTime(at);
    at.SetSecond(30);  // the starter keeps its own copy
    starter->SetAutoStart(true);
    world.RunFor(60000);
    EXPECT_EQ(secondsAtStart, (std::vector<int>{3}));
    EXPECT_EQ(world.Journal("shell-execute").size(), 1u);
    EXPECT_TRUE(starter->AutoStart());
    starter->SetAutoStart(false);
    EXPECT_FALSE(world.Pool().Find(starter->AutoStartTimerId())->Enabled());
}

class StarterForm : public TForm {
public:
    explicit StarterForm(TComponent* owner) : TForm(owner) {
        Method("Before", &StarterForm::Before);
        Method("Finished", &StarterForm::Finished);
        Field("appExe", appExe);
    }
    void Before(TObject*) { log += "before;"; }
    void Finished(TObject*) { log += "finished;"; }
    TZkStarter* appExe = nullptr;
    std::string log;
    const ClassInfo& ClassType() const override { return StaticClass(); }
    static const ClassInfo& StaticClass() {
        static const ClassInfo info{"TStarterForm", &TForm::StaticClass(), {}, {}};
        return info;
    }
};

TEST_F(StarterTest, ALayoutSetsEveryPropertyAndAStoredAutoStartRuns) {
    auto* form = world.app->CreateForm<StarterForm>();
    ReadLayoutText(*form, form, R"(object Menu: TStarterForm
  object appExe: TZkStarter
    StartOperation = smOpen
    StartOption = soSW_SHOWNORMAL
    Command = 'C:\Suite\Math.exe'
    Parameters = '/x'
    DefaultDir = 'C:\Suite'
    AutoStart = True
    StartTime.Day = 2
    StartTime.Month = 3
    StartTime.Year = 2026
    StartTime.Hour = 8
    StartTime.Second = 2
    Wait = False
    OnBeforeStart = Before
    OnFinished = Finished
  end
end
)");
    ASSERT_NE(form->appExe, nullptr);
    EXPECT_EQ(form->appExe->StartTime(), TZkDateTime(2026, 3, 2, 8, 0, 2));
    EXPECT_EQ(form->appExe->StartOption(), TZkStarterOptions::soSW_SHOWNORMAL);
    world.RunFor(2500);
    ASSERT_EQ(form->log, "before;");
    EXPECT_EQ(JsonField(world.Journal("shell-execute").back(), "show"), "1");
    world.machine.Programs().EndFake(0);
    world.RunFor(600);
    EXPECT_EQ(form->log, "before;finished;");
}

}  // namespace
}  // namespace zindra
