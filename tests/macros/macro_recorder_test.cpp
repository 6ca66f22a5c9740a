#include "macros/macro_recorder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varnel {
namespace {

using E = InputEvent;
using Lines = std::vector<std::string>;
constexpr int A = 0x41;
constexpr int B = 0x42;
constexpr int C = 0x43;
constexpr int Shift = 0x10;

struct Recorded {
    MacroScript script;
    MacroRecorder recorder;
    bool stopped = false;  // an event ended the recording
};

// Records `events` into `script` (a whole macro unless `setup` says insert).
Recorded record(const RecordingSetup& setup, const std::vector<E>& events, MacroScript script = {},
                bool overRecordButton = false) {
    Recorded r{std::move(script), {}, false};
    r.recorder.start(r.script, setup);
    for (const E& e : events) r.stopped |= r.recorder.handle(r.script, e, overRecordButton).stop;
    return r;
}

RecordingSetup whole(DelayMode mode, unsigned defaultMs = 50) { return {RecordPlacement::Append, 0, mode, defaultMs}; }

TEST(MacroRecorder, LinesOfAWholeRecording) {
    struct Row {
        const char* what;
        RecordingSetup setup;
        std::vector<E> events;
        Lines script;
    };
    const Row rows[] = {
        {"record delay",
         whole(DelayMode::RecordDelay),
         {E::keyDown(A, 1000), E::keyUp(A, 1120)},
         {"10", "1 A CODE:8204", "0 120", "2 A CODE:0204"}},
        {"default delay",
         whole(DelayMode::DefaultDelay, 50),
         {E::keyDown(A, 1000), E::keyUp(A, 1120)},
         {"0150", "1 A CODE:8204", "0 50", "2 A CODE:0204"}},
        {"the longest default delay",
         whole(DelayMode::DefaultDelay, 65530),
         {E::keyDown(A, 0), E::keyUp(A, 1)},
         {"0165530", "1 A CODE:8204", "0 65530", "2 A CODE:0204"}},
        {"a default delay past 65535 is split",
         whole(DelayMode::DefaultDelay, 70000),
         {E::keyDown(A, 0), E::keyUp(A, 1)},
         {"0170000", "1 A CODE:8204", "0 65535", "0 4465", "2 A CODE:0204"}},
        {"no delay",
         whole(DelayMode::NoDelay),
         {E::keyDown(A, 1000), E::keyUp(A, 1120)},
         {"00", "1 A CODE:8204", "2 A CODE:0204"}},
        {"auto-repeat",
         whole(DelayMode::RecordDelay),
         {E::keyDown(A, 0), E::keyDown(A, 30), E::keyDown(A, 60), E::keyUp(A, 100)},
         {"10", "1 A CODE:8204", "0 100", "2 A CODE:0204"}},
        {"Shift+A",
         whole(DelayMode::NoDelay),
         {E::keyDown(Shift, 0), E::keyDown(A, 5), E::keyUp(Shift, 9), E::keyUp(A, 12)},
         {"00", "1 Shift CODE:8102", "1 A CODE:8204", "2 Shift CODE:0102", "2 A CODE:0204"}},
        {"a second release with no press between is dropped",
         whole(DelayMode::NoDelay),
         {E::keyDown(Shift, 0), E::keyDown(A, 5), E::keyUp(Shift, 9), E::keyUp(Shift, 10), E::keyUp(A, 12)},
         {"00", "1 Shift CODE:8102", "1 A CODE:8204", "2 Shift CODE:0102", "2 A CODE:0204"}},
        {"a held key repeating after another key's release",
         whole(DelayMode::NoDelay),
         {E::keyDown(A, 0), E::keyDown(B, 5), E::keyUp(B, 9), E::keyDown(A, 12), E::keyUp(A, 15)},
         {"00", "1 A CODE:8204", "1 B CODE:8205", "2 B CODE:0205", "2 A CODE:0204"}},
        {"A pressed again while Shift is held, at once and after Shift repeated", whole(DelayMode::NoDelay),
         {E::keyDown(Shift, 0), E::keyDown(A, 1), E::keyUp(A, 2), E::keyDown(A, 3), E::keyUp(A, 4), E::keyDown(Shift, 5),
          E::keyDown(A, 6), E::keyUp(A, 7)},
         {"00", "1 Shift CODE:8102", "1 A CODE:8204", "2 A CODE:0204", "1 A CODE:8204", "2 A CODE:0204",
          "1 A CODE:8204", "2 A CODE:0204"}},
        {"Ctrl+Z, Z", whole(DelayMode::NoDelay),
         {E::keyDown(0x11, 0), E::keyDown(0x5A, 1), E::keyUp(0x5A, 2), E::keyDown(0x5A, 3), E::keyUp(0x5A, 4),
          E::keyUp(0x11, 5)},
         {"00", "1 Ctrl CODE:8101", "1 Z CODE:821D", "2 Z CODE:021D", "1 Z CODE:821D", "2 Z CODE:021D",
          "2 Ctrl CODE:0101"}},
        {"a 70 s pause",
         whole(DelayMode::RecordDelay),
         {E::keyDown(A, 0), E::keyUp(A, 70000)},
         {"10", "1 A CODE:8204", "0 65535", "2 A CODE:0204"}},
        {"a gap of 0 ms",
         whole(DelayMode::RecordDelay),
         {E::keyDown(A, 7), E::keyUp(A, 7)},
         {"10", "1 A CODE:8204", "2 A CODE:0204"}},
        {"the clock wraps",
         whole(DelayMode::RecordDelay),
         {E::keyDown(A, 0xFFFFFF00u), E::keyUp(A, 0x10)},
         {"10", "1 A CODE:8204", "0 272", "2 A CODE:0204"}},
        {"a clock that goes back gives no delay",
         whole(DelayMode::RecordDelay),
         {E::keyDown(A, 1000), E::keyUp(A, 400)},
         {"10", "1 A CODE:8204", "2 A CODE:0204"}},
        {"\"255\" is ignored, a missing key is None",
         whole(DelayMode::NoDelay),
         {E::keyDown(0xFF, 0), E::keyDown(0x07, 1), E::keyUp(0x07, 2), E::keyUp(0xFF, 3)},
         {"00", "1 None CODE:8200", "2 None CODE:0200"}},
        {"buttons, with their delays",
         whole(DelayMode::RecordDelay),
         {E::buttonDown(MouseButton::Right, 0), E::buttonUp(MouseButton::Right, 40),
          E::buttonDown(MouseButton::Backward, 50), E::buttonUp(MouseButton::Forward, 50)},
         {"10", "1 RightKey CODE:00A2", "0 40", "2 RightKey CODE:0022", "0 10", "1 Backward CODE:00B0",
          "2 Forward CODE:0028"}},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(record(r.setup, r.events).script, r.script) << r.what;
    }
}

TEST(MacroRecorder, TheClickOnStopIsNotRecorded) {
    const std::vector<E> events{E::buttonDown(MouseButton::Left, 0), E::buttonUp(MouseButton::Left, 10),
                                E::buttonDown(MouseButton::Right, 20)};
    EXPECT_EQ(record(whole(DelayMode::NoDelay), events, {}, true).script, (Lines{"00", "1 RightKey CODE:00A2"}));
}

// 99 presses and releases of A, then `tail`.
Recorded nearlyFull(const std::vector<E>& tail) {
    std::vector<E> events;
    for (std::uint32_t i = 0; i < 99; ++i) {
        events.push_back(E::keyDown(A, 2 * i));
        events.push_back(E::keyUp(A, 2 * i + 1));
    }
    events.insert(events.end(), tail.begin(), tail.end());
    return record(whole(DelayMode::NoDelay), events);
}

TEST(MacroRecorder, PressLimitKeepsTheHeldKeysReleases) {
    // B is the 100th press; C, the 101st, is refused and so is its release; B still gets its
    // release, the 100th, which ends the recording.
    Recorded r = nearlyFull({E::keyDown(B, 500), E::keyDown(C, 501), E::keyUp(C, 502), E::keyUp(B, 503)});
    EXPECT_TRUE(r.recorder.LimitReached());
    EXPECT_TRUE(r.stopped);
    EXPECT_FALSE(r.recorder.active());
    EXPECT_EQ(r.recorder.counts(), (EventCounts{100, 100}));
    EXPECT_EQ(Lines(r.script.end() - 2, r.script.end()), (Lines{"1 B CODE:8205", "2 B CODE:0205"}));

    // A release of a key never pressed in the recording, after the limit, is not recorded.
    r = nearlyFull({E::keyDown(B, 500), E::keyDown(C, 501), E::keyUp(0x44, 502)});
    EXPECT_TRUE(r.recorder.active());
    EXPECT_EQ(r.script.back(), "1 B CODE:8205");
}

TEST(MacroRecorder, TheHundredthReleaseStopsTheRecording) {
    Recorded r = nearlyFull({E::keyDown(A, 500), E::keyUp(A, 501), E::keyDown(B, 502)});
    EXPECT_TRUE(r.stopped);
    EXPECT_FALSE(r.recorder.LimitReached());
    EXPECT_EQ(r.recorder.counts(), (EventCounts{100, 100}));
    EXPECT_EQ(r.script.back(), "2 A CODE:0204") << "nothing after the stop";
}

TEST(MacroRecorder, InsertedRunsKeepTheirOrder) {
    const MacroScript macro{"10", "1 A CODE:8204", "0 50", "2 A CODE:0204"};
    const std::vector<E> run{E::keyDown(B, 0), E::keyUp(B, 20), E::keyDown(C, 30)};
    struct Row {
        RecordPlacement placement;
        int selected;
        Lines script;
        int insertPos;
    };
    const Row rows[] = {
        {RecordPlacement::Front,
         2,
         {"10", "1 A CODE:8204", "0 50", "1 B CODE:8205", "0 20", "2 B CODE:0205", "0 10", "1 C CODE:8206",
          "2 A CODE:0204"},
         7},
        {RecordPlacement::Back,
         0,
         {"10", "1 A CODE:8204", "1 B CODE:8205", "0 20", "2 B CODE:0205", "0 10", "1 C CODE:8206", "0 50",
          "2 A CODE:0204"},
         5},
    };
    for (const Row& r : rows) {
        const Recorded rec = record({r.placement, r.selected, DelayMode::RecordDelay, 50}, run, macro);
        EXPECT_EQ(rec.script, r.script) << static_cast<int>(r.placement);
        EXPECT_EQ(rec.recorder.InsertPos(), r.insertPos);
        EXPECT_EQ(rec.recorder.counts(), (EventCounts{3, 2})) << "counted from the macro's own events on";
    }
}

TEST(MacroRecorder, AnEventThatWouldPassTheBlockEndsTheRecording) {
    // Right clicks 10 ms apart: 1 byte for the first, then 3 + 1 for each delay and click.
    std::vector<E> events;
    for (std::uint32_t i = 0; i < 300; ++i)
        events.push_back(i % 2 ? E::buttonUp(MouseButton::Right, 10 * i) : E::buttonDown(MouseButton::Right, 10 * i));
    const Recorded r = record(whole(DelayMode::RecordDelay), events);
    EXPECT_TRUE(r.stopped);
    EXPECT_TRUE(r.recorder.LimitReached());
    const auto bytes = encodeMacroScript(r.script);
    ASSERT_TRUE(bytes.ok());
    EXPECT_EQ(bytes->size(), 1022u) << "1 + 255 x 4 + the end byte; one more click with its delay would pass 1024";
    EXPECT_NE(lineKind(r.script.back()), ScriptLineKind::Delay) << "the refused click's delay is not kept";

    // Without delays the block fills to its last byte.
    events.resize(1100, E::buttonDown(MouseButton::Middle, 0));
    const Recorded full = record(whole(DelayMode::NoDelay), events);
    EXPECT_EQ(encodeMacroScript(full.script)->size(), 1024u);
}

}  // namespace
}  // namespace varnel
