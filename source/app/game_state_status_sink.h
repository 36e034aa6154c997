#pragma once
// Where the game-state manager writes the current state's status after each update cycle; the
// render interface implements it, so the framework needs no knowledge of the render layer.
#include <cstdint>

class GameStateStatusSink {
public:
    virtual ~GameStateStatusSink() = default;
    virtual void setGameStateStatus(std::uint32_t status) = 0;
};
