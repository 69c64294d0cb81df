// Background music: the fixed first track, random tracks after it, held while a program runs and
// resumed after it, a missing MIDI driver, and the spoken instructions.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "flow/MenuWorld.h"
#include "framework/app/Application.h"
#include "menu/MainForm.h"
#include "platform/sim/SimAudio.h"

namespace zindra::testing {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> MidiOps(MenuWorld& world) {
    std::vector<std::string> ops;
    for (const JournalEntry& e : world.Journal("midi")) {
        const std::string file = e.Text("file");
        ops.push_back(e.Text("op") + " " + file.substr(file.find_last_of('\\') + 1));
    }
    return ops;
}

void KeepOnly(MenuWorld& world, std::initializer_list<const char*> names) {
    for (const auto& entry : fs::directory_iterator(world.Suite() / "Music")) {
        bool keep = false;
        for (const char* n : names)
            keep = keep || entry.path().filename() == n;
        if (!keep) fs::remove(entry.path());
    }
}

void StartAndEndProgram(MenuWorld& world) {
    const platform::Point three = OptionCentre(3);
    world.Click(three.X, three.Y);
    world.machine.Programs().EndFake(0);
    world.RunFor(600);
}

TEST(MusicFlow, TheFirstTrackPlaysAndThenRandomTracksFollow) {
    MenuWorld world;
    world.Start();
    EXPECT_EQ(MidiOps(world), (std::vector<std::string>{"open mm8-select.mid", "play mm8-select.mid"}));
    world.RunFor(20100);  // the first track is 20 s long
    const auto ops = MidiOps(world);
    ASSERT_GE(ops.size(), 6u);
    EXPECT_EQ(ops[2], "end mm8-select.mid");
    EXPECT_EQ(ops[3], "close mm8-select.mid");
    EXPECT_EQ(ops[4].substr(0, 5), "open ");
    EXPECT_EQ(ops.back().substr(0, 5), "play ");
    EXPECT_EQ(world.form->TrackCount, 4);
    EXPECT_TRUE(world.form->TracksListed);
}

TEST(MusicFlow, RandomMusicIsHeldWhileAProgramRunsAndANewTrackFollows) {
    MenuWorld world;
    world.Start();
    world.RunFor(20100);
    world.WalkToOptions(2);
    const std::size_t before = MidiOps(world).size();
    const platform::Point three = OptionCentre(3);
    world.Click(three.X, three.Y);
    auto ops = MidiOps(world);
    ASSERT_EQ(ops.size(), before + 1);
    EXPECT_EQ(ops.back().substr(0, 5), "stop ");
    EXPECT_TRUE(world.form->MusicHeld);
    world.RunFor(60000);  // no track changes while held
    EXPECT_EQ(MidiOps(world).size(), before + 1);
    world.machine.Programs().EndFake(0);
    world.RunFor(600);
    ops = MidiOps(world);
    EXPECT_FALSE(world.form->MusicHeld);
    EXPECT_EQ(ops.back().substr(0, 5), "play ");
}

TEST(MusicFlow, OnlyTheFirstTrackPlaysOnceAndAProgramDoesNotStopIt) {
    MenuWorld world;
    KeepOnly(world, {"mm8-select.mid"});
    world.Start();
    world.WalkToOptions(2);
    StartAndEndProgram(world);
    EXPECT_EQ(MidiOps(world), (std::vector<std::string>{"open mm8-select.mid", "play mm8-select.mid"}));
    world.RunFor(30000);
    EXPECT_EQ(MidiOps(world).back(), "end mm8-select.mid");
    EXPECT_EQ(world.form->TrackCount, 1);
}

TEST(MusicFlow, WithoutTheFirstTrackMusicStartsWhenTheFirstProgramEnds) {
    MenuWorld world;
    KeepOnly(world, {"track-a.mid", "track-b.mid", "track-c.mid"});
    world.Start();
    EXPECT_TRUE(MidiOps(world).empty());
    EXPECT_TRUE(world.form->MusicHeld);
    world.WalkToOptions(2);
    StartAndEndProgram(world);
    const auto ops = MidiOps(world);
    ASSERT_EQ(ops.size(), 3u);
    EXPECT_EQ(ops[0].substr(0, 11), "open track-");
    EXPECT_EQ(ops[1].substr(0, 11), "seek track-");
    EXPECT_EQ(ops[2].substr(0, 11), "play track-");
}

TEST(MusicFlow, TheCatalogueHoldsAtMostFiftyTracks) {
    MenuWorld world;
    for (int i = 0; i < 60; ++i) {
        fs::copy_file(world.Suite() / "Music" / "track-a.mid",
                      world.Suite() / "Music" / ("extra" + std::to_string(i) + ".mid"));
    }
    world.Start();
    world.RunFor(20100);
    EXPECT_EQ(world.form->TrackCount, 50);
}

TEST(MusicFlow, NoMidiDriverAnsweredNoGoesOnInSilence) {
    platform::sim::SimConfig config = MenuWorld::DefaultConfig();
    config.MidiInstalled = false;
    MenuWorld world(config);
    world.Start();
    const auto boxes = world.Journal("message-box");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text("kind"), "question");
    EXPECT_EQ(boxes[0].Text("buttons"), "yesno");
    EXPECT_EQ(boxes[0].Text("text"),
              "The MCI driver for midi-files is not properly installed. Midi files are music files that are used for "
              "background music. Do you want to disable the music?");
    world.RunFor(3000);
    EXPECT_FALSE(world.app->Terminated());
    EXPECT_TRUE(fs::exists(world.Suite() / "Music" / "mm8-select.mid"));
}

TEST(MusicFlow, NoMidiDriverAnsweredYesRemovesOnlyTheMusicFoldersMidiFiles) {
    platform::sim::SimConfig config = MenuWorld::DefaultConfig();
    config.MidiInstalled = false;
    MenuWorld world(config);
    fs::copy_file(world.Suite() / "Music" / "track-a.mid", world.Suite() / "menu" / "keep.mid");
    std::ofstream(world.Suite() / "Music" / "notes.txt") << "kept\n";
    world.machine.MessageBoxes().QueueAnswer(platform::IDYES);
    world.Start();
    EXPECT_TRUE(world.RunUntilClosed());
    EXPECT_EQ(world.Journal("message-box").back().Text("text"),
              "Please re-start this program. Midi-files have been removed.");
    EXPECT_EQ(world.Journal("file-delete").size(), 4u);
    EXPECT_FALSE(fs::exists(world.Suite() / "Music" / "mm8-select.mid"));
    EXPECT_TRUE(fs::exists(world.Suite() / "Music" / "notes.txt"));
    EXPECT_TRUE(fs::exists(world.Suite() / "menu" / "keep.mid"));
}

// The pick is seeded from the time of day in milliseconds: a new track asked for a millisecond
// apart, sixty-four times, reaches every place of the catalogue, the last one included.
TEST(MusicFlow, EveryTrackOfTheCatalogueCanComeTheLastOneIncluded) {
    MenuWorld world;
    world.Start();
    world.RunFor(20100);  // past the first track: the catalogue is built
    ASSERT_EQ(world.form->TrackCount, 4);
    const std::size_t before = world.Journal("midi").size();
    for (int i = 0; i < 64; ++i) {
        world.RunFor(1);
        world.form->PlayNextTrack();
    }
    std::set<std::string> opened;
    const auto entries = world.Journal("midi");
    for (std::size_t i = before; i < entries.size(); ++i) {
        if (entries[i].Text("op") == "open") opened.insert(entries[i].Text("file"));
    }
    std::set<std::string> catalogue;
    for (std::size_t i = 1; i <= 4; ++i)
        catalogue.insert(world.form->MusicFolder + world.form->TrackNames[i]);
    EXPECT_EQ(opened, catalogue);
}

// An interruption from outside falls short of the track's length: the music does not move on.
TEST(MusicFlow, AnInterruptedTrackChangesNothing) {
    for (const std::int64_t at : {3000, 20100 + 3000}) {  // in the first track, in a random one
        SCOPED_TRACE(at);
        MenuWorld world;
        world.Start();
        world.RunFor(at);
        const std::size_t before = MidiOps(world).size();
        const bool listed = world.form->TracksListed;
        ASSERT_TRUE(world.process.SimulatedAudio().InterruptMidi());
        world.RunFor(40000);  // longer than any track
        const auto ops = MidiOps(world);
        ASSERT_EQ(ops.size(), before + 1);
        EXPECT_EQ(ops.back().substr(0, 12), "interrupted ");
        EXPECT_EQ(world.form->TracksListed, listed);
        EXPECT_FALSE(world.form->MusicHeld);
    }
}

}  // namespace
}  // namespace zindra::testing
