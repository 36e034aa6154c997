// Time to save and load a well-stocked character, and to read every rules catalogue of a small
// tree, of one ten times its size and of the shipped Data/ tree.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "rules/character_sheet.h"
#include "rules/rules_catalogues.h"

namespace {

namespace fs = std::filesystem;

const std::string fixtureBase = std::string(ZODERUD_SOURCE_DIR) + "/tests/rules/data/catalogue_b/";

// A folder under the system's temporary folder, removed at the end.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (fs::temp_directory_path() / "zoderud-bench-XXXXXX").string();
        path_ = std::string(::mkdtemp(pattern.data())) + "/";
    }
    ~ScratchFolder() {
        std::error_code error;
        fs::remove_all(path_, error);
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void replaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

// The fixture tree with every catalogue file written ten times under new ids. Each copy of a
// class gets its own copy of the class's folder (templates, abilities, subclasses), so the
// tree grows tenfold and no more.
void writeTenfoldTree(const std::string& target) {
    const fs::path classes = fs::path("Data") / "classes";
    for (const auto& entry : fs::recursive_directory_iterator(fixtureBase)) {
        if (!entry.is_regular_file()) continue;
        const fs::path relative = fs::relative(entry.path(), fixtureBase);
        const bool isClassFile = relative.parent_path() == classes;
        const bool isInClassFolder = !isClassFile && relative.string().rfind(classes.string(), 0) == 0;
        const std::string text = readText(entry.path());
        for (int copy = 0; copy < 10; ++copy) {
            const std::string number = std::to_string(copy);
            std::string copied = text;
            replaceAll(copied, "id=\"", std::string("id=\"x").append(number));
            fs::path out = fs::path(target) / relative;
            if (copy > 0 && isInClassFolder) {
                // Data/classes/<class>/... becomes Data/classes/<class>_<copy>/...
                auto part = relative.begin();
                fs::path moved = *part++;
                moved /= *part++;
                moved /= part->string() + "_" + number;
                for (++part; part != relative.end(); ++part) moved /= *part;
                out = fs::path(target) / moved;
            } else if (copy > 0) {
                std::string fileName = out.stem().string();
                fileName.append("_").append(number).append(out.extension().string());
                out.replace_filename(fileName);
            }
            if (copy > 0 && isClassFile) {
                const std::string folder = "Data/classes/" + relative.stem().string() + "/";
                replaceAll(copied, folder, "Data/classes/" + relative.stem().string() + "_" + number + "/");
            }
            fs::create_directories(out.parent_path());
            std::ofstream(out, std::ios::binary) << copied;
        }
    }
}

std::unique_ptr<CharacterSheet> characterWithItems(const RulesCatalogues& rules, int count) {
    auto sheet = std::make_unique<CharacterSheet>(nullptr, rules.classes, rules.proficiencies, rules.equipment,
                                                  rules.spells);
    const char* ids[] = {"backpack", "torch", "rope", "long_sword", "rations", "cloak", "arrows", "sack"};
    BRAVCharacterEquipment* container = nullptr;
    for (int i = 0; i < count; ++i) {
        auto item = std::make_unique<BRAVCharacterEquipment>(nullptr, rules.equipment.findEquipment(ids[i % 8]));
        item->quantity = 1 + i % 5;
        if (i % 3 == 0) item->customName = "Item number " + std::to_string(i);
        BRAVCharacterEquipment* added = item.get();
        // Every fourth item goes into the last container, so the tree is nested.
        sheet->inventory.attachEquipment(std::move(item), i % 4 == 3 ? container : nullptr);
        if (added->isContainer()) container = added;
    }
    for (int i = 0; i < 20; ++i) sheet->addProficiency("craft", "domain " + std::to_string(i));
    return sheet;
}

void BM_SaveCharacterWith100Items(benchmark::State& state) {
    const auto rules = loadRulesCatalogues(fixtureBase);
    const auto sheet = characterWithItems(*rules, 100);
    ScratchFolder folder;
    const std::string path = folder.path() + "hero.xml";
    for (auto _ : state) {
        if (!sheet->save(path)) state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_SaveCharacterWith100Items)->Unit(benchmark::kMillisecond);

void BM_LoadCharacterWith100Items(benchmark::State& state) {
    const auto rules = loadRulesCatalogues(fixtureBase);
    ScratchFolder folder;
    const std::string path = folder.path() + "hero.xml";
    characterWithItems(*rules, 100)->save(path);
    for (auto _ : state) {
        CharacterSheet sheet(nullptr, rules->classes, rules->proficiencies, rules->equipment, rules->spells);
        if (!sheet.load(path)) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(sheet.inventory.items.size());
    }
}
BENCHMARK(BM_LoadCharacterWith100Items)->Unit(benchmark::kMillisecond);

void BM_LoadFixtureCatalogues(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(loadRulesCatalogues(fixtureBase));
}
BENCHMARK(BM_LoadFixtureCatalogues)->Unit(benchmark::kMillisecond);

void BM_LoadTenfoldCatalogues(benchmark::State& state) {
    ScratchFolder folder;
    writeTenfoldTree(folder.path());
    for (auto _ : state) {
        const auto rules = loadRulesCatalogues(folder.path());
        if (rules->classes.classes().size() != 30) state.SkipWithError("the tenfold tree did not load");
    }
}
BENCHMARK(BM_LoadTenfoldCatalogues)->Unit(benchmark::kMillisecond);

void BM_LoadShippedCatalogues(benchmark::State& state) {
    const std::string base = std::string(ZODERUD_SOURCE_DIR) + "/";
    if (!fs::is_directory(base + "Data/classes")) {
        state.SkipWithError("no shipped Data/classes");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(loadRulesCatalogues(base));
}
BENCHMARK(BM_LoadShippedCatalogues)->Unit(benchmark::kMillisecond);

} // namespace
