// The data folder's pictures: Windows bitmap files of every depth the game reads, and its palettes as
// raw ".act" tables and as colour tables of 8-bit ".bmp" files.
#include "bitmaps.h"

#include "definition_files.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "country_table.h"

#include "foundation/safeguards.h"

namespace datagen {

namespace {

void Put16(std::string& s, unsigned v)
{
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>((v >> 8) & 0xFF);
}

void Put32(std::string& s, std::uint32_t v)
{
    Put16(s, v & 0xFFFF);
    Put16(s, v >> 16);
}

// Runs of two or more become count-value pairs, stretches of three or more differing bytes literal
// runs padded to a word; each row ends with an end of line, the picture with the end mark.
std::string EncodeRle8(const Picture& p)
{
    std::string out;
    for (int y = p.height - 1; y >= 0; --y) {
        const std::uint8_t* row = &p.index[static_cast<std::size_t>(y) * p.width];
        int x = 0;
        while (x < p.width) {
            int run = 1;
            while (x + run < p.width && run < 255 && row[x + run] == row[x])
                ++run;
            if (run >= 2) {
                out += static_cast<char>(run);
                out += static_cast<char>(row[x]);
                x += run;
                continue;
            }
            int literal = 1;
            while (x + literal < p.width && literal < 255
                && !(x + literal + 1 < p.width && row[x + literal] == row[x + literal + 1]))
                ++literal;
            if (literal < 3) {
                for (int i = 0; i < literal; ++i) {
                    out += '\x01';
                    out += static_cast<char>(row[x + i]);
                }
            } else {
                out += '\0';
                out += static_cast<char>(literal);
                out.append(reinterpret_cast<const char*>(row + x), static_cast<std::size_t>(literal));
                if (literal & 1)
                    out += '\0';
            }
            x += literal;
        }
        out += std::string("\0\0", 2);
    }
    return out + std::string("\0\1", 2);
}

// 16-bit pixels are stored as X1R5G5B5, the game's pixels on its 5-5-5 display: pure green is 0x03E0,
// the colour keyed copies leave out.
std::string Rows(const Picture& p, Depth depth)
{
    const int bits = depth == Depth::High ? 16 : depth == Depth::True ? 24 : 8;
    const std::size_t stride = (static_cast<std::size_t>(p.width) * bits + 31) / 32 * 4;
    std::string out;
    for (int y = p.height - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < p.width; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * p.width + x;
            if (bits == 8) {
                row += static_cast<char>(p.index[at]);
                continue;
            }
            const Rgb c = p.colour[at];
            if (bits == 16)
                Put16(row, static_cast<unsigned>((c.r >> 3) << 10 | (c.g >> 3) << 5 | c.b >> 3));
            else
                row += { static_cast<char>(c.b), static_cast<char>(c.g), static_cast<char>(c.r) };
        }
        row.resize(stride, '\0');
        out += row;
    }
    return out;
}

// Index 0 pure green (transparent), 1 black (shadow), then the named colours, then a ramp from dark to
// light through the base colour, each entry a little off by the seed.
Colours MakePalette(Random& random, Rgb base)
{
    Colours colours {};
    colours[0] = { 0, 255, 0 };
    colours[1] = { 0, 0, 0 };
    colours[2] = { 255, 255, 255 };
    colours[3] = { 255, 0, 0 };
    colours[4] = { 0, 0, 255 };
    for (int i = 5; i < 256; ++i) {
        const int t = i - 5; // 0..250
        const auto mix = [&](int c) {
            const int value = t < 125 ? c * t / 125 : c + (255 - c) * (t - 125) / 125;
            return static_cast<std::uint8_t>(std::min(255, std::max(0, value + random.Range(-4, 4))));
        };
        colours[i] = { mix(base.r), mix(base.g), mix(base.b) };
    }
    return colours;
}

// A framed picture: a border in one colour, a vertical gradient inside and a few seeded specks. Indexed
// pictures use the ramp (5-255); dots leave their corners transparent (index 0, pure green).
Picture MakePicture(Random& random, int width, int height, bool round)
{
    Picture p;
    p.width = width;
    p.height = height;
    const std::size_t n = static_cast<std::size_t>(width) * height;
    p.index.resize(n);
    p.colour.resize(n);
    const Rgb tint { static_cast<std::uint8_t>(random.Range(60, 200)),
        static_cast<std::uint8_t>(random.Range(40, 160)), static_cast<std::uint8_t>(random.Range(20, 120)) };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * width + x;
            const bool border = x == 0 || y == 0 || x == width - 1 || y == height - 1;
            const int dx = 2 * x - width + 1, dy = 2 * y - height + 1;
            const bool outside = round && dx * dx + dy * dy > width * height;
            const int shade = 5 + 200 * y / height;
            std::uint8_t index = border ? 1 : static_cast<std::uint8_t>(shade);
            if (!border && random.Range(0, 40) == 0)
                index = static_cast<std::uint8_t>(random.Range(5, 255));
            p.index[at] = outside ? 0 : index;
            p.colour[at] = outside ? Rgb { 0, 255, 0 }
                                   : Rgb { static_cast<std::uint8_t>(tint.r * index / 255),
                                         static_cast<std::uint8_t>(tint.g * index / 255),
                                         static_cast<std::uint8_t>(tint.b * index / 255) };
        }
    }
    return p;
}

// A 24-bit button of four frames side by side, each frameWidth wide: up, lit, pressed and disabled, each
// a bordered face of its own shade, lighter at the top.
std::string FramedButton(int frameWidth, int height);

std::string ActFile(const Colours& colours)
{
    std::string s;
    for (const Rgb& c : colours)
        s += { static_cast<char>(c.r), static_cast<char>(c.g), static_cast<char>(c.b) };
    return s;
}

} // namespace

std::string BitmapFile(const Picture& p, Depth depth, const Colours* table)
{
    const bool indexed = depth == Depth::Indexed || depth == Depth::IndexedRle;
    const std::string pixels = depth == Depth::IndexedRle ? EncodeRle8(p) : Rows(p, depth);
    const std::uint32_t offset = 14 + 40 + (indexed ? 1024 : 0);
    std::string s = "BM";
    Put32(s, offset + static_cast<std::uint32_t>(pixels.size()));
    Put32(s, 0);
    Put32(s, offset);
    Put32(s, 40);
    Put32(s, static_cast<std::uint32_t>(p.width));
    Put32(s, static_cast<std::uint32_t>(p.height));
    Put16(s, 1);
    Put16(s, depth == Depth::High ? 16 : depth == Depth::True ? 24 : 8);
    Put32(s, depth == Depth::IndexedRle ? 1 : 0);
    Put32(s, static_cast<std::uint32_t>(pixels.size()));
    Put32(s, 2835);
    Put32(s, 2835);
    Put32(s, indexed ? 256 : 0);
    Put32(s, 0);
    if (indexed) {
        for (const Rgb& c : *table)
            s += { static_cast<char>(c.b), static_cast<char>(c.g), static_cast<char>(c.r), '\0' };
    }
    return s + pixels;
}

void WriteBitmaps(const Context& context)
{
    // Palettes.
    const struct {
        const char* name;
        Rgb base;
    } kActs[] = {
        { "palette.act", { 180, 150, 110 } },
        { "dialogue.act", { 200, 170, 120 } },
        { "topblob.act", { 120, 90, 60 } },
        { "arrows.act", { 200, 60, 40 } },
        { "statusbar.act", { 90, 110, 140 } },
    };
    for (const auto& act : kActs) {
        const std::string path = std::string("gfx\\palette\\") + act.name;
        Random random = context.RandomFor(path);
        WriteDataFile(context, path, ActFile(MakePalette(random, act.base)));
    }
    // Button, flag and troop palettes are the colour tables of small 8-bit pictures.
    std::vector<std::string> tables = { "tb.bmp", "tb2.bmp", "blob.bmp" };
    for (const char* top : kFlagTops)
        tables.push_back(std::string("flag_top_") + top + ".bmp");
    for (const char* bottom : kFlagBottoms)
        tables.push_back(std::string("flag_bottom_") + bottom + ".bmp");
    tables.insert(tables.end(), std::begin(kCountryPalettes), std::end(kCountryPalettes));
    for (const std::string& name : tables) {
        const std::string path = "gfx\\palette\\" + name;
        Random random = context.RandomFor(path);
        const Colours table = MakePalette(random, { 150, 120, 90 });
        WriteDataFile(context, path, BitmapFile(MakePicture(random, 16, 16, false), Depth::Indexed, &table));
    }

    Random screen = context.RandomFor("gfx\\palette\\palette.act");
    const Colours screenColours = MakePalette(screen, kActs[0].base);
    const auto write = [&](const std::string& path, int width, int height, Depth depth, bool round = false) {
        Random random = context.RandomFor(path);
        WriteDataFile(
            context, path, BitmapFile(MakePicture(random, width, height, round), depth, &screenColours));
    };

    write("gfx\\dummy.bmp", 32, 32, Depth::True);
    // The loading pictures of start-up, and the coin the fonts draw for "$".
    write("gfx\\load_1024.bmp", 1024, 768, Depth::True);
    write("gfx\\load_1280.bmp", 1280, 1024, Depth::True);
    // The main menu: its background and the big button, four frames side by side (up, lit, down,
    // disabled), each frame of its own shade so that the frames tell apart.
    write("gfx\\interface\\frontend\\bg_start.bmp", 1024, 768, Depth::True);
    WriteDataFile(context, "gfx\\interface\\frontend\\btn_frontend_big.bmp", FramedButton(180, 40));
    write("gfx\\fonts\\coin.bmp", 12, 12, Depth::Indexed, true);
    // Army sprites of the map: a sheet of four frames per action and facing, and its ".spr" definition.
    for (const char* action : { "idle", "walk", "fire" }) {
        for (const char* facing : { "n", "e", "s", "w" }) {
            const std::string sheet = std::string("army_") + action + "_" + facing + ".bmp";
            write("gfx\\map\\units\\bmp\\" + sheet, 128, 32, Depth::Indexed, true);
            WriteDataFile(context,
                std::string("gfx\\map\\units\\t-army a-") + action + " d-" + facing + " v-1.spr",
                "sprite = {\r\n\tbitmap = \"" + sheet
                    + "\"\r\n\tframes = 4\r\n\torigin = { x = 16 y = 28 }\r\n\tspeed = 20\r\n}\r\n");
        }
    }
    // Window frame tiles, square as the windows lay them: the 16-bit set of 16 pixels, the 8-bit set of 8
    // run-length encoded, and the tooltip set of 8.
    const char* const kTiles[] = { "tl", "t", "tr", "cl", "c", "cr", "bl", "b", "br" };
    for (const char* tile : kTiles) {
        write(std::string("gfx\\interface\\win_") + tile + ".bmp", 16, 16, Depth::High);
        write(std::string("gfx\\interface\\win8_") + tile + ".bmp", 8, 8, Depth::IndexedRle);
    }
    for (int row = 1; row <= 3; ++row)
        for (int column = 1; column <= 3; ++column)
            write("gfx\\interface\\tt" + std::to_string(row) + std::to_string(column) + ".bmp", 8, 8,
                Depth::Indexed);
    // Button faces of the large and the small text buttons (their palettes: tb.bmp and tb2.bmp).
    for (const char* prefix : { "tb", "tbsmall" }) {
        const int h = prefix[2] == '\0' ? 24 : 16;
        for (const char* state : { "plain", "over", "down", "dis" })
            for (const char* part : { "c", "l", "r" })
                write(std::string("gfx\\interface\\") + prefix + "_" + state + "_" + part + ".bmp",
                    part[0] == 'c' ? 32 : 8, h, Depth::IndexedRle);
    }
    // Scroll and slider parts: buttons are strips of four frames (up, over, down, disabled). The list boxes
    // ask for the shadowless set as "GFX\interface\", which the case-blind lookup finds here.
    const struct {
        const char* path;
        int frameWidth, height, frames;
    } kScrollParts[] = {
        { "gfx\\interface\\btn_pil_up.bmp", 16, 16, 4 },
        { "gfx\\interface\\btn_pil_down.bmp", 16, 16, 4 },
        { "gfx\\interface\\btn_slider.bmp", 16, 24, 4 },
        { "gfx\\interface\\btn_pil_up_noshadow.bmp", 16, 16, 4 },
        { "gfx\\interface\\btn_pil_down_noshadow.bmp", 16, 16, 4 },
        { "gfx\\interface\\btn_slider_noshadow.bmp", 16, 24, 4 },
        { "gfx\\interface\\menu\\scrollbar_bar.bmp", 12, 16, 4 },
        { "gfx\\interface\\hslider_min.bmp", 6, 14, 1 },
        { "gfx\\interface\\hslider_max.bmp", 6, 14, 1 },
        { "gfx\\interface\\sprite_slider.bmp", 160, 12, 1 },
        { "gfx\\interface\\button area\\btn_minus.bmp", 14, 14, 4 },
        { "gfx\\interface\\button area\\btn_plus.bmp", 14, 14, 4 },
        { "gfx\\interface\\button area\\btn_slider.bmp", 10, 16, 4 },
        { "gfx\\interface\\btn_dropdown.bmp", 16, 16, 4 },
        { "gfx\\interface\\btn_dropdown_dark.bmp", 16, 16, 4 },
    };
    for (const auto& part : kScrollParts)
        write(part.path, part.frameWidth * part.frames, part.height, Depth::High);
    write("gfx\\interface\\dot_red.bmp", 8, 8, Depth::Indexed, true);
    write("gfx\\interface\\dot_pink.bmp", 8, 8, Depth::Indexed, true);
    // The trait icons: 94 frames of 24 by 24 side by side, each face a colour of its own (distinct in 16
    // bits) inside a dark border, so that every trait's frame tells apart.
    {
        constexpr int kTraitFrames = 94, kSide = 24;
        Picture traits;
        traits.width = kTraitFrames * kSide;
        traits.height = kSide;
        traits.colour.resize(static_cast<std::size_t>(traits.width) * kSide);
        traits.index.resize(traits.colour.size());
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < traits.width; ++x) {
                const int frame = x / kSide, fx = x % kSide;
                const bool border = fx == 0 || y == 0 || fx == kSide - 1 || y == kSide - 1;
                traits.colour[static_cast<std::size_t>(y) * traits.width + x] = border
                    ? Rgb { 30, 20, 10 }
                    : Rgb { static_cast<std::uint8_t>(8 + 8 * (frame % 31)),
                          static_cast<std::uint8_t>(64 + 48 * (frame / 31)),
                          static_cast<std::uint8_t>(200 - 4 * (frame % 31)) };
            }
        WriteDataFile(context, "gfx\\interface\\traits.bmp", BitmapFile(traits, Depth::High, nullptr));
    }
    write("gfx\\interface\\cursor_active.bmp", 32, 32, Depth::High, true);
    write("gfx\\interface\\cursor_inactive.bmp", 32, 32, Depth::High, true);
    // The side panel and the search panel in 24 bits.
    write("gfx\\interface\\top.bmp", 244, 120, Depth::True);
    write("gfx\\interface\\middle.bmp", 244, 64, Depth::True);
    write("gfx\\interface\\bottom.bmp", 244, 120, Depth::True);
    write("gfx\\interface\\searchpanel.bmp", 600, 64, Depth::True);
    // The hint window's box (up, lit, ticked, disabled), the back list's header button, and the hint
    // pictures: the one in the window and the full-screen help.
    WriteDataFile(context, "gfx\\interface\\btn_kryssruta_small.bmp", FramedButton(16, 16));
    WriteDataFile(context, "gfx\\interface\\header.bmp", FramedButton(160, 20));
    write("tutorial\\introduction help.bmp", 640, 344, Depth::True);
    write("tutorial\\fullscreen help.bmp", 1024, 768, Depth::True);
    // The in-game options: the menu's background, which the options screen, the file dialog and the
    // message settings page share, the radio buttons and the file dialog's buttons (up, lit, down,
    // disabled), and the frame around the message settings list.
    write("gfx\\settings\\setupscreen_bg.bmp", 352, 480, Depth::True);
    WriteDataFile(context, "gfx\\settings\\btn_radio.bmp", FramedButton(16, 16));
    WriteDataFile(context, "gfx\\interface\\btn_saveload.bmp", FramedButton(96, 32));
    write("gfx\\settings\\bg_settings_listbox.bmp", 290, 274, Depth::True);
    // The pictures of buildings and advances.
    for (const std::string& path : DefinitionPictures())
        write(path, 32, 24, Depth::IndexedRle, true);
}

} // namespace datagen

namespace datagen {
namespace {

std::string FramedButton(int frameWidth, int height)
{
    const Rgb faces[4] = { { 150, 110, 60 }, { 200, 160, 90 }, { 100, 70, 35 }, { 90, 90, 90 } };
    Picture p;
    p.width = 4 * frameWidth;
    p.height = height;
    p.colour.resize(static_cast<std::size_t>(p.width) * height);
    p.index.resize(p.colour.size());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const int frame = x / frameWidth, fx = x % frameWidth;
            const bool border = fx < 2 || y < 2 || fx >= frameWidth - 2 || y >= height - 2;
            const Rgb face = faces[frame];
            const int light = 130 - 60 * y / height;
            p.colour[static_cast<std::size_t>(y) * p.width + x] = border
                ? Rgb { 40, 25, 10 }
                : Rgb { static_cast<std::uint8_t>(std::min(255, face.r * light / 100)),
                      static_cast<std::uint8_t>(std::min(255, face.g * light / 100)),
                      static_cast<std::uint8_t>(std::min(255, face.b * light / 100)) };
        }
    return BitmapFile(p, Depth::True, nullptr);
}

} // namespace
} // namespace datagen
