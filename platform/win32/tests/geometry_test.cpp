#include <gtest/gtest.h>

#include "platform/win32/switcher_hit_test.h"
#include "platform/win32/twips.h"

namespace nudgekey {
namespace {

TEST(Twips, ConvertWithTheScreensDotsPerInch)
{
    struct Case {
        int twips, dpi, pixels;
    };
    const Case cases[] = {
        {15, 96, 1},      {2280, 96, 152}, {2550, 96, 170}, {1905, 96, 127}, {2475, 96, 165},
        {2655, 96, 177},  {1065, 96, 71},  {210, 96, 14},   {1440, 120, 120}, {12, 120, 1},
        {2280, 144, 228}, {7, 96, 0},      {8, 96, 1},  // rounded to the nearest pixel
    };
    for (const Case& c : cases) EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
}

TEST(Twips, PlaceAndSizeConvertOneByOne)
{
    const RECT r = ToPixels(TwipsRect{330, 930, 1815, 435}, Dpi{96, 96});
    EXPECT_EQ(r.left, 22);
    EXPECT_EQ(r.top, 62);
    EXPECT_EQ(r.right, 22 + 121);
    EXPECT_EQ(r.bottom, 62 + 29);
    const RECT wide = ToPixels(TwipsRect{1440, 1440, 1440, 1440}, Dpi{120, 144});
    EXPECT_EQ(wide.left, 120);
    EXPECT_EQ(wide.top, 144);
    EXPECT_EQ(wide.right, 240);
    EXPECT_EQ(wide.bottom, 288);
}

// Two visible labels on the same place, a hidden one, a bullet and the credit label.
SwitcherView OverlappingView()
{
    SwitcherView view;
    view.options = {
        LabelView{"Glide", "", TwipsRect{360, 150, 1455, 435}, true, false},
        LabelView{"Direct3D", "", TwipsRect{360, 150, 1455, 435}, true, false},
        LabelView{"OpenGL", "", TwipsRect{360, 600, 1455, 435}, false, false},
    };
    view.bullets = {TwipsRect{90, 240, 210, 210}};
    view.credit = LabelView{"(c) 2000", "", TwipsRect{90, 2310, 2115, 195}, true, false};
    return view;
}

TEST(SwitcherHitTest, WhatLiesUnderThePointer)
{
    const SwitcherView view = OverlappingView();
    struct Case {
        POINT point;
        SwitcherHit hit;
    };
    const Case cases[] = {
        {{30, 15}, {SwitcherPart::Option, 1}},   // both labels there: the higher index is on top
        {{120, 38}, {SwitcherPart::Option, 1}},  // last pixel inside
        {{121, 15}, {SwitcherPart::Background, -1}},
        {{30, 45}, {SwitcherPart::Background, -1}},  // the hidden label takes nothing
        {{6, 16}, {SwitcherPart::Bullet, -1}},
        {{19, 29}, {SwitcherPart::Bullet, -1}},       // 14 pixels wide from 6
        {{20, 16}, {SwitcherPart::Background, -1}},
        {{100, 160}, {SwitcherPart::Credit, -1}},
        {{100, 150}, {SwitcherPart::Background, -1}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HitTest(view, Dpi{96, 96}, SIZE{14, 14}, c.point), c.hit) << c.point.x << "," << c.point.y;
    }
}

TEST(SwitcherHitTest, HiddenCreditAndScaledScreen)
{
    SwitcherView view = OverlappingView();
    view.options[1].visible = false;
    view.credit.visible = false;
    EXPECT_EQ(HitTest(view, Dpi{96, 96}, SIZE{14, 14}, POINT{30, 15}), (SwitcherHit{SwitcherPart::Option, 0}));
    EXPECT_EQ(HitTest(view, Dpi{96, 96}, SIZE{14, 14}, POINT{100, 160}), SwitcherHit{});
    // At 144 DPI a label at 360 twips begins at pixel 36.
    EXPECT_EQ(HitTest(view, Dpi{144, 144}, SIZE{14, 14}, POINT{35, 25}), SwitcherHit{});
    EXPECT_EQ(HitTest(view, Dpi{144, 144}, SIZE{14, 14}, POINT{36, 25}), (SwitcherHit{SwitcherPart::Option, 0}));
}

}  // namespace
}  // namespace nudgekey
