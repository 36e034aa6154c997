// The application window: a fixed size, the program's icon, and full screen at the display's origin.
#include <gtest/gtest.h>

#include <SDL.h>

#include "platform/window/app_window.h"

namespace {

std::pair<int, int> positionOf(const platform::AppWindow& window) {
    std::pair<int, int> at;
    window.position(at.first, at.second);
    return at;
}

TEST(AppWindow, IsAFixedSizeWindowWithTheProgramsIcon) {
    std::string error;
    auto window = platform::AppWindow::create("fixed", 100, 100, 320, 240, error);
    ASSERT_TRUE(window) << error;
    EXPECT_EQ(SDL_GetWindowFlags(window->sdlWindow()) & SDL_WINDOW_RESIZABLE, 0u) << "the size comes from the settings";
}

TEST(AppWindow, BorderlessStaysAtTheOriginAndReturnsToTheFramedPosition) {
    std::string error;
    auto window = platform::AppWindow::create("full screen", 100, 100, 320, 240, error);
    ASSERT_TRUE(window) << error;
    window->setPosition(200, 150);
    window->setBorderless(true);
    EXPECT_EQ(positionOf(*window), std::make_pair(0, 0));
    window->setBorderless(false);
    EXPECT_EQ(positionOf(*window), std::make_pair(200, 150)) << "back where it was";

    // A position asked for while borderless (the remembered framed one) is where it returns.
    window->setBorderless(true);
    window->setPosition(60, 70);
    EXPECT_EQ(positionOf(*window), std::make_pair(0, 0));
    window->setBorderless(true);
    EXPECT_EQ(positionOf(*window), std::make_pair(0, 0));
    window->setBorderless(false);
    EXPECT_EQ(positionOf(*window), std::make_pair(60, 70));
}

} // namespace
