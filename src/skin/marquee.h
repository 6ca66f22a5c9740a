#pragma once
// The caption marquee: while the pointer rests on a button, its caption scrolls one character
// to the left every tick, with a gap of four spaces after the first round.
#include <string>
#include <string_view>

namespace varnel {

class Marquee {
public:
    // Mouse-enter: remember the label and its caption; ticks start from 0.
    void start(std::string_view label, std::string_view caption);
    // One LabelRun tick: the new caption of label(). An empty caption is never rotated.
    const std::string& tick();
    // Mouse-leave: the caption to put back on label(); the marquee forgets the label.
    std::string stop();
    // The label's caption was replaced while scrolling (e.g. by a language switch).
    void restartWith(std::string_view caption);

    const std::string& label() const { return label_; }
    bool active() const { return !label_.empty(); }
    const std::string& text() const { return text_; }
    int ticks() const { return ticks_; }
    void setTicks(int ticks) { ticks_ = ticks; }  // for tests of the counter wrap

private:
    std::string label_;
    std::string remembered_;
    std::string text_;
    int ticks_ = 0;
};

// First character of UTF-8 text `s` (one code point), empty for empty text.
std::string_view firstCharacter(std::string_view s);

}  // namespace varnel
