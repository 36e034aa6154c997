#include "app/xml_file.h"

#include <cerrno>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "app/log.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/text_encoding.h"

namespace {

using tinyxml2::XMLAttribute;
using tinyxml2::XMLDocument;
using tinyxml2::XMLElement;
using tinyxml2::XMLNode;

bool isForbiddenControl(char32_t c) { return c < 0x20 && c != '\t' && c != '\n' && c != '\r'; }

// The longest reference body looked for after "&" ("#x10FFFF" and a few leading zeros).
constexpr std::size_t longestReference = 16;

// The character a reference body ("amp", "#233", "#xE9") stands for; a number past the last
// character gives 0x110000, which no code page holds. Null for anything else, which then stays
// as written, as the parser would leave it.
std::optional<char32_t> referencedCharacter(std::u32string_view body) {
    static const std::pair<std::u32string_view, char32_t> named[] = {
        {U"amp", '&'}, {U"lt", '<'}, {U"gt", '>'}, {U"quot", '"'}, {U"apos", '\''}};
    for (const auto& [name, character] : named) {
        if (body == name) return character;
    }
    if (body.size() < 2 || body[0] != '#') return std::nullopt;
    const bool hex = body[1] == 'x';
    const std::u32string_view digits = body.substr(hex ? 2 : 1);
    if (digits.empty()) return std::nullopt;
    std::uint32_t value = 0;
    for (const char32_t d : digits) {
        std::uint32_t digit;
        if (d >= '0' && d <= '9') digit = d - '0';
        else if (hex && d >= 'a' && d <= 'f') digit = d - 'a' + 10;
        else if (hex && d >= 'A' && d <= 'F') digit = d - 'A' + 10;
        else return std::nullopt;
        value = std::min<std::uint32_t>(value * (hex ? 16 : 10) + digit, 0x110000);
    }
    return static_cast<char32_t>(value);
}

// Turns the texts of a tree parsed as bytes into the program's Windows-1252, noting what could
// not be kept.
class TreeConverter {
public:
    explicit TreeConverter(XMLDocument& target) : target_(target) {}

    void copyChildren(const XMLNode& from, XMLNode& to) {
        for (const XMLNode* node = from.FirstChild(); node; node = node->NextSibling()) {
            if (const XMLElement* element = node->ToElement()) {
                XMLElement* copy = target_.NewElement(convert(element->Name(), false, nullptr).c_str());
                trail_.push_back(copy->Name());
                for (const XMLAttribute* a = element->FirstAttribute(); a; a = a->Next()) {
                    const std::string name = convert(a->Name(), false, nullptr);
                    copy->SetAttribute(name.c_str(), convert(a->Value(), true, name.c_str()).c_str());
                }
                to.InsertEndChild(copy);
                copyChildren(*element, *copy);
                trail_.pop_back();
            } else if (const tinyxml2::XMLText* text = node->ToText()) {
                // A CDATA section holds no references.
                tinyxml2::XMLText* copy = target_.NewText(convert(text->Value(), !text->CData(), "text").c_str());
                copy->SetCData(text->CData());
                to.InsertEndChild(copy);
            } else if (node->ToComment()) {
                to.InsertEndChild(target_.NewComment(convert(node->Value(), false, nullptr).c_str()));
            } else if (node->ToDeclaration()) {
                to.InsertEndChild(target_.NewDeclaration(convert(node->Value(), false, nullptr).c_str()));
            } else if (node->ToUnknown()) {
                to.InsertEndChild(target_.NewUnknown(convert(node->Value(), false, nullptr).c_str()));
            }
        }
    }

    void report(const std::string& path) const {
        if (replaced_ > 0) {
            LOG_MESSAGE("XML File at path %s: %zu character(s) that Windows-1252 lacks were read as \"?\", the first "
                        "in %s",
                        path.c_str(), replaced_, firstReplaced_.c_str());
        }
        if (dropped_ > 0) {
            LOG_MESSAGE("XML File at path %s: %zu control character(s) that XML does not allow were left out, the "
                        "first in %s",
                        path.c_str(), dropped_, firstDropped_.c_str());
        }
    }

private:
    // field: the attribute's name or "text", null for names and the like.
    std::string convert(const char* raw, bool references, const char* field) {
        const std::string_view bytes(raw ? raw : "");
        bool plain = true;
        for (const char c : bytes) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte >= 0x80 || isForbiddenControl(byte) || (references && c == '&')) {
                plain = false;
                break;
            }
        }
        if (plain) return std::string(bytes);

        const std::u32string characters = platform::fileTextToCharacters(bytes);
        std::string out;
        out.reserve(characters.size());
        for (std::size_t i = 0; i < characters.size(); ++i) {
            char32_t c = characters[i];
            if (references && c == '&') {
                const std::size_t end = characters.find(U';', i + 1);
                if (end != std::u32string::npos && end - i - 1 <= longestReference) {
                    const std::optional<char32_t> referenced =
                        referencedCharacter(std::u32string_view(characters).substr(i + 1, end - i - 1));
                    if (referenced) {
                        c = *referenced;
                        i = end;
                    }
                }
            }
            if (isForbiddenControl(c)) {
                if (dropped_++ == 0) firstDropped_ = place(field);
                continue;
            }
            const int byte = platform::windows1252ByteOf(c);
            if (byte < 0) {
                if (replaced_++ == 0) firstReplaced_ = place(field);
                out += '?';
            } else {
                out += static_cast<char>(byte);
            }
        }
        return out;
    }

    std::string place(const char* field) const {
        std::string where;
        for (const std::string& name : trail_) where += (where.empty() ? "" : "/") + name;
        if (field) where += std::string(" ") + field;
        return where.empty() ? "the document" : where;
    }

    XMLDocument& target_;
    std::vector<std::string> trail_;
    std::size_t replaced_ = 0;
    std::size_t dropped_ = 0;
    std::string firstReplaced_;
    std::string firstDropped_;
};

// Tabs and line breaks inside attribute values become references, and the forbidden control
// characters are left out.
std::string escapeAttributeBreaks(const std::string& printed) {
    std::string out;
    out.reserve(printed.size());
    // The printer escapes quotes inside values, so a quote inside a tag always opens or
    // closes one; the declaration's values are balanced the same way.
    bool inTag = false;
    bool inValue = false;
    for (const char c : printed) {
        if (isForbiddenControl(static_cast<unsigned char>(c))) continue;
        if (inValue) {
            if (c == '"') inValue = false;
            if (c == '\t') out += "&#9;";
            else if (c == '\n') out += "&#10;";
            else if (c == '\r') out += "&#13;";
            else out += c;
            continue;
        }
        if (c == '<') inTag = true;
        else if (c == '>') inTag = false;
        else if (c == '"' && inTag) inValue = true;
        out += c;
    }
    return out;
}

} // namespace

bool loadXmlFile(XMLDocument& document, const std::string& path, std::size_t sizeLimit) {
    document.Clear();
    const std::string resolved = platform::resolvePath(path);
    if (!platform::pathExists(resolved)) {
        LOG_MESSAGE("Unable to find XML File at path : %s", path.c_str());
        return false;
    }
    if (!platform::isRegularFile(resolved)) {
        LOG_MESSAGE("XML File at path %s is not a file: %s", path.c_str(),
                    platform::isDirectory(resolved) ? "it is a folder" : "it is a device, pipe or socket");
        return false;
    }
    std::string bytes;
    errno = 0;
    if (!platform::readWholeFile(resolved, bytes, sizeLimit)) {
        if (errno == EFBIG) {
            LOG_MESSAGE("XML File at path %s could not be read: it is larger than %zu bytes, the most such a file "
                        "may hold",
                        path.c_str(), sizeLimit);
        } else {
            LOG_MESSAGE("XML File at path %s could not be read: %s", path.c_str(),
                        errno ? std::strerror(errno) : "read error");
        }
        return false;
    }
    // The bytes are parsed as they are, references left in place, so that each text can be
    // decoded on its own and its references expanded straight into the program's code page.
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
    XMLDocument parsed(false, document.WhitespaceMode());
    const tinyxml2::XMLError result = parsed.Parse(bytes.data(), bytes.size());
    if (result == tinyxml2::XML_ERROR_EMPTY_DOCUMENT) {
        LOG_MESSAGE("XML File at path %s could not be read: it holds no XML", path.c_str());
        return false;
    }
    if (result != tinyxml2::XML_SUCCESS) {
        LOG_MESSAGE("XML File at path %s could not be read: not well-formed at line %d (%s)", path.c_str(),
                    parsed.ErrorLineNum(), parsed.ErrorName() ? parsed.ErrorName() : "");
        return false;
    }
    TreeConverter converter(document);
    converter.copyChildren(parsed, document);
    converter.report(path);
    return true;
}

std::string xmlFileText(const XMLDocument& document) {
    tinyxml2::XMLPrinter printer;
    document.Print(&printer);
    const std::string printed(printer.CStr(), printer.CStrSize() > 0 ? printer.CStrSize() - 1 : 0);
    return platform::windows1252ToUtf8(escapeAttributeBreaks(printed));
}

bool saveXmlFile(const XMLDocument& document, const std::string& path, std::size_t sizeLimit) {
    const std::string text = xmlFileText(document);
    if (text.size() > sizeLimit) {
        LOG_MESSAGE("Unable to save XML File at path : %s (it would take %zu bytes, more than the %zu such a file may "
                    "hold)",
                    path.c_str(), text.size(), sizeLimit);
        return false;
    }
    std::string error;
    if (!platform::writeFileAtomically(path, text, &error)) {
        LOG_MESSAGE("Unable to save XML File at path : %s (%s)", path.c_str(), error.c_str());
        return false;
    }
    return true;
}
