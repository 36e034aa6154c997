#include "ui/one_line_text.h"

#include "render/render_interface.h"
#include "render/text_markup.h"
#include "ui/text_measure.h"

namespace {

const char* const ellipsis = "...";
constexpr float unboundedWidth = 20000.0f;

float widthOf(const RenderInterface* renderInterface, const std::string& fontKey, const std::string& text) {
    return measureUIText(renderInterface, fontKey, text, true, unboundedWidth).width;
}

// The raw index just past the first count drawn characters, the markup before them included.
std::size_t endOfCharacters(const std::string& text, std::size_t count) {
    MarkupScanner scanner(text);
    MarkupToken token;
    std::size_t seen = 0;
    std::size_t end = 0;
    while (seen < count && scanner.next(token)) {
        end = token.end;
        if (token.kind == MarkupToken::Kind::Character) ++seen;
    }
    return end;
}

} // namespace

std::string cutWithEllipsis(const RenderInterface* renderInterface, const std::string& fontKey,
                            const std::string& text, float width) {
    if (!renderInterface || widthOf(renderInterface, fontKey, text) <= width) return text;
    const float room = width - widthOf(renderInterface, fontKey, ellipsis);
    std::size_t count = room > 0.0f ? measureUIText(renderInterface, fontKey, text, true, room).fitCount : 0;
    // Kerning across the cut can make the result a little wider than its parts: one fewer until it fits.
    for (;; --count) {
        std::string cut = text.substr(0, endOfCharacters(text, count)) + ellipsis;
        if (count == 0 || widthOf(renderInterface, fontKey, cut) <= width) return cut;
    }
}

FittingFonts fontsThatFit(const RenderInterface* renderInterface, const std::string& text, float width) {
    FittingFonts fonts{renderInterface ? renderInterface->mainFontName() : std::string(),
                       renderInterface ? renderInterface->boldFontName() : std::string()};
    if (!renderInterface || widthOf(renderInterface, fonts.regular, text) <= width) return fonts;
    const std::vector<std::string> regular = renderInterface->smallerSizesOfFont(fonts.regular);
    if (regular.empty()) return fonts;
    const std::vector<std::string> bold = renderInterface->smallerSizesOfFont(fonts.bold);
    std::size_t chosen = regular.size() - 1;
    for (std::size_t i = 0; i < regular.size(); ++i) {
        if (widthOf(renderInterface, regular[i], text) > width) continue;
        chosen = i;
        break;
    }
    fonts.regular = regular[chosen];
    fonts.bold = chosen < bold.size() ? bold[chosen] : std::string();
    return fonts;
}
