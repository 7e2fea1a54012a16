// Recorders on two gauge modules at once: each device and buffer goes to the
// recorder of the module that made it, whatever recorder was made last; the
// observer hears every call once it has returned.
#include "gauge_under_test.h"
#include "sound_recorder.h"
#include "test_files.h"
#include "wave_image.h"

namespace {

// Both gauges on one host, as on a panel: the host's services serve one host at a time.
struct SecondGauge {
    std::unique_ptr<panel_host::GaugeFile> file;
    GaugeHeader *header = nullptr;
    panel_host::Host *host = nullptr;

    HMODULE module() const { return file->module(); }
    void start() {
        header->install(module());
        header->initialize();
    }
    void click(int x, int y) { host->click(header, x, y); }
    void kill() { header->kill(); }
};

class SoundRecorders : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ignition.load("Delvarotine.gau"));
        std::string error;
        master.file = panel_host::GaugeFile::load(panel_host::program_folder() + "Brennovalux.gau", error);
        ASSERT_NE(nullptr, master.file) << error;
        master.file->connect(ignition.host.services());
        master.header = master.file->gauges()[0];
        master.host = &ignition.host;
        folder.write("Aircraft\\sound\\kaprelo\\Eg.wav", pcm_wave(11025, 16, counting_bytes(400)));
        folder.write("Aircraft\\sound\\kaprelo\\Stop.wav", pcm_wave(22050, 16, counting_bytes(400)));
    }
    template <typename Gauge> void start(Gauge &gauge) {
        CurrentDirectory here(folder.path());
        gauge.start();
    }

    TestFolder folder;
    GaugeUnderTest ignition;
    SecondGauge master;
};

TEST_F(SoundRecorders, EachModuleRecordsIntoItsOwnRecorder) {
    SoundRecorder ignition_recorder(ignition.module());
    SoundRecorder master_recorder(master.module());
    ASSERT_TRUE(ignition_recorder.hooked());
    ASSERT_TRUE(master_recorder.hooked());
    EXPECT_EQ(&master_recorder, SoundRecorder::active()) << "the one made last";
    EXPECT_EQ(&ignition_recorder, SoundRecorder::of_module(ignition.module()));

    start(ignition);  // while the master switch's recorder is the latest
    start(master);
    ASSERT_EQ(1u, ignition_recorder.devices.size());
    ASSERT_EQ(2u, ignition_recorder.buffers.size());
    EXPECT_EQ(138915u, ignition_recorder.buffers[0]->bytes) << "6.3 s at 22050 bytes a second";
    EXPECT_EQ(141120u, ignition_recorder.buffers[1]->bytes) << "3.2 s at 44100 bytes a second";
    EXPECT_EQ(2, ignition_recorder.buffers[1]->number);
    ASSERT_EQ(1u, master_recorder.devices.size());
    ASSERT_EQ(1u, master_recorder.buffers.size());
    EXPECT_EQ(1322u, master_recorder.buffers[0]->bytes);
    EXPECT_EQ(1, master_recorder.buffers[0]->number) << "each recorder numbers its own buffers";

    master.click(10, 10);
    ignition.click(60, 40);
    ignition.update();  // cranking begins: the starter plays
    EXPECT_EQ(1, master_recorder.buffers[0]->plays);
    EXPECT_EQ(1, ignition_recorder.buffers[0]->plays);
    EXPECT_EQ(0, ignition_recorder.buffers[1]->plays);

    master.kill();
    ignition.kill();
    EXPECT_EQ(0, master_recorder.live_references());
    EXPECT_EQ(0, ignition_recorder.live_references());
}

TEST_F(SoundRecorders, ASecondRecorderForAModuleHooksNothingAndTheFirstGoesOn) {
    SoundRecorder first(master.module());
    {
        SoundRecorder second(master.module());
        EXPECT_FALSE(second.hooked());
        EXPECT_EQ(&first, SoundRecorder::active());
        EXPECT_EQ(&first, SoundRecorder::of_module(master.module()));
        start(master);
        EXPECT_TRUE(second.devices.empty());
    }
    ASSERT_EQ(1u, first.devices.size());
    master.click(10, 10);
    ASSERT_EQ(1u, first.buffers.size());
    EXPECT_EQ(1, first.buffers[0]->plays);
    master.kill();
    EXPECT_EQ(0, first.live_references());
    EXPECT_EQ(nullptr, SoundRecorder::of_module(ignition.module()));
}

struct Heard {
    std::string name;
    HRESULT result;
    int buffer;  // 0: none
    int plays;   // the buffer's plays as the observer saw them
    bool device;
};

TEST_F(SoundRecorders, TheObserverHearsEachCallAfterItReturned) {
    SoundRecorder recorder(master.module());
    std::vector<Heard> heard;
    recorder.observer = [&](const SoundCall &call) {
        heard.push_back({call.name, call.result, call.buffer ? call.buffer->number : 0,
                         call.buffer ? call.buffer->plays : 0, call.device != nullptr});
    };
    start(master);
    ASSERT_FALSE(heard.empty());
    EXPECT_EQ("DirectSoundCreate", heard[0].name);
    EXPECT_TRUE(heard[0].device);
    bool created = false;
    for (const Heard &call : heard)
        if (call.name == "CreateSoundBuffer") {
            created = true;
            EXPECT_EQ(DS_OK, call.result);
            EXPECT_EQ(1, call.buffer) << "the new buffer comes with its call";
        }
    EXPECT_TRUE(created);

    heard.clear();
    master.click(10, 10);
    ASSERT_FALSE(heard.empty());
    EXPECT_EQ("Play", heard.back().name);
    EXPECT_EQ(1, heard.back().buffer);
    EXPECT_EQ(1, heard.back().plays) << "recorded before the observer hears it";

    heard.clear();
    recorder.calls.clear();
    master.kill();
    std::vector<std::string> names;
    for (const Heard &call : heard)
        names.push_back(call.name);
    EXPECT_EQ(recorder.calls, names) << "the observer hears what calls records";
    ASSERT_EQ(2u, heard.size());
    EXPECT_EQ("ReleaseBuffer", heard[0].name);
    EXPECT_EQ(0, heard[0].result) << "no reference left";
    EXPECT_EQ("ReleaseDevice", heard[1].name);
    EXPECT_EQ(0, heard[1].result);
}

}  // namespace
