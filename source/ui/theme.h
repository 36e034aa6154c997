#pragma once
// A named set of widget colours (fills, outlines, panels, text) by state, read from a theme file.
#include <array>
#include <cstdint>
#include <string>

struct ThemeColour {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 0.0f;
    const float* data() const { return &r; }
};

struct ThemeTextFade {
    std::uint8_t hasFadeIn = 0;
    float fadeIn = 0.0f;
};

class Theme {
public:
    // The slots, addressed by position.
    enum Slot : std::uint32_t {
        WidgetNormal, WidgetHovered, WidgetActivated, WidgetDisabled,
        WidgetOutlineNormal, WidgetOutlineNormal2, WidgetOutlineHovered, WidgetOutlineHovered2,
        WidgetOutlineActivated, WidgetOutlineActivated2, WidgetOutlineDisabled,
        SolidWidgetNormal, SolidWidgetHovered, SolidWidgetActivated, SolidWidgetDisabled,
        PanelNormal, PanelHovered, PanelActivated, PanelDisabled, PanelOutline,
        SolidPanelNormal, SolidPanelHovered, SolidPanelActivated, SolidPanelDisabled,
        TextNormal, TextNormal2, TextHovered, TextHovered2, TextActivated, TextActivated2,
        TextDisabled, TextDisabled2,
        SlotCount
    };
    // The fade records, one per text state pair.
    enum Fade : std::uint32_t { FadeNormal, FadeHovered, FadeActivated, FadeDisabled, FadeCount };

    // The defaults, then what the file at path gives.
    explicit Theme(const std::string& path);

    const ThemeColour& colour(Slot slot) const { return colours[slot]; }
    const float* operator[](Slot slot) const { return colours[slot].data(); }

    std::array<ThemeColour, SlotCount> colours{};
    std::array<ThemeTextFade, FadeCount> fades{};

private:
    void setDefaults();
    void load(const std::string& path);
};
