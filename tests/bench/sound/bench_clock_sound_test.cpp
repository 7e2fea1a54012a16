// The bench's sound device on the panel's clock: DirectSound's refusals, play
// time in panel ticks, locks, loss and faults, the mix of one tick, and the
// longest sound track a WAVE file holds.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "clock_sound_buffer.h"
#include "clock_sound_device.h"
#include "sound_mixer.h"
#include "sound_track.h"
#include "test_files.h"

namespace {

const GUID iid_buffer_3d = {0x279AFA86, 0x4981, 0x11CE, {0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5, 0x60}};
const DWORD SWITCH_FLAGS = 0x000100F2;
const DWORD IGNITION_FLAGS = 0x000000E0;
const HMODULE GAUGE = reinterpret_cast<HMODULE>(0x10000000);

WAVEFORMATEX pcm(WORD channels, DWORD rate, WORD bits) {
    const WORD align = static_cast<WORD>(channels * bits / 8);
    return {WAVE_FORMAT_PCM, channels, rate, rate * align, align, bits, 0};
}

class ClockSound : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(DS_OK, clock->create_device(GAUGE, nullptr, &device, nullptr)); }
    void TearDown() override {
        for (IDirectSoundBuffer *buffer : made)
            buffer->Release();
        device->Release();
    }
    HRESULT create(DWORD flags, DWORD bytes, const WAVEFORMATEX *format, IDirectSoundBuffer **out) {
        DSBUFFERDESC1 description = {sizeof description, flags, bytes, 0, const_cast<WAVEFORMATEX *>(format)};
        HRESULT result = device->CreateSoundBuffer(reinterpret_cast<LPCDSBUFFERDESC>(&description), out, nullptr);
        if (result == DS_OK)
            made.push_back(*out);
        return result;
    }
    // A buffer of `bytes` bytes made with `flags`, filled with `fill`.
    IDirectSoundBuffer *filled(DWORD flags, DWORD bytes, const WAVEFORMATEX &format, BYTE fill) {
        IDirectSoundBuffer *buffer = nullptr;
        EXPECT_EQ(DS_OK, create(flags, bytes, &format, &buffer));
        void *first = nullptr, *second = nullptr;
        DWORD first_length = 0, second_length = 0;
        EXPECT_EQ(DS_OK, buffer->Lock(0, bytes, &first, &first_length, &second, &second_length, 0));
        memset(first, fill, first_length);
        buffer->Unlock(first, first_length, second, second_length);
        return buffer;
    }
    DWORD status(IDirectSoundBuffer *buffer) {
        DWORD value = 0xFFFF;
        EXPECT_EQ(DS_OK, buffer->GetStatus(&value));
        return value;
    }

    std::shared_ptr<bench::SoundClock> clock = std::make_shared<bench::SoundClock>();
    IDirectSound *device = nullptr;
    std::vector<IDirectSoundBuffer *> made;
};

TEST_F(ClockSound, RefusesWhatDirectSoundRefuses) {
    IDirectSoundBuffer *buffer = nullptr;
    const WAVEFORMATEX click = pcm(1, 22050, 8);
    EXPECT_EQ(DSERR_INVALIDPARAM, create(SWITCH_FLAGS, 1322, nullptr, &buffer)) << "a null format";
    EXPECT_EQ(nullptr, buffer);
    EXPECT_EQ(DSERR_INVALIDPARAM, create(SWITCH_FLAGS, 0, &click, &buffer)) << "length 0";
    EXPECT_EQ(DSERR_INVALIDPARAM, create(SWITCH_FLAGS, 3, &click, &buffer)) << "below DSBSIZE_MIN";
    EXPECT_EQ(DSERR_INVALIDPARAM, create(SWITCH_FLAGS, 0x10000000, &click, &buffer)) << "above DSBSIZE_MAX";
    WAVEFORMATEX odd = click;
    odd.nBlockAlign = 2;
    EXPECT_EQ(DSERR_INVALIDPARAM, create(SWITCH_FLAGS, 1322, &odd, &buffer)) << "block align of another format";
    odd = click;
    odd.wFormatTag = 2;
    EXPECT_EQ(DSERR_BADFORMAT, create(SWITCH_FLAGS, 1322, &odd, &buffer)) << "not PCM";
    DSBUFFERDESC1 short_description = {16, SWITCH_FLAGS, 1322, 0, const_cast<WAVEFORMATEX *>(&click)};
    EXPECT_EQ(DSERR_INVALIDPARAM, device->CreateSoundBuffer(reinterpret_cast<LPCDSBUFFERDESC>(&short_description),
                                                            &buffer, nullptr));
    EXPECT_EQ(DS_OK, create(SWITCH_FLAGS, 4, &click, &buffer)) << "DSBSIZE_MIN itself";
    EXPECT_EQ(DSERR_INVALIDPARAM, device->SetCooperativeLevel(nullptr, 0));
    EXPECT_EQ(DS_OK, device->SetCooperativeLevel(nullptr, DSSCL_NORMAL)) << "even with a null window";
    IDirectSound *other = nullptr;
    const GUID some_card = {1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    EXPECT_EQ(DSERR_NODRIVER, clock->create_device(GAUGE, &some_card, &other, nullptr));
}

TEST_F(ClockSound, OneShotSoundsForItsLengthInPanelTicksThenReportsStoppedAndRewound) {
    // 1322 samples at 22050 a second: 0.06 s, past the end of tick 1, before tick 2.
    IDirectSoundBuffer *click = filled(SWITCH_FLAGS, 1322, pcm(1, 22050, 8), 0x90);
    EXPECT_EQ(0u, status(click));
    ASSERT_EQ(DS_OK, click->Play(0, 0, 0));
    EXPECT_EQ(DWORD(DSBSTATUS_PLAYING), status(click)) << "in the tick it started";
    clock->tick = 1;
    EXPECT_EQ(DWORD(DSBSTATUS_PLAYING), status(click));
    DWORD position = 0;
    click->GetCurrentPosition(&position, nullptr);
    EXPECT_EQ(1225u, position) << "22050 / 18 samples a tick";
    clock->tick = 2;
    EXPECT_EQ(0u, status(click));
    click->GetCurrentPosition(&position, nullptr);
    EXPECT_EQ(0u, position);
    ASSERT_EQ(DS_OK, click->Play(0, 0, 0));
    EXPECT_EQ(DWORD(DSBSTATUS_PLAYING), status(click)) << "played again from the start";
}

TEST_F(ClockSound, FrequencyLoopingAndStopChangeHowLongItSounds) {
    IDirectSoundBuffer *sound = filled(IGNITION_FLAGS, 2450, pcm(1, 22050, 8), 0x90);
    ASSERT_EQ(DS_OK, sound->SetFrequency(44100));
    sound->Play(0, 0, 0);
    clock->tick = 1;
    EXPECT_EQ(0u, status(sound)) << "2450 samples at 44100 a second last one tick";
    ASSERT_EQ(DS_OK, sound->SetFrequency(DSBFREQUENCY_ORIGINAL));
    sound->Play(0, 0, DSBPLAY_LOOPING);
    clock->tick = 500;
    EXPECT_EQ(DWORD(DSBSTATUS_PLAYING | DSBSTATUS_LOOPING), status(sound));
    sound->Stop();
    DWORD held = 0, later = 0;
    sound->GetCurrentPosition(&held, nullptr);
    clock->tick = 600;
    sound->GetCurrentPosition(&later, nullptr);
    EXPECT_EQ(0u, status(sound));
    EXPECT_EQ(held, later) << "a stopped buffer keeps its position";
    EXPECT_EQ(DSERR_INVALIDPARAM, sound->SetFrequency(99));
    EXPECT_EQ(DSERR_INVALIDPARAM, sound->SetVolume(1));
    EXPECT_EQ(DSERR_INVALIDPARAM, sound->SetPan(-10001));
    EXPECT_EQ(DSERR_INVALIDPARAM, sound->SetCurrentPosition(2450));
}

TEST_F(ClockSound, ControlsAndTheThreeDInterfaceOnlyWhereTheFlagsAskForThem) {
    IDirectSoundBuffer *plain = filled(0, 100, pcm(1, 22050, 8), 0x80);
    EXPECT_EQ(DSERR_CONTROLUNAVAIL, plain->SetVolume(-100));
    EXPECT_EQ(DSERR_CONTROLUNAVAIL, plain->SetPan(100));
    EXPECT_EQ(DSERR_CONTROLUNAVAIL, plain->SetFrequency(11025));
    void *interface_3d = nullptr;
    EXPECT_EQ(E_NOINTERFACE, plain->QueryInterface(iid_buffer_3d, &interface_3d));
    IDirectSoundBuffer *switch_buffer = filled(SWITCH_FLAGS, 100, pcm(1, 22050, 8), 0x80);
    ASSERT_EQ(S_OK, switch_buffer->QueryInterface(iid_buffer_3d, &interface_3d));
    EXPECT_EQ(0u, static_cast<IDirectSound3DBuffer *>(interface_3d)->Release());
}

TEST_F(ClockSound, LockWrapsIntoTwoPartsAndRefusesWhatLiesOutside) {
    IDirectSoundBuffer *buffer = filled(IGNITION_FLAGS, 100, pcm(1, 22050, 16), 0);
    void *first = nullptr, *second = nullptr;
    DWORD first_length = 0, second_length = 0;
    ASSERT_EQ(DS_OK, buffer->Lock(90, 30, &first, &first_length, &second, &second_length, 0));
    EXPECT_EQ(10u, first_length);
    EXPECT_EQ(20u, second_length);
    EXPECT_EQ(static_cast<BYTE *>(second) + 90, first);
    EXPECT_EQ(DSERR_INVALIDPARAM, buffer->Unlock(static_cast<BYTE *>(first) + 1, 10, second, second_length));
    EXPECT_EQ(DS_OK, buffer->Unlock(first, first_length, second, second_length));
    EXPECT_EQ(DSERR_INVALIDPARAM, buffer->Lock(100, 1, &first, &first_length, &second, &second_length, 0));
    EXPECT_EQ(DSERR_INVALIDPARAM, buffer->Lock(0, 101, &first, &first_length, &second, &second_length, 0));
}

TEST_F(ClockSound, DuplicatesShareTheBytesButNotThePlay) {
    IDirectSoundBuffer *source = filled(SWITCH_FLAGS, 1322, pcm(1, 22050, 8), 0x90);
    IDirectSoundBuffer *copy = nullptr;
    ASSERT_EQ(DS_OK, device->DuplicateSoundBuffer(source, &copy));
    made.push_back(copy);
    void *first = nullptr;
    DWORD length = 0;
    ASSERT_EQ(DS_OK, copy->Lock(0, 1322, &first, &length, nullptr, nullptr, 0));
    EXPECT_EQ(0x90, static_cast<BYTE *>(first)[1321]);
    copy->Unlock(first, length, nullptr, 0);
    source->Play(0, 0, 0);
    EXPECT_EQ(0u, status(copy));
    IDirectSoundBuffer *stranger = reinterpret_cast<IDirectSoundBuffer *>(&length);
    EXPECT_EQ(DSERR_INVALIDPARAM, device->DuplicateSoundBuffer(stranger, &copy));
    EXPECT_EQ(nullptr, copy);
}

TEST_F(ClockSound, LostBuffersRefuseLockAndPlayUntilRestoredAndComeBackSilent) {
    IDirectSoundBuffer *buffer = filled(SWITCH_FLAGS, 1322, pcm(1, 22050, 8), 0x90);
    buffer->Play(0, 0, 0);
    EXPECT_EQ(1, clock->lose_buffers(GAUGE));
    EXPECT_EQ(0, clock->lose_buffers(reinterpret_cast<HMODULE>(0x20000000))) << "another gauge's";
    EXPECT_EQ(DWORD(DSBSTATUS_BUFFERLOST), status(buffer)) << "lost and no longer playing";
    void *first = nullptr;
    DWORD length = 0;
    EXPECT_EQ(DSERR_BUFFERLOST, buffer->Lock(0, 1322, &first, &length, nullptr, nullptr, 0));
    EXPECT_EQ(DSERR_BUFFERLOST, buffer->Play(0, 0, 0));
    ASSERT_EQ(DS_OK, buffer->Restore());
    EXPECT_EQ(0u, status(buffer));
    ASSERT_EQ(DS_OK, buffer->Lock(0, 1322, &first, &length, nullptr, nullptr, 0));
    EXPECT_EQ(0x80, static_cast<BYTE *>(first)[0]) << "its bytes must be written again";
    buffer->Unlock(first, length, nullptr, 0);
    EXPECT_EQ(DS_OK, buffer->Play(0, 0, 0));
}

TEST_F(ClockSound, AFaultFailsTheNextCallOfItsOperationOnly) {
    IDirectSoundBuffer *buffer = filled(SWITCH_FLAGS, 1322, pcm(1, 22050, 8), 0x90);
    clock->faults(GAUGE).fail_next("Play", DSERR_GENERIC);
    clock->faults(GAUGE).fail_next("CreateSoundBuffer", DSERR_OUTOFMEMORY);
    EXPECT_EQ(DSERR_GENERIC, buffer->Play(0, 0, 0));
    EXPECT_EQ(0u, status(buffer)) << "a failed Play plays nothing";
    EXPECT_EQ(DS_OK, buffer->Play(0, 0, 0));
    IDirectSoundBuffer *next = nullptr;
    const WAVEFORMATEX click = pcm(1, 22050, 8);
    EXPECT_EQ(DSERR_OUTOFMEMORY, create(SWITCH_FLAGS, 1322, &click, &next));
    EXPECT_EQ(DS_OK, create(SWITCH_FLAGS, 1322, &click, &next));
}

// The first output frames of one tick mixed from the clock's buffers.
std::vector<int16_t> mixed(const bench::SoundClock &clock, unsigned long tick) {
    std::vector<int16_t> stereo;
    bench::mix_tick(clock.buffers(), tick, stereo);
    EXPECT_EQ(2 * bench::MIX_FRAMES_PER_TICK, stereo.size());
    return stereo;
}

TEST_F(ClockSound, MixReadsEachFormatAtItsRateFromItsPosition) {
    IDirectSoundBuffer *click = filled(SWITCH_FLAGS, 1322, pcm(1, 22050, 8), 0x90);
    EXPECT_EQ(0, mixed(*clock, 0)[0]) << "nothing plays";
    click->Play(0, 0, 0);
    std::vector<int16_t> tick0 = mixed(*clock, 0);
    EXPECT_EQ(0x10 * 256, tick0[0]);
    EXPECT_EQ(0x10 * 256, tick0[1]);
    EXPECT_EQ(0x10 * 256, tick0[2 * 2449 + 1]);
    std::vector<int16_t> tick1 = mixed(*clock, 1);
    EXPECT_EQ(0x10 * 256, tick1[2 * 193]) << "1322 samples at 22050 are 2644 output frames";
    EXPECT_EQ(0, tick1[2 * 194]);
    click->Stop();

    // 16-bit stereo, left 1000 and right -1000, panned fully right at half volume.
    IDirectSoundBuffer *stereo = nullptr;
    const WAVEFORMATEX format = pcm(2, 44100, 16);
    ASSERT_EQ(DS_OK, create(IGNITION_FLAGS, 400, &format, &stereo));
    int16_t *samples = nullptr;
    DWORD length = 0;
    ASSERT_EQ(DS_OK, stereo->Lock(0, 400, reinterpret_cast<void **>(&samples), &length, nullptr, nullptr, 0));
    for (int frame = 0; frame < 100; ++frame) {
        samples[2 * frame] = 1000;
        samples[2 * frame + 1] = -1000;
    }
    stereo->Unlock(samples, length, nullptr, 0);
    stereo->SetPan(DSBPAN_RIGHT);
    stereo->SetVolume(-602);
    stereo->SetCurrentPosition(396);
    stereo->Play(0, 0, DSBPLAY_LOOPING);
    std::vector<int16_t> panned = mixed(*clock, 0);
    EXPECT_EQ(0, panned[0]) << "pan 10000 silences the left";
    EXPECT_NEAR(-500, panned[1], 1) << "-6.02 dB halves";
    EXPECT_NEAR(-500, panned[2 * 150 + 1], 1) << "looped round from its last frame";
}

// The tick as the formula gives it, frame by frame: output frame `out`
// plays position start + out * step (in 1/44100 of a buffer frame), taken
// modulo the buffer's length when it loops; between two frames linearly.
std::vector<int16_t> formula_mix(const std::vector<bench::ClockSoundBuffer *> &buffers, unsigned long tick) {
    const uint64_t units = 44100;
    std::vector<int64_t> sum(2 * bench::MIX_FRAMES_PER_TICK, 0);
    for (const bench::ClockSoundBuffer *buffer : buffers) {
        bench::BufferStretch stretch;
        const uint64_t frames = buffer->frames();
        if (frames == 0 || !buffer->stretch(tick, bench::MIX_FRAMES_PER_TICK, stretch))
            continue;
        int32_t gains[2];
        bench::channel_gains(buffer->volume(), buffer->pan(), gains[0], gains[1]);
        const WAVEFORMATEX &format = buffer->format();
        auto sample = [&](uint64_t frame, unsigned channel) -> int64_t {
            const BYTE *at = buffer->bytes().data() + frame * format.nBlockAlign;
            if (format.wBitsPerSample == 8)
                return (int64_t(at[channel]) - 128) * 256;
            return int16_t(at[2 * channel] | (at[2 * channel + 1] << 8));
        };
        for (uint64_t out = 0; out < bench::MIX_FRAMES_PER_TICK; ++out) {
            uint64_t at = stretch.start + out * stretch.step;
            if (stretch.looping)
                at %= frames * units;
            else if (at >= frames * units)
                break;
            const uint64_t frame = at / units;
            const int64_t fraction = int64_t(at % units);
            const uint64_t next = frame + 1 < frames ? frame + 1 : stretch.looping ? 0 : frame;
            for (unsigned side = 0; side < 2; ++side) {
                const unsigned channel = format.nChannels == 2 ? side : 0;
                const int64_t first = sample(frame, channel), second = sample(next, channel);
                sum[2 * out + side] += (first + (second - first) * fraction / int64_t(units)) * gains[side] >> 16;
            }
        }
    }
    std::vector<int16_t> stereo;
    for (int64_t value : sum)
        stereo.push_back(static_cast<int16_t>(value > 32767 ? 32767 : value < -32768 ? -32768 : value));
    return stereo;
}

TEST_F(ClockSound, MixIsTheFormulaForEveryFormatRateLengthAndPosition) {
    uint32_t seed = 12345;
    auto random = [&seed](uint32_t below) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % below;
    };
    const DWORD rates[] = {100, 8000, 11025, 22050, 44100, 48000, 99991, 100000};
    const DWORD lengths[] = {1, 2, 3, 7, 2450, 4999};  // in frames
    int compared = 0;
    for (WORD bits : {8, 16})
        for (WORD channels : {1, 2})
            for (DWORD frames : lengths)
                for (DWORD rate : rates)
                    for (bool looping : {false, true}) {
                        const WAVEFORMATEX format = pcm(channels, 22050, bits);
                        const DWORD bytes = std::max<DWORD>(frames * format.nBlockAlign, 4);
                        IDirectSoundBuffer *buffer = filled(IGNITION_FLAGS, bytes, format, 0);
                        BYTE *data = nullptr;
                        DWORD length = 0;
                        ASSERT_EQ(DS_OK, buffer->Lock(0, bytes, reinterpret_cast<void **>(&data), &length, nullptr,
                                                      nullptr, 0));
                        for (DWORD i = 0; i < length; ++i)
                            data[i] = static_cast<BYTE>(random(256));
                        buffer->Unlock(data, length, nullptr, 0);
                        buffer->SetFrequency(rate);
                        buffer->SetVolume(-static_cast<LONG>(random(3000)));
                        buffer->SetPan(static_cast<LONG>(random(4001)) - 2000);
                        buffer->SetCurrentPosition(random(bytes / format.nBlockAlign) * format.nBlockAlign);
                        clock->tick = 1000 + random(100);
                        buffer->Play(0, 0, looping ? DSBPLAY_LOOPING : 0);
                        for (unsigned long tick = clock->tick; tick < clock->tick + 5; ++tick) {
                            std::vector<int16_t> mixed;
                            bench::mix_tick(clock->buffers(), tick, mixed);
                            ASSERT_EQ(formula_mix(clock->buffers(), tick), mixed)
                                << bits << "-bit, " << channels << " channel(s), " << frames << " frames at "
                                << rate << " Hz, " << (looping ? "looping" : "one-shot") << ", tick " << tick;
                            ++compared;
                        }
                        // Loud buffers beside it: the sum is clipped to 16 bits.
                        if (frames == 2450 && rate == 44100)
                            continue;
                        buffer->Stop();
                    }
    EXPECT_EQ(2 * 2 * 6 * 8 * 2 * 5, compared);
}

// Silent ticks are passed over, not written: the file still reads every
// tick, the silence as zeros, up to its last byte.
TEST_F(ClockSound, TrackReadsEveryTickWithItsSilencePassedOver) {
    TestFolder folder;
    const std::string path = folder.write("track.wav", {});
    bench::SoundTrack track;
    std::string error;
    ASSERT_TRUE(track.open(path, error)) << error;
    IDirectSoundBuffer *click = filled(SWITCH_FLAGS, 1322, pcm(1, 22050, 8), 0x90);
    std::vector<int16_t> expected;
    auto tick = [&](unsigned long number) {
        std::vector<int16_t> frames;
        bench::mix_tick(clock->buffers(), number, frames);
        expected.insert(expected.end(), frames.begin(), frames.end());
        track.append_tick(clock->buffers(), number);
    };
    for (unsigned long number = 0; number < 3; ++number)
        tick(number);
    clock->tick = 3;
    click->Play(0, 0, 0);  // 2644 output frames: all of tick 3, some of tick 4
    for (unsigned long number = 3; number < 8; ++number)
        tick(number);
    ASSERT_TRUE(track.close(error)) << error;

    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    std::vector<uint8_t> bytes(44 + expected.size() * 2 + 1);
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    ASSERT_EQ(44 + expected.size() * 2, read) << "8 ticks of 9800 bytes after the header";
    std::vector<uint8_t> header;
    bench::wave_header(expected.size() * 2, header);
    EXPECT_TRUE(std::equal(header.begin(), header.end(), bytes.begin()));
    size_t differing = 0;
    for (size_t i = 0; i < expected.size(); ++i)
        differing += int16_t(bytes[44 + 2 * i] | bytes[45 + 2 * i] << 8) != expected[i];
    EXPECT_EQ(0u, differing) << "of " << expected.size() << " samples";
    EXPECT_NE(0, expected[4 * 2 * bench::MIX_FRAMES_PER_TICK + 1]) << "the click sounds in tick 4";
}

TEST(ChannelGains, FollowVolumeAndPanInHundredthsOfADecibel) {
    int32_t left = 0, right = 0;
    bench::channel_gains(0, 0, left, right);
    EXPECT_EQ(65536, left);
    EXPECT_EQ(65536, right);
    bench::channel_gains(-2000, -1000, left, right);
    EXPECT_EQ(6554, left) << "-20 dB is a tenth";
    EXPECT_EQ(2072, right) << "-30 dB";
    bench::channel_gains(-10000, 0, left, right);
    EXPECT_EQ(0, left);
}

uint32_t field(const std::vector<uint8_t> &header, size_t at) {
    return header[at] | header[at + 1] << 8 | header[at + 2] << 16 | uint32_t(header[at + 3]) << 24;
}

TEST(SoundTrackLimit, TheLongestTrackIsTheLastWholeTickWithinTheRiffSize) {
    // 2450 frames of two 16-bit samples a tick; (2^32 - 1 - 36) / 9800 = 438261.7.
    EXPECT_EQ(9800u, bench::TRACK_BYTES_PER_TICK);
    EXPECT_EQ(438261, bench::MAX_TRACK_TICKS);
    std::vector<uint8_t> header;
    ASSERT_TRUE(bench::wave_header(438261ull * 9800, header));
    ASSERT_EQ(44u, header.size());
    EXPECT_EQ(36u + 438261u * 9800u, field(header, 4)) << "RIFF size";
    EXPECT_EQ(438261u * 9800u, field(header, 40)) << "data size";
    EXPECT_EQ(176400u, field(header, 28)) << "bytes a second";
    ASSERT_TRUE(bench::wave_header(0xFFFFFFFFull - 36, header));
    EXPECT_EQ(0xFFFFFFFFu, field(header, 4));
    EXPECT_FALSE(bench::wave_header(0xFFFFFFFFull - 35, header)) << "a RIFF size that wraps";
    EXPECT_FALSE(bench::wave_header(438262ull * 9800, header));
}

TEST(SoundTrackLimit, AScriptPastItIsNamedWithTheLimitInTicksAndHours) {
    EXPECT_EQ("", bench::track_length_mistake(0));
    EXPECT_EQ("", bench::track_length_mistake(438261));
    EXPECT_EQ("runs 438262 ticks; a WAVE sound track holds at most 438261 ticks (6.76 simulated hours) "
              "at 9800 bytes a tick",
              bench::track_length_mistake(438262));
    EXPECT_NE("", bench::track_length_mistake(1000000));
}

}  // namespace
