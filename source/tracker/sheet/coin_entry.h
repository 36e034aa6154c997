#pragma once
// The five coin boxes of a money editor ("PP: " to "CP: ", platinum first, while Money stores
// copper first), their labels, the message line under them, and reading them as an amount.
#include <array>
#include <optional>
#include <string>

#include "rules/money.h"

class GameUIStandardElement;
class GameUIEditableTextLineBox;
class GameUILabel;
class Theme;
struct UIContext;

namespace coinentry {

constexpr const char* invalidMessage = "Enter each coin as a whole number from 0 to 999999999.";
constexpr const char* unaffordableMessage = "The purse cannot pay this amount.";

// Platinum, gold, electrum, silver, copper: the order on screen.
using CoinBoxes = std::array<GameUIEditableTextLineBox*, 5>;

// Adds the labels and numeric boxes across parent from -0.85 to 0.85, between top and bottom
// (the middle by default), each box starting with its coin of start.
CoinBoxes addCoinBoxes(GameUIStandardElement* parent, UIContext* owner, const Theme* theme, const Money& start,
                       float top = 0.2f, float bottom = -0.2f);
// The message line below the boxes, empty at first, between top and bottom.
GameUILabel* addMessageLine(GameUIStandardElement* parent, UIContext* owner, const Theme* theme, float top = -0.25f,
                            float bottom = -0.55f);

// The amount the boxes hold: each a count of up to nine digits, an empty box counting as 0;
// nothing when any box holds anything else (a sign, a letter, ten digits or more).
std::optional<Money> readCoins(const CoinBoxes& boxes);

} // namespace coinentry
