// libFuzzer target over both list boxes' word wrap: any text at any width becomes rows and lines of at
// most the buffers' size, never a read past the text's end, and the rows draw inside a small image.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "../gfx/bitmap_bytes.h"
#include "fuzz_input_file.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "widgets/classic_list_box.h"
#include "widgets/list_box.h"

#include "foundation/safeguards.h"

namespace {

// An 8-bit font picture of 223 cells of 8 by 10 pixels, each glyph a bar as wide as its character code
// says, so that widths differ.
std::string FontPicture()
{
    constexpr int kWidth = 8, kCell = 10, kCells = 223;
    fixture::Bmp bmp;
    bmp.width = kWidth;
    bmp.height = kCells * kCell;
    for (int row = kCells * kCell - 1; row >= 0; --row) {
        const int cell = row / kCell;
        for (int x = 0; x < kWidth; ++x)
            bmp.pixels += static_cast<char>(x < 1 + cell % 6 ? 1 : 255);
    }
    return fixture::Bytes(bmp);
}

CFont* TheFont()
{
    static CFont* font = [] {
        const std::string picture = FontPicture();
        const char* path = WriteFuzzInput(
            "list_box_font", reinterpret_cast<const std::uint8_t*>(picture.data()), picture.size());
        auto* made = new CFont();
        if (!path || !made->Init(path, 10, nullptr)) {
            delete made;
            return static_cast<CFont*>(nullptr);
        }
        return made;
    }();
    return font;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CFont* font = TheFont();
    if (!font || size < 1)
        return 0;
    // The first byte chooses the width; the text is held in a buffer of exactly its bytes and a NUL.
    const int width = 1 + data[0] * 2;
    const auto text = std::make_unique<char[]>(size);
    for (std::size_t i = 1; i < size; ++i)
        text[i - 1] = data[i] ? static_cast<char>(data[i]) : ' ';
    text[size - 1] = '\0';
    CImage image(64, 48, 16, IMAGE_SYSTEM);

    CNewListBox list(width, 40, LISTBOX_SHADOW, 3);
    list.SetFont(font);
    list.SetDestinationImage(&image);
    list.AddText(text.get(), 0x7FFF);
    list.AppendText(text.get(), 0x1234);
    list.Draw(DRAW_TYPE_0);

    CListBox classic(0, 0, width, 3, text.get(), font, font, nullptr, nullptr, false);
    classic.SetDestinationImage(&image);
    classic.AddText(text.get(), "%057", false);
    classic.Draw(DRAW_TYPE_0);
    return 0;
}
