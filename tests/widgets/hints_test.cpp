// The hint window on a 1024 by 768 back buffer with the generated hints 1 to 5: stepping forwards and
// back with the wrap at both ends, a table without hints, the show-hints box saved to "config.rz" at
// close, the full-screen help, and where the window opens and how far it can be dragged.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/settings.h"
#include "text/new_text.h"
#include "widgets/generated_interface.h"
#include "widgets/generic_button.h"
#include "widgets/hints.h"
#include "widgets/interface.h"
#include "widgets/list_box.h"
#include "widgets/window.h"

#include "foundation/safeguards.h"

namespace {

using Screen = widgets_test::GeneratedInterfaceOf<1024, 768>;

class Hints : public Screen {
protected:
    void SetUp() override
    {
        Screen::SetUp();
        ASSERT_TRUE(TextStrings.Init(static_cast<RZLanguageType>(0))) << "the generated text tables load";
        CRZGenericButton::InitSprites();
        gpWindowsTiles8 = new CWindowsTiles(8);
        CWindow::InitClass();
        gpSettings = &settings;
        settings.InitSettings();
    }
    void TearDown() override
    {
        gpSettings = nullptr;
        CWindow::ShutdownClass();
        delete gpWindowsTiles8;
        gpWindowsTiles8 = nullptr;
        CRZGenericButton::DeInitSprites();
        TextStrings.DeleteAll();
        gInterfaceReceivers = CInterfaceReceivers();
        Screen::TearDown();
    }

    // A full click (press and release) on the first pixel of the button that takes clicks (the faces'
    // keyed pixels do not), where the window places it on screen.
    int Click(CHints& hints, CRZBtn* button, CPoint offset)
    {
        const CPoint window = hints.GetPosition();
        button->MoveTo(window.x + offset.x, window.y + offset.y);
        CPoint at(-1, -1);
        for (int y = 0; y < button->GetHeight() && at.x < 0; ++y)
            for (int x = 0; x < button->GetWidth() && at.x < 0; ++x)
                if (button->Within(window.x + offset.x + x, window.y + offset.y + y))
                    at = CPoint(window.x + offset.x + x, window.y + offset.y + y);
        EXPECT_GE(at.x, 0) << "the button takes clicks somewhere";
        CInput::_isLeftButton = 1;
        Send(hints, _CRZEVT_MOUSELBDOWN_, at);
        CInput::_isLeftButton = 0;
        return Send(hints, _CRZEVT_MOUSELBUP_, at);
    }
    int Next(CHints& hints)
    {
        return Click(hints, hints.GetNextButton(), CPoint(CHints::kNextX, CHints::kNextY));
    }
    int Previous(CHints& hints)
    {
        return Click(hints, hints.GetPreviousButton(), CPoint(CHints::kPreviousX, CHints::kPreviousY));
    }
    static std::string Shown(CHints& hints)
    {
        auto* row = dynamic_cast<CNewListBoxString*>(
            hints.GetText()->IsEmpty() ? nullptr : *hints.GetText()->GetHead());
        return row ? row->GetText() : std::string();
    }
    static std::string Hint(int n) { return TextStrings.GetString(("HINT_" + std::to_string(n)).c_str()); }

    CSettings settings;
};

TEST_F(Hints, NextAndPreviousStepThroughTheHintsAndWrapAtBothEnds)
{
    CHints hints;
    EXPECT_EQ(hints.GetCurrentHint(), 1);
    EXPECT_EQ(Shown(hints).substr(0, 20), Hint(1).substr(0, 20));
    EXPECT_EQ(settings.Record().lastHint, 2);
    // Each step: the button, then the hint shown and the stored next number.
    const struct {
        bool next;
        int shown, stored;
    } kSteps[] = {
        { true, 2, 3 },
        { true, 3, 4 },
        { true, 4, 5 },
        { true, 5, 6 },
        { true, 1, 2 }, // after the last, the first
        { false, 5, 4 }, // from the first, the highest
        { false, 4, 3 },
        { false, 3, 2 },
        { true, 4, 5 }, // back then forward: the one after
        { false, 3, 2 },
        { true, 4, 5 },
        { true, 5, 6 },
    };
    for (const auto& step : kSteps) {
        SCOPED_TRACE(std::string(step.next ? "next to " : "previous to ") + std::to_string(step.shown));
        EXPECT_EQ(step.next ? Next(hints) : Previous(hints), 3);
        EXPECT_EQ(hints.GetCurrentHint(), step.shown);
        EXPECT_EQ(settings.Record().lastHint, step.stored);
        EXPECT_EQ(Shown(hints).substr(0, 20), Hint(step.shown).substr(0, 20));
    }
}

TEST_F(Hints, WithoutAnyHintTextPreviousStopsAtTheFirst)
{
    TextStrings.DeleteAll();
    CHints hints;
    EXPECT_EQ(hints.GetCurrentHint(), 1);
    hints.PreviousHintBox();
    EXPECT_EQ(hints.GetCurrentHint(), 1);
    hints.PreviousHintBox();
    EXPECT_EQ(hints.GetCurrentHint(), 1);
    hints.InitHintBox();
    EXPECT_EQ(hints.GetCurrentHint(), 1);
}

TEST_F(Hints, ClosingStoresTheBoxAsTheShowHintsWordAndSavesTheSettings)
{
    ASSERT_EQ(settings.Record().hintsAtStart, 1);
    {
        CHints hints;
        EXPECT_TRUE(hints.GetCheckBox()->isDown()) << "the box shows the flag";
        // A click on the box unticks it; Close then answers 1, and the window list destroys the window.
        EXPECT_EQ(Click(hints, hints.GetCheckBox(), CPoint(CHints::kCheckX, CHints::kCheckY)), 3);
        EXPECT_FALSE(hints.GetCheckBox()->isDown());
        EXPECT_EQ(Click(hints, hints.GetCloseButton(), CPoint(CHints::kCloseX, CHints::kCloseY)), 1);
        EXPECT_EQ(CHints::_isActive, 1);
    }
    EXPECT_EQ(CHints::_isActive, 0);
    EXPECT_EQ(settings.Record().hintsAtStart, 0);
    std::ifstream in(support::gDataFolder + "/config.rz", std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
    ASSERT_EQ(bytes.size(), static_cast<std::size_t>(kSettingsWords) * 4);
    for (int word : { 343 })
        EXPECT_EQ(bytes[static_cast<std::size_t>(word) * 4], 0) << "word 343 on disk";
    EXPECT_EQ(bytes[344 * 4], 2) << "the next hint on disk";
}

TEST_F(Hints, MoreShowsOnlyTheFullScreenHelpWhichTakesAPressAndClosesOnRelease)
{
    CHints hints;
    screen.Fill16Bit(0);
    CWindow::ClearSBuffer();
    hints.Draw(DRAW_TYPE_2);
    const CPoint inWindow(
        hints.GetPosition().x + CHints::kPictureX + 40, hints.GetPosition().y + CHints::kPictureY + 40);
    const std::uint16_t windowPixel = video_test::Pixel16(&screen, inWindow.x, inWindow.y);
    EXPECT_EQ(video_test::Pixel16(&screen, 5, 5), 0) << "nothing outside the window";

    EXPECT_EQ(Click(hints, hints.GetMoreButton(), CPoint(CHints::kMoreX, CHints::kMoreY)), 3);
    ASSERT_EQ(CHints::_isFull, 1);
    EXPECT_EQ(gInterfaceReceivers.fullScreenHint, CHints::_pFull);
    screen.Fill16Bit(0);
    CWindow::ClearSBuffer();
    hints.Draw(DRAW_TYPE_2);
    CSprite full(kHintFullPicture);
    CImage reference(1024, 768, 16, IMAGE_SYSTEM);
    full.SetDestinationImage(&reference);
    full.Draw(DRAW_TYPE_0);
    for (const CPoint p : { CPoint(5, 5), inWindow, CPoint(1000, 700) })
        EXPECT_EQ(video_test::Pixel16(&screen, p.x, p.y), video_test::Pixel16(&reference, p.x, p.y)) << p.x;
    EXPECT_NE(video_test::Pixel16(&screen, inWindow.x, inWindow.y), windowPixel);

    // A press anywhere is swallowed and closes nothing; the release closes the help, not the window.
    CInput::_isLeftButton = 1;
    EXPECT_EQ(Send(hints, _CRZEVT_MOUSELBDOWN_, CPoint(5, 5)), 3);
    EXPECT_EQ(CHints::_isFull, 1);
    EXPECT_EQ(Send(hints, _CRZEVT_MOUSEMOVE_, CPoint(6, 6)), 0);
    CInput::_isLeftButton = 0;
    EXPECT_EQ(Send(hints, _CRZEVT_MOUSELBUP_, CPoint(5, 5)), 3);
    EXPECT_EQ(CHints::_isFull, 0);
    EXPECT_EQ(gInterfaceReceivers.fullScreenHint, nullptr);
}

TEST_F(Hints, AHeaderTextHoldingAnyFormatIsFilledSafely)
{
    // As a printf format this text would read and write through arguments that are not there; filled
    // safely it shows its other specifiers as they stand and the hint's number in place of "%d".
    static char hostile[] = "%s%n%s Hint %d";
    static char filled[] = "%s%n%s Hint 1";
    static char other[] = "%s%n%s Hint 2";
    CHints hints;
    ASSERT_EQ(hints.GetCurrentHint(), 1);
    const auto headerBand = [&](char* header) {
        TextStrings.Add("HINT_HEADER", header);
        screen.Fill16Bit(0);
        CWindow::ClearSBuffer();
        hints.Draw(DRAW_TYPE_2);
        const CPoint at(hints.GetPosition().x + CHints::kHeaderX, hints.GetPosition().y + CHints::kHeaderY);
        std::vector<std::uint16_t> band;
        for (int y = at.y; y < at.y + 16; ++y)
            for (int x = at.x; x < hints.GetPosition().x + CHints::kWidth - 8; ++x)
                band.push_back(video_test::Pixel16(&screen, x, y));
        return band;
    };
    const std::vector<std::uint16_t> shown = headerBand(hostile);
    EXPECT_EQ(shown, headerBand(filled));
    EXPECT_NE(shown, headerBand(other)) << "the band holds the header's number";
}

TEST_F(Hints, TheWindowOpensAt350By128AndIsDraggedOnlyWithinTheScreen)
{
    CHints hints;
    EXPECT_EQ(hints.GetPosition(), CPoint(350, 128));
    EXPECT_EQ(hints.GetWidth(), CHints::kWidth);
    EXPECT_EQ(hints.GetHeight(), CHints::kHeight);
    // Grabbed at a plain spot of the frame, 4 pixels in.
    const CPoint grab(354, 132);
    CInput::_isLeftButton = 1;
    EXPECT_EQ(Send(hints, _CRZEVT_MOUSELBDOWN_, grab), 2);
    EXPECT_EQ(Send(hints, _CRZEVT_MOUSELBHELD_, CPoint(300, 100)), 3);
    EXPECT_EQ(hints.GetPosition(), CPoint(296, 96));
    Send(hints, _CRZEVT_MOUSELBHELD_, CPoint(-500, -500));
    EXPECT_EQ(hints.GetPosition(), CPoint(0, 0));
    Send(hints, _CRZEVT_MOUSELBHELD_, CPoint(2000, 2000));
    EXPECT_EQ(hints.GetPosition(), CPoint(1024 - CHints::kWidth - 1, 768 - CHints::kHeight - 1));
    CInput::_isLeftButton = 0;
    Send(hints, _CRZEVT_MOUSELBUP_, CPoint(2000, 2000));
    Send(hints, _CRZEVT_MOUSELBHELD_, CPoint(300, 300));
    EXPECT_EQ(hints.GetPosition(), CPoint(1024 - CHints::kWidth - 1, 768 - CHints::kHeight - 1));
}

} // namespace
