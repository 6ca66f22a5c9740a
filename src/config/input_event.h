#pragma once
// A key or mouse-button event as the macro recorder takes it from the input capture: which key
// (a virtual-key code of the key table) or button went down or up, and when.
#include <cstdint>

namespace varnel {

// In the order of the button bits of a mouse-button macro event (0x01, 0x02, 0x04, 0x08, 0x10).
enum class MouseButton { Left, Right, Middle, Forward, Backward };

struct InputEvent {
    enum class Kind { KeyDown, KeyUp, ButtonDown, ButtonUp };
    Kind kind = Kind::KeyDown;
    int key = 0;  // virtual-key code, for key events
    MouseButton button = MouseButton::Left;
    std::uint32_t timeMs = 0;  // a millisecond clock that may wrap

    static InputEvent keyDown(int vk, std::uint32_t t) { return {Kind::KeyDown, vk, MouseButton::Left, t}; }
    static InputEvent keyUp(int vk, std::uint32_t t) { return {Kind::KeyUp, vk, MouseButton::Left, t}; }
    static InputEvent buttonDown(MouseButton b, std::uint32_t t) { return {Kind::ButtonDown, 0, b, t}; }
    static InputEvent buttonUp(MouseButton b, std::uint32_t t) { return {Kind::ButtonUp, 0, b, t}; }
};

}  // namespace varnel
