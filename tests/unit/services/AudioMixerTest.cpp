// The audio mixer: choosing and reopening devices, the description it builds, what it leaves out,
// and its notices.
#include "services/AudioMixer.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/sim/SimMachine.h"
#include "unit/services/ServiceWorld.h"

namespace zindra {
namespace {

using platform::sim::DefaultMixers;
using platform::sim::SimMixerDevice;
using platform::sim::SimMixerNotice;
using testing::JsonField;
using testing::ServiceWorld;

std::vector<SimMixerDevice> Devices(int count) {
    std::vector<SimMixerDevice> devices(static_cast<std::size_t>(count), DefaultMixers()[0]);
    for (int i = 0; i < count; ++i)
        devices[static_cast<std::size_t>(i)].Name = "Mixer " + std::to_string(i);
    return devices;
}

struct MixerWorld : ServiceWorld {
    explicit MixerWorld(std::vector<SimMixerDevice> devices) : ServiceWorld(Config(std::move(devices))) {}
    static platform::sim::SimConfig Config(std::vector<SimMixerDevice> devices) {
        auto config = testing::ServiceConfig();
        config.Mixers = std::move(devices);
        return config;
    }
    TAudioMixer* Make() { return new TAudioMixer(app.get()); }
    // "op device" of every mixer line of the journal.
    std::vector<std::string> Ops() {
        std::vector<std::string> ops;
        for (const std::string& line : Journal("mixer"))
            ops.push_back(JsonField(line, "op") + " " + JsonField(line, "device"));
        return ops;
    }
};

// The tree as text: destination[controls]{source[controls],...};...
std::string Shape(const TAudioMixer& mixer) {
    if (!mixer.Destinations()) return "closed";
    const auto controls = [](const TMixerControls& list) {
        std::string text = "[";
        for (int i = 0; i < list.Count(); ++i)
            text += (i ? "," : "") + std::string(list.Items(i).szName);
        return text + "]";
    };
    std::string text;
    const TMixerDestinations& destinations = *mixer.Destinations();
    for (int d = 0; d < destinations.Count(); ++d) {
        const TMixerDestination& destination = destinations.Items(d);
        text += (d ? ";" : "") + std::string(destination.Data().szName) + controls(destination.Controls()) + "{";
        for (int s = 0; s < destination.Connections().Count(); ++s) {
            const TMixerConnection& source = destination.Connections().Items(s);
            text += (s ? "," : "") + std::string(source.Data().szName) + controls(source.Controls());
        }
        text += "}";
    }
    return text;
}

const char* const kDefaultShape =
    "Volume Control[Volume,Mute]{Wave[Volume,Mute],SW Synth[Volume,Mute],CD Player[Volume,Mute],"
    "Line In[Volume,Mute]};Recording Control[Source]{Microphone[Volume],Line In[Volume]}";

TEST(TAudioMixer, MixerIdOpensClampsReopensAndCloses) {
    struct Case {
        const char* name;
        int devices;
        std::vector<int> settings;
        int mixerId;
        std::vector<std::string> ops;
    };
    const Case cases[] = {
        {"no device: nothing at all", 0, {0, 5, -1, 0}, -1, {}},
        {"creation opens device 0", 1, {}, 0, {"open 0"}},
        {"past the last opens the last", 3, {7}, 2, {"open 0", "close 0", "open 2"}},
        {"the same value closes and reopens", 2, {1, 1}, 1, {"open 0", "close 0", "open 1", "close 1", "open 1"}},
        {"negative only closes", 2, {-1, -3}, -1, {"open 0", "close 0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MixerWorld world(Devices(c.devices));
        TAudioMixer* mixer = world.Make();
        for (const int id : c.settings)
            mixer->SetMixerId(id);
        EXPECT_EQ(mixer->MixerId(), c.mixerId);
        EXPECT_EQ(world.Ops(), c.ops);
        EXPECT_EQ(mixer->Destinations() != nullptr, c.mixerId >= 0);
        if (c.mixerId >= 0) {
            EXPECT_EQ(mixer->ProductName(), "Mixer " + std::to_string(c.mixerId));
            EXPECT_EQ(world.machine.Mixers().OpenHandles(static_cast<std::uint32_t>(c.mixerId)),
                      std::vector<std::uintptr_t>{mixer->MixerHandle()});
        }
    }
}

TEST(TAudioMixer, ReopeningBuildsANewTreeAndADeviceThatWillNotOpenLeavesItClosed) {
    auto devices = Devices(2);
    devices[1].OpenRefused = true;
    MixerWorld world(devices);
    TAudioMixer* mixer = world.Make();
    const TMixerDestinations* first = mixer->Destinations();
    mixer->SetMixerId(0);
    EXPECT_NE(mixer->Destinations(), first);
    EXPECT_EQ(Shape(*mixer), kDefaultShape);
    mixer->SetMixerId(1);
    EXPECT_EQ(mixer->MixerId(), -1);
    EXPECT_EQ(mixer->Destinations(), nullptr);
    EXPECT_EQ(world.Ops().back(), "open-failed 1");
    world.app->DestroyComponent(mixer);
    EXPECT_EQ(world.Ops().back(), "open-failed 1");  // nothing left open to close
}

TEST(TAudioMixer, DescribesTheDeviceAndItsRecords) {
    MixerWorld world(DefaultMixers());
    const TAudioMixer* mixer = world.Make();
    EXPECT_EQ(mixer->Manufacturer(), "Microsoft");
    EXPECT_EQ(mixer->ProductName(), "Simulated Audio Mixer");
    EXPECT_EQ(mixer->ProductId(), 104);
    EXPECT_EQ(mixer->DriverVersion(), 0x0501u);
    EXPECT_EQ(mixer->NumberOfLine(), 2);
    EXPECT_EQ(Shape(*mixer), kDefaultShape);
    const TMixerDestination& speakers = mixer->Destinations()->Items(0);
    const TMixerConnection& synth = speakers.Connections().Items(1);
    EXPECT_EQ(speakers.Data().cbStruct, 168u);
    EXPECT_EQ(synth.Data().dwDestination, 0u);
    EXPECT_EQ(synth.Data().dwSource, 1u);
    EXPECT_EQ(synth.Data().dwLineID, platform::sim::SimMixerLineId(0, 1));
    EXPECT_EQ(synth.Controls().Items(1).cbStruct, 148u);
    EXPECT_EQ(synth.Controls().Items(1).dwControlType, platform::MIXERCONTROL_CONTROLTYPE_MUTE);
    EXPECT_EQ(synth.Controls().Items(1).dwControlID, 6u);  // after speakers' 2 and wave's 2
    EXPECT_EQ(&synth.Mixer(), mixer);
    EXPECT_THROW(speakers.Connections().Items(4), EListError);
    EXPECT_THROW(speakers.Controls().Items(-1), EListError);
}

TEST(TAudioMixer, ManufacturerTextAndAProductNameCutToItsField) {
    for (const auto& [id, text] : {std::pair<std::uint16_t, std::string>{1, "Microsoft"}, {65535, "65535 = Unknown"}}) {
        auto devices = Devices(1);
        devices[0].Manufacturer = id;
        devices[0].Name = std::string(40, 'n');
        MixerWorld world(devices);
        const TAudioMixer* mixer = world.Make();
        EXPECT_EQ(mixer->Manufacturer(), text);
        EXPECT_EQ(mixer->ProductName(), std::string(31, 'n'));
    }
}

TEST(TAudioMixer, LinesAndControlsTheSystemRefusesAreLeftOut) {
    using Change = void (*)(SimMixerDevice&);
    struct Case {
        const char* name;
        Change change;
        int numberOfLine;
        const char* shape;
    };
    const Case cases[] = {
        {"a destination", [](SimMixerDevice& d) { d.Destinations[0].Refused = true; }, 2,
         "Recording Control[Source]{Microphone[Volume],Line In[Volume]}"},
        {"a source", [](SimMixerDevice& d) { d.Destinations[1].Sources[0].Refused = true; }, 2,
         "Volume Control[Volume,Mute]{Wave[Volume,Mute],SW Synth[Volume,Mute],CD Player[Volume,Mute],"
         "Line In[Volume,Mute]};Recording Control[Source]{Line In[Volume]}"},
        {"a destination's controls", [](SimMixerDevice& d) { d.Destinations[1].ControlsRefused = true; }, 2,
         "Volume Control[Volume,Mute]{Wave[Volume,Mute],SW Synth[Volume,Mute],CD Player[Volume,Mute],"
         "Line In[Volume,Mute]};Recording Control[]{Microphone[Volume],Line In[Volume]}"},
        {"a line without controls",
         [](SimMixerDevice& d) {
             d.Destinations.resize(1);
             d.Destinations[0].Sources.resize(1);
             d.Destinations[0].Sources[0].Controls.clear();
         },
         1, "Volume Control[Volume,Mute]{Wave[]}"},
        {"every destination", [](SimMixerDevice& d) { d.Destinations[0].Refused = d.Destinations[1].Refused = true; },
         2, ""},
        {"a device without lines", [](SimMixerDevice& d) { d.Destinations.clear(); }, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto devices = DefaultMixers();
        c.change(devices[0]);
        MixerWorld world(devices);
        const TAudioMixer* mixer = world.Make();
        EXPECT_EQ(mixer->MixerId(), 0);
        EXPECT_EQ(mixer->NumberOfLine(), c.numberOfLine);
        EXPECT_EQ(Shape(*mixer), c.shape);
    }
}

struct Heard {
    std::string Event;
    TObject* Sender;
    std::intptr_t MixerH;
    int Id;
};

TEST(TAudioMixer, NoticesRaiseTheirEventsOnlyWhileOpen) {
    struct Case {
        const char* name;
        SimMixerNotice notice;
        std::uint32_t id;
        bool close;
        std::vector<std::string> heard;  // event:id
    };
    const Case cases[] = {
        {"a line", SimMixerNotice::Line, 65536, false, {"line:65536"}},
        {"a control", SimMixerNotice::Control, 7, false, {"control:7"}},
        {"an id past the int range", SimMixerNotice::Control, 0xFFFF0001u, false, {"control:-65535"}},
        {"after closing", SimMixerNotice::Line, 1, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MixerWorld world(DefaultMixers());
        TAudioMixer* mixer = world.Make();
        std::vector<Heard> heard;
        const auto listen = [&heard](const char* event) {
            return [&heard, event](TObject* sender, std::intptr_t handle, int id) {
                heard.push_back({event, sender, handle, id});
            };
        };
        mixer->OnLineChange = listen("line");
        mixer->OnControlChange = listen("control");
        const std::uintptr_t handle = mixer->MixerHandle();
        if (c.close) mixer->SetMixerId(-1);
        world.machine.Mixers().Raise(0, c.notice, c.id);
        world.Settle();
        std::vector<std::string> got;
        for (const Heard& h : heard) {
            got.push_back(h.Event + ":" + std::to_string(h.Id));
            EXPECT_EQ(h.Sender, mixer);
            EXPECT_EQ(h.MixerH, static_cast<std::intptr_t>(handle));
        }
        EXPECT_EQ(got, c.heard);
    }
}

TEST(TAudioMixer, AHandlerThatThrowsIsReportedAndTheNextNoticeStillArrives) {
    MixerWorld world(DefaultMixers());
    TAudioMixer* mixer = world.Make();
    std::vector<std::string> reported;
    world.app->OnException = [&](const std::exception& e) { reported.push_back(e.what()); };
    int calls = 0;
    mixer->OnControlChange = [&](TObject*, std::intptr_t, int) {
        if (++calls == 1) throw std::runtime_error("volume handler broke");
    };
    for (const std::uint32_t id : {1, 2})
        world.machine.Mixers().Raise(0, SimMixerNotice::Control, id);
    world.Settle();
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(reported, std::vector<std::string>{"volume handler broke"});
}

}  // namespace
}  // namespace zindra
