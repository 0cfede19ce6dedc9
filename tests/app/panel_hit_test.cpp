// Hit-testing and bounds of the panel, without a window: strict limits, the test order, the
// narrow "+" boxes and the wider nutation and friction "-" boxes, and the single-precision bounds.
#include "app/panel.h"
#include "app/simulator.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const PanelButton* At(int x, int y) { return FindPanelButton(x, y); }

TEST(FindPanelButtonTest, LimitLinesHitNothingAndInnerPixelsHit) {
    const PanelButton* angleMinus = At(46, 116);
    ASSERT_NE(angleMinus, nullptr);
    EXPECT_EQ(angleMinus->kind, ButtonKind::DECREASE);
    EXPECT_EQ(angleMinus->field, &ANGLE_FIELD);
    EXPECT_EQ(At(64, 134), angleMinus);
    EXPECT_EQ(At(45, 125), nullptr);
    EXPECT_EQ(At(65, 125), nullptr);
    EXPECT_EQ(At(55, 115), nullptr);
    EXPECT_EQ(At(55, 135), nullptr);
}

TEST(FindPanelButtonTest, MinusBoxesDifferInWidthBetweenRows) {
    EXPECT_EQ(At(70, 125), nullptr);  // inside the nutation and friction width, not the angle one
    ASSERT_NE(At(70, 225), nullptr);
    EXPECT_EQ(At(70, 225)->field, &NUTATION_FIELD);
    EXPECT_EQ(At(70, 325), nullptr);
    ASSERT_NE(At(74, 434), nullptr);
    EXPECT_EQ(At(74, 434)->field, &FRICTION_FIELD);
    EXPECT_EQ(At(75, 425), nullptr);
}

TEST(FindPanelButtonTest, EveryButtonIsFoundAtItsCentre) {
    for (int i = 0; i < PANEL_BUTTON_COUNT; ++i) {
        const PanelBox& hit = PANEL_BUTTONS[i].hit;
        EXPECT_EQ(At((hit.left + hit.right) / 2, (hit.top + hit.bottom) / 2), &PANEL_BUTTONS[i]) << i;
    }
    EXPECT_EQ(At(120, 125)->kind, ButtonKind::INCREASE);
    EXPECT_EQ(At(124, 316)->field, &SPEED_FIELD);
    EXPECT_EQ(At(31, 69)->kind, ButtonKind::RESET);
    EXPECT_EQ(At(149, 501)->kind, ButtonKind::EXIT);
    EXPECT_EQ(At(150, 510), nullptr);
    EXPECT_EQ(At(-1, -1), nullptr);
}

TEST(PanelTextsTest, StatusTextsAreByteExact) {
    EXPECT_STREQ(At(55, 325)->firstStatus, "-> Vitesse de Rotation");
    EXPECT_STREQ(At(120, 325)->firstStatus, "-> Vitesse de rotation");
    EXPECT_STREQ(At(55, 425)->firstStatus, "-> frottement");
    EXPECT_STREQ(At(120, 425)->firstStatus, "-> precision");
    EXPECT_STREQ(At(120, 425)->secondStatus, "Plus vous augmentez la precision plus la courbe est lisse");
    EXPECT_STREQ(At(60, 60)->firstStatus, "-> R\xe9initialiser");
    EXPECT_EQ(At(60, 60)->secondStatus, nullptr);
    EXPECT_EQ(std::char_traits<char>::length(RESET_LABEL), 13u);  // the accent is one byte
}

TEST(CanApplyStepTest, BoundsAreHalfOpenOnTheStoredFloat) {
    const PanelButton& minus = *At(55, 125);
    const PanelButton& plus = *At(120, 125);
    SimulationState s;
    s.angle = 0;
    EXPECT_FALSE(CanApplyStep(minus, s));
    EXPECT_TRUE(CanApplyStep(plus, s));
    s.angle = 90;
    EXPECT_TRUE(CanApplyStep(minus, s));
    EXPECT_FALSE(CanApplyStep(plus, s));
    s.angle = 90.0001f;  // carried past the bound by the motion: neither button acts
    EXPECT_FALSE(CanApplyStep(minus, s));
    EXPECT_FALSE(CanApplyStep(plus, s));
    s.angle = -0.5f;
    EXPECT_FALSE(CanApplyStep(minus, s));
    EXPECT_FALSE(CanApplyStep(plus, s));
    s.angle = 0.5f;  // a fraction above the lower bound still steps down (to -0.5)
    EXPECT_TRUE(CanApplyStep(minus, s));
}

TEST(IsOverPanelTest, ColumnsTwoHundredAndTwoHundredOneBelongToNoArea) {
    EXPECT_TRUE(IsOverPanel(1, 1));
    EXPECT_TRUE(IsOverPanel(199, 699));
    EXPECT_FALSE(IsOverPanel(200, 300));
    EXPECT_FALSE(IsOverDrawingArea(200, 300));
    EXPECT_FALSE(IsOverPanel(201, 300));
    EXPECT_FALSE(IsOverDrawingArea(201, 300));
    EXPECT_FALSE(IsOverPanel(0, 300));
    EXPECT_FALSE(IsOverPanel(100, 700));
    EXPECT_FALSE(IsOverPanel(-1, -1));  // no mouse message yet
}

}  // namespace
