// The interface buttons of the data folder: one block per named id, every kind, up lists written with
// commas, each shortcut form, and pictures whose four frames differ.
#include "button_files.h"

#include <cctype>
#include <string>

#include "bitmaps.h"

#include "foundation/safeguards.h"

namespace datagen {

namespace {

enum class Kind { Press, Lighted, Generic, Hold };

struct ButtonRow {
    const char* name;
    Kind kind;
    const char* shortcut; // null: none
    const char* english;
};

// The map-mode types form one radio group through their up lists; the toggles stand alone.
const ButtonRow kButtons[] = {
    { "BUTTON_ZOOM_IN", Kind::Hold, "z", "Zoom in" },
    { "BUTTON_ZOOM_OUT", Kind::Hold, "x", "Zoom out" },
    { "BUTTON_SPLIT_ARMY", Kind::Press, "s", "Split the army" },
    { "BUTTON_CREATE_UNIT", Kind::Press, "c", "Raise a company" },
    { "BUTTON_REORGANISE_ARMY", Kind::Press, "r", "Reorganise the army" },
    { "BUTTON_DISBAND_ARMY", Kind::Press, "del", "Disband the army" },
    { "BUTTON_MERGE", Kind::Press, "m", "Merge the armies" },
    { "BUTTON_UNLOAD_ARMY", Kind::Press, "u", "Unload the army" },
    { "BUTTON_BUILD_ARMY", Kind::Press, "b", "Muster an army" },
    { "BUTTON_BUILD_NAVY", Kind::Press, "n", "Build a fleet" },
    { "BUTTON_SAVE_GAME", Kind::Generic, "f2", "Save" },
    { "BUTTON_LOAD_GAME", Kind::Generic, "f3", "Load" },
    { "BUTTON_GAME_SETTING", Kind::Generic, "esc", "Options" },
    { "BUTTON_EXIT_STARKWALL", Kind::Generic, "f10", "Leave" },
    { "BUTTON_VIEW_STATISTICS", Kind::Press, "enter", "Chronicle of realms" },
    { "BUTTON_MAPMODE_TYPE_A", Kind::Press, "f4", "Terrain map" },
    { "BUTTON_MAPMODE_TYPE_B", Kind::Press, "f6", "Political map" },
    { "BUTTON_MAPMODE_TYPE_C", Kind::Press, "f7", "Religious map" },
    { "BUTTON_MAPMODE_TYPE_D", Kind::Press, "f8", "Cultural map" },
    { "BUTTON_MAPMODE_TYPE_E", Kind::Press, "f9", "Diplomatic map" },
    { "BUTTON_MAPMODE_TOGGLE_A", Kind::Press, "1", "Show borders" },
    { "BUTTON_MAPMODE_TOGGLE_B", Kind::Press, "2", "Show armies" },
    { "BUTTON_MAPMODE_TOGGLE_C", Kind::Press, "3", "Show names" },
    { "BUTTON_QUICK_SAVE", Kind::Press, "f5", "Quick save" },
    { "BUTTON_QUICK_LOAD", Kind::Press, "f1", "Quick load" },
    { "BUTTON_EDITOR_CITY", Kind::Lighted, nullptr, "Place a town" },
    { "BUTTON_EDITOR_PORT", Kind::Lighted, nullptr, "Place a port" },
    { "BUTTON_EDITOR_UNIT", Kind::Lighted, nullptr, "Place an army" },
    { "BUTTON_EDITOR_MANUFACTORY", Kind::Lighted, nullptr, "Place a workshop" },
    { "BUTTON_EDITOR_TERRAIN", Kind::Lighted, nullptr, "Paint terrain" },
    { "BUTTON_EDITOR_DELETE", Kind::Lighted, nullptr, "Remove" },
};

constexpr int kFrameWidth = 40;
constexpr int kFrameHeight = 32;

const char* KindWord(Kind kind)
{
    switch (kind) {
    case Kind::Press:
        return "press";
    case Kind::Lighted:
        return "lighted";
    case Kind::Generic:
        return "generic";
    case Kind::Hold:
        return "hold";
    }
    return "press";
}

// "button_zoom_in" from "BUTTON_ZOOM_IN": the file names of a button's pictures.
std::string Lower(const char* name)
{
    std::string s(name);
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Four frames side by side, each a framed field of its own shade so that no two frames are alike.
Picture FourFrames(Random& random)
{
    Picture p;
    p.width = 4 * kFrameWidth;
    p.height = kFrameHeight;
    p.colour.resize(static_cast<std::size_t>(p.width) * p.height);
    p.index.resize(p.colour.size());
    const int base = random.Range(40, 120);
    for (int frame = 0; frame < 4; ++frame) {
        const int shade = base + 30 * frame;
        for (int y = 0; y < kFrameHeight; ++y) {
            for (int x = 0; x < kFrameWidth; ++x) {
                const bool border = x == 0 || y == 0 || x == kFrameWidth - 1 || y == kFrameHeight - 1;
                const int v = border ? 20 : shade + y;
                const std::size_t at = static_cast<std::size_t>(y) * p.width + frame * kFrameWidth + x;
                p.colour[at] = Rgb { static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v * 3 / 4),
                    static_cast<std::uint8_t>(v / 2) };
                p.index[at] = static_cast<std::uint8_t>(5 + v % 250);
            }
        }
    }
    return p;
}

// A small emblem: a filled disc in the button's colour, transparent (pure green) around it.
Picture Icon(Random& random)
{
    Picture p;
    p.width = 24;
    p.height = 24;
    p.colour.resize(24 * 24);
    p.index.resize(24 * 24);
    const Rgb ink { static_cast<std::uint8_t>(random.Range(150, 250)),
        static_cast<std::uint8_t>(random.Range(100, 200)), static_cast<std::uint8_t>(random.Range(20, 90)) };
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 24; ++x) {
            const int dx = 2 * x - 23, dy = 2 * y - 23;
            const bool inside = dx * dx + dy * dy < 20 * 20;
            p.colour[static_cast<std::size_t>(y) * 24 + x] = inside ? ink : Rgb { 0, 255, 0 };
        }
    }
    return p;
}

} // namespace

void WriteButtonFiles(const Context& context)
{
    std::string file = "# The side panel's buttons: one block per button id.\r\n";
    for (const ButtonRow& row : kButtons) {
        const std::string lower = Lower(row.name);
        file += std::string(KindWord(row.kind)) + " = {\r\n\tid = " + row.name + "\r\n";
        file += std::string("\tupper = ") + row.name + "_UPPER\r\n\tlower = " + row.name + "_LOWER\r\n";
        if (row.kind == Kind::Generic)
            file += std::string("\tbitmap = ") + row.name + "_LABEL\r\n";
        else if (row.kind != Kind::Lighted)
            file += "\tbitmap = \"" + lower + "_icon.bmp\"\r\n";
        file += "\tbackground = \"" + lower + ".bmp\"\r\n";
        if (row.shortcut)
            file += std::string("\tshortcut = ") + row.shortcut + "\r\n";
        const std::string name = row.name;
        if (name.rfind("BUTTON_MAPMODE_TYPE_", 0) == 0) {
            file += "\tup = { ";
            bool first = true;
            for (char other = 'A'; other <= 'E'; ++other) {
                if (other == name.back())
                    continue;
                file += std::string(first ? "" : ", ") + "BUTTON_MAPMODE_TYPE_" + other;
                first = false;
            }
            file += " }\r\n";
        }
        file += "}\r\n";

        const std::string folder = row.kind == Kind::Lighted ? "gfx\\interface\\piw\\buildings\\"
                                                             : "gfx\\interface\\button area\\";
        Random random = context.RandomFor(folder + lower);
        WriteDataFile(context, folder + lower + ".bmp", BitmapFile(FourFrames(random), Depth::High, nullptr));
        if (row.kind != Kind::Lighted && row.kind != Kind::Generic)
            WriteDataFile(context, "gfx\\interface\\button area\\" + lower + "_icon.bmp",
                BitmapFile(Icon(random), Depth::High, nullptr));
    }
    WriteDataFile(context, "db\\buttons.txt", file);
    Picture empty;
    empty.width = 24;
    empty.height = 24;
    empty.colour.assign(24 * 24, Rgb { 0, 255, 0 });
    WriteDataFile(context, "gfx\\interface\\button area\\empty.bmp", BitmapFile(empty, Depth::High, nullptr));
}

std::vector<GeneratedText> ButtonTexts()
{
    std::vector<GeneratedText> texts;
    for (const ButtonRow& row : kButtons) {
        texts.push_back({ "config\\text.csv", std::string(row.name) + "_UPPER", row.english });
        texts.push_back({ "config\\text.csv", std::string(row.name) + "_LOWER",
            std::string("Shortcut: ") + (row.shortcut ? row.shortcut : "none") });
        if (row.kind == Kind::Generic)
            texts.push_back({ "config\\text.csv", std::string(row.name) + "_LABEL", row.english });
    }
    return texts;
}

} // namespace datagen
