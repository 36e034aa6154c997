// The program's entry: finds its data, reads the window size and runs the tracker.
#include <cstdio>
#include <memory>
#include <string>

#include "app/game_config.h"
#include "app/thread_resource_pool.h"
#include "platform/data_root.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/window/desktop_session.h"
#include "shell/game_app.h"
#include "tracker/brav_config.h"
#include "tracker/game_state_main_menu.h"

int main() {
    if (!platform::desktopSessionAvailable()) {
        std::fprintf(stderr, "%s\n", platform::noDisplayMessage);
        return 1;
    }
    if (!platform::enterDataRoot()) {
        platform::showMessageBox("Error", "The Data folder could not be found beside the program.");
        return 1;
    }
    auto appPool = std::make_unique<ThreadResourcePool>("appPool");
    appPool->takeOwnership();
    auto config = std::make_unique<GameConfig>(appPool.get(), "BRAV Zoderud");
    std::uint32_t width = 1024;
    std::uint32_t height = 768;
    if (config->load()) {
        width = static_cast<std::uint32_t>(config->settings.width);
        height = static_cast<std::uint32_t>(config->settings.height);
    }
    std::string currentDirectory = platform::currentDirectory();
    auto application = std::make_unique<GameApp>(
        width, height, currentDirectory.c_str(), "BRAV Zoderud",
        [](GameStateManager* owner, ThreadResourcePool* pool) -> BaseState* {
            return new GameStateMainMenu(owner, pool, "mainMenuState");
        },
        [](ThreadResourcePool* pool) -> std::unique_ptr<GameConfigExt> {
            return std::make_unique<BRAVConfig>(pool, "BRAV Zoderud");
        });
    int status = application->run();
    application.reset();
    appPool.reset();
    config.reset();
    return status;
}
