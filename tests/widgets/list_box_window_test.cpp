// The list box in the game window under Xvfb: wheel turns and a slider drag made as SDL events reach a
// 40-line list through the game view, the window messages and the input queue, and scroll it; the window
// then shows the list, a classic list, an edit box and a slider. VELLMARK_KEEP_SCREEN names a file that
// receives the frame as a bitmap.
#include <gtest/gtest.h>

#include <SDL.h>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "app/window_procedure.h"
#include "events/event_routing.h"
#include "events/event_scheduler.h"
#include "events/game_clock.h"
#include "gfx/bitmap_fixture.h"
#include "gfx/direct_draw.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "gfx/video_fixture.h"
#include "platform/display/basic_hwnd_imp.h"
#include "platform/host/host_hooks.h"
#include "platform/input/game_opengl_view.h"
#include "platform/input/window_messages.h"
#include "support/data_folder.h"
#include "widgets/classic_list_box.h"
#include "widgets/edit_box.h"
#include "widgets/game_window_fixture.h"
#include "widgets/generated_interface.h"
#include "widgets/input_recorder.h"
#include "widgets/list_box.h"
#include "widgets/sdl_input.h"
#include "widgets/slider.h"

#include "foundation/safeguards.h"

namespace fs = std::filesystem;

namespace {

// Offers every input event to the widgets, the list first.
class CWidgetsOnScreen : public CRZInterfaceHandler {
public:
    CRZReturnType Update(CRZEvent*) override { return 0; }
    CRZReturnType HandleInput(CRZInputEvent* event) override
    {
        if (list && list->HandleInput(event))
            return 3;
        if (edit && edit->HandleInput(event))
            return 3;
        return 0;
    }
    CNewListBox* list = nullptr;
    CEditBox* edit = nullptr;
};

SDL_Event Wheel(int delta, int x, int y)
{
    SDL_Event e {};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.y = delta;
    e.wheel.preciseY = static_cast<float>(delta);
    e.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    e.wheel.mouseX = x;
    e.wheel.mouseY = y;
    return e;
}

class ListBoxWindow : public widgets_test::GameWindowTest {
protected:
    void SetUp() override { SetUpWindow("list box", &mWidgets); }
    // Moves the real pointer, which the input component reads each frame.
    void PointerTo(int x, int y) { widgets_test::PointerTo(mWindow->GetWrapper(), x, y); }
    static int FirstIndex(CNewListBox& list) { return widgets_test::FirstVisibleIndex(list); }

    CWidgetsOnScreen mWidgets;
};

TEST_F(ListBoxWindow, WheelTurnsAndASliderDragScrollAFortyLineListInTheWindow)
{
    CImage* back = CVideo::pBackBuffer;
    CFont* font = gpFontDB->GetFont(kListBoxFontFile);
    ASSERT_NE(font, nullptr);
    CNewListBox list(260, 14 * 12, LISTBOX_SHADOW, 0);
    list.MoveTo(40, 40);
    for (int i = 1; i <= 40; ++i) {
        const std::string line
            = (i % 5 == 0 ? "%700" : "") + std::string("Line ") + std::to_string(i) + " of the chronicle";
        list.AddText((line + "\n").c_str(), CVideo::TrueToHigh(240, 220, 176));
    }
    ASSERT_EQ(list.GetSize(), 40);
    CEditBox edit(40, 260, 260, 40, font, back, "Ansgar of Vellmark");
    edit.SetColor("%777");
    edit.SetDropShadow(true);
    mWidgets.list = &list;
    mWidgets.edit = &edit;

    // Three wheel turns down over the list, one up.
    for (int delta : { -1, -1, -1, 1 })
        Push(Wheel(delta, 100, 100));
    Pump();
    EXPECT_EQ(FirstIndex(list), 2);

    // The slider dragged to the bar's bottom shows the last page.
    list.Draw(DRAW_TYPE_0);
    const CPoint slider = list.GetSlider()->GetPosition();
    const CPoint grab(slider.x + list.GetSlider()->GetWidth() / 2, slider.y + 4);
    PointerTo(grab.x, grab.y);
    Pump();
    Push(widgets_test::MouseButton(true, grab.x, grab.y));
    Pump();
    ASSERT_TRUE(list.GetSlider()->isDown());
    const CNewListBoxBar& bar = list.GetBar();
    PointerTo(grab.x, bar.y + bar.height + 30);
    Pump();
    EXPECT_EQ(FirstIndex(list), 28);
    Push(widgets_test::MouseButton(false, grab.x, bar.y + bar.height + 30));
    Pump();
    EXPECT_FALSE(list.GetSlider()->isDown());
    EXPECT_EQ(FirstIndex(list), 28);

    // The frame: a classic list and a slider beside them.
    CListBox classic(360, 40, 220, 5, "Realms", font, font, "gfx\\interface\\btn_pil_down.bmp",
        "gfx\\interface\\btn_pil_up.bmp", false);
    classic.SetCentredLines(false);
    for (const char* realm : { "Aldmere", "Brannock", "Corvale", "Dunholt", "Estmarch", "Fenwick", "Garrow" })
        classic.AddString(realm, 0, realm[0] != 'C', NOID, nullptr);
    CSlider volume(0.0f, 100.0f, 60.0f, 5.0f, "gfx\\interface\\button area\\btn_minus.bmp",
        "gfx\\interface\\button area\\btn_plus.bmp", "gfx\\interface\\button area\\btn_slider.bmp",
        "gfx\\interface\\sprite_slider.bmp");
    volume.SetLimits(0.2f, 0.9f);
    volume.MoveTo(400, 300);
    back->Fill16Bit(CVideo::TrueToHigh(48, 40, 32));
    list.Draw(DRAW_TYPE_0);
    edit.Draw(DRAW_TYPE_0);
    classic.Draw(DRAW_TYPE_0);
    volume.Draw(DRAW_TYPE_0);
    EXPECT_EQ(video_test::Pixel16(back, bar.x - 8 + 7, bar.y + 2), bar.colours[7]);
    EXPECT_EQ(list.GetSlider()->GetPosition().y, bar.y + bar.height - list.GetSlider()->GetHeight());
    CVideo::Update();
    ASSERT_EQ(CVideo::SaveScreen(nullptr), 1);
    const fs::path saved = support::gDataFolder + "/ScreenSave0.bmp";
    ASSERT_TRUE(fs::exists(saved));
    if (const char* keep = std::getenv("VELLMARK_KEEP_SCREEN"))
        fs::copy_file(saved, keep, fs::copy_options::overwrite_existing);
}

} // namespace
