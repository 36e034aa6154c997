// The render interface's fonts, colour ids, line-height registry and text measuring.
#include <algorithm>

#include "render/font_list.h"
#include "render/font_store.h"
#include "render/hand_off_task.h"
#include "render/render_interface.h"
#include "render/text_colour_ids.h"
#include "render/text_measuring.h"

namespace {

const char* const fontFolder = "Data/fonts/";
const char* const colourIdDatabasePath = "Data/colours/colour_id_database.xml";

} // namespace

// Rebuilds the update side's font metrics at the hand-off after its screen size changed, while
// the update thread is parked.
class RenderInterface::FontMetricsRefresh : public HandOffTask {
public:
    explicit FontMetricsRefresh(RenderInterface& owner) : owner_(owner) {}
    bool wantsToRun() override {
        const RenderSettings& settings = owner_.updateSettings();
        if (settings.width == 0 || settings.height == 0) return false;
        return settings.width != owner_.fontStore_->screenWidth() || settings.height != owner_.fontStore_->screenHeight();
    }
    void run() override {
        const RenderSettings& settings = owner_.updateSettings();
        owner_.fontStore_->rebuild(settings.width, settings.height);
    }

private:
    RenderInterface& owner_;
};

void RenderInterface::loadFontList() {
    if (!fontStore_) {
        fontStore_ = new FontStore();
        fontMetricsRefresh_ = new FontMetricsRefresh(*this);
        addHandOffTask(fontMetricsRefresh_);
    }
    fontStore_->loadFontList(fontFolder, glyphCharacterSet_, updateSettings_.width, updateSettings_.height);
}

void RenderInterface::loadFont(std::uint32_t size, std::uint32_t pixelSize, const std::string& name) {
    if (fontStore_) fontStore_->loadFont(size, pixelSize, name);
}

void RenderInterface::loadColourIdDatabase() {
    delete renderColourIds_;
    delete updateColourIds_;
    renderColourIds_ = new ColourIdTable();
    updateColourIds_ = new ColourIdTable();
    readColourIdDatabase(colourIdDatabasePath, *renderColourIds_);
    *updateColourIds_ = *renderColourIds_;
}

void RenderInterface::releaseFonts() {
    delete fontStore_;
    fontStore_ = nullptr;
    delete fontMetricsRefresh_;
    fontMetricsRefresh_ = nullptr;
    delete renderColourIds_;
    renderColourIds_ = nullptr;
    delete updateColourIds_;
    updateColourIds_ = nullptr;
}

const FontRecord* RenderInterface::findFontRecord(const std::string& fontKey) const {
    return fontStore_ ? fontStore_->find(fontKey) : nullptr;
}

std::vector<std::string> RenderInterface::smallerSizesOfFont(const std::string& key) const {
    std::vector<std::string> keys;
    if (!fontStore_) return keys;
    const std::vector<FontListEntry>& entries = fontStore_->entries();
    auto own = std::find_if(entries.begin(), entries.end(),
                            [&](const FontListEntry& entry) { return key == fontKey(entry.name, entry.size); });
    if (own == entries.end()) return keys;
    // A larger size number divides the screen into a smaller pixel height.
    std::vector<std::uint32_t> sizes;
    for (const FontListEntry& entry : entries) {
        if (entry.name == own->name && entry.size > own->size) sizes.push_back(entry.size);
    }
    std::sort(sizes.begin(), sizes.end());
    sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
    for (std::uint32_t size : sizes) keys.push_back(fontKey(own->name, size));
    return keys;
}

void RenderInterface::registerFontName(const std::string& name, float value) {
    std::lock_guard<std::mutex> lock(textSharedMutex_);
    auto found = fontMetricIndex_.find(name);
    if (found != fontMetricIndex_.end()) {
        found->second->value = value;
        return;
    }
    fontMetrics_.push_back({name, value});
    fontMetricIndex_[name] = &fontMetrics_.back();
}

float RenderInterface::registeredLineHeight(const std::string& name) const {
    std::lock_guard<std::mutex> lock(textSharedMutex_);
    auto found = fontMetricIndex_.find(name);
    return found == fontMetricIndex_.end() ? -1.0f : found->second->value;
}

namespace {

// Until the render thread has built a font's atlas its line height is not registered; sizes must
// not come out negative meanwhile.
constexpr float minimumLineHeight = 0.01f;

// Text in the main font at some size draws its bold spans in the bold font at the same size, as
// text boxes and push buttons are given them; any other font draws its bold spans in itself.
const FontRecord* boldPartner(const RenderInterface& renderInterface, const FontStore& store, const std::string& key) {
    const std::vector<FontListEntry>& entries = store.entries();
    auto keyed = [&](const std::string& wanted) {
        return std::find_if(entries.begin(), entries.end(),
                            [&](const FontListEntry& entry) { return wanted == fontKey(entry.name, entry.size); });
    };
    auto own = keyed(key);
    auto main = keyed(renderInterface.mainFontName());
    auto bold = keyed(renderInterface.boldFontName());
    if (own == entries.end() || main == entries.end() || bold == entries.end() || own->name != main->name) return nullptr;
    return store.find(fontKey(bold->name, own->size));
}

TextMeasureFont measureFont(const RenderInterface& renderInterface, const FontStore* store, const std::string& key) {
    TextMeasureFont font;
    font.lineHeight = minimumLineHeight;
    if (!store || store->screenWidth() == 0 || store->screenHeight() == 0) return font;
    font.font = store->find(key);
    font.bold = boldPartner(renderInterface, *store, key);
    font.lineHeight = renderInterface.registeredLineHeight(key);
    if (font.lineHeight <= 0.0f) font.lineHeight = font.font && font.font->lineHeight > 0.0f ? font.font->lineHeight : minimumLineHeight;
    font.px = 2.0f / static_cast<float>(store->screenWidth());
    font.py = 2.0f / static_cast<float>(store->screenHeight());
    return font;
}

} // namespace

void RenderInterface::measureText(TextMeasure& out, const std::string& fontKey, const std::string& text,
                                  bool singleLine, float maxWidth) const {
    out = measureTextWithFont(measureFont(*this, fontStore_, fontKey), text, singleLine, maxWidth);
}

std::uint32_t RenderInterface::countFittingCharacters(const std::string& text, const std::string& fontKey,
                                                      float maxWidth) const {
    TextMeasure measure;
    measureText(measure, fontKey, text, true, maxWidth);
    return measure.fitCount;
}

std::uint32_t RenderInterface::letterIndexAtPoint(const std::string& text, const std::string& fontKey,
                                                  const float topLeft[2], float boxWidth, float x, float y) const {
    return letterIndexAtPointWithFont(measureFont(*this, fontStore_, fontKey), text, topLeft, boxWidth, x, y);
}

void RenderInterface::layoutWrappedText(float out[2], const std::string& text, const std::string& fontKey,
                                        const float topLeft[2], float boxWidth, std::uint32_t letterIndex) const {
    layoutWrappedTextWithFont(out, measureFont(*this, fontStore_, fontKey), text, topLeft, boxWidth, letterIndex);
}

std::uint32_t RenderInterface::letterIndexAtPointWrapped(const std::string& text, const std::string& fontKey,
                                                         const float topLeft[2], float boxWidth,
                                                         std::uint32_t letterIndex, std::int32_t lineDelta) const {
    const TextMeasureFont font = measureFont(*this, fontStore_, fontKey);
    float pen[2];
    layoutWrappedTextWithFont(pen, font, text, topLeft, boxWidth, letterIndex);
    // The pen stands on its line's baseline; half a line up is inside the line whatever rounding does.
    float y = pen[1] + (static_cast<float>(lineDelta) + 0.5f) * font.lineHeight;
    y = std::min(y, topLeft[1]);
    return letterIndexAtPointWithFont(font, text, topLeft, boxWidth, pen[0], y);
}

void RenderInterface::setEditCursorPosition(float x, float y) {
    std::lock_guard<std::mutex> lock(textSharedMutex_);
    editCursorPosition_[0] = x;
    editCursorPosition_[1] = y;
}

void RenderInterface::editCursorPosition(float out[2]) const {
    std::lock_guard<std::mutex> lock(textSharedMutex_);
    out[0] = editCursorPosition_[0];
    out[1] = editCursorPosition_[1];
}
