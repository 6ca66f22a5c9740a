#pragma once
// The main window's size, caption and placement, and where the busy window sits over it.
namespace varnel {

struct WindowRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const WindowRect&) const = default;
};

constexpr int kMainWindowWidth = 800;
constexpr int kMainWindowHeight = 600;
constexpr const char* kMainWindowCaption = "Varnel Gaming Mouse v1.0";
constexpr const char* kApplicationTitle = "Gaming Mouse";

// Centred on the screen, halves rounded toward zero (a screen smaller than the window gives a
// negative origin).
constexpr WindowRect centredWindowRect(int screenWidth, int screenHeight, int width = kMainWindowWidth,
                                       int height = kMainWindowHeight) {
    return {(screenWidth - width) / 2, (screenHeight - height) / 2, width, height};
}

// A dialog centred on the main window, halves rounded toward zero (the macro-name dialog).
constexpr WindowRect centredOn(const WindowRect& main, int width, int height) {
    return {main.x + (main.width - width) / 2, main.y + (main.height - height) / 2, width, height};
}

// The busy window: centred on the main window and 40 pixels lower.
constexpr WindowRect busyWindowRect(const WindowRect& main, int width, int height) {
    WindowRect r = centredOn(main, width, height);
    r.y += 40;
    return r;
}

}  // namespace varnel
