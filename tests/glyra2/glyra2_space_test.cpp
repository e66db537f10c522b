#include "glyra2_space.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

TEST(Glyra2Space, ScalingTruncatesTowardZero)
{
    const struct {
        int32_t A, Z, Down, Up;
    } cases[] = {
        {-10, 2000, -3, -30}, {10, 2000, 3, 30},   {48, 0, 48, 48},     {48, 2000, 16, 144},
        {512, 0, 512, 512},   {512, 1000, 256, 1024}, {7, 1, 6, 7},     {-7, 1, -6, -7},
        {0, 2000, 0, 0},      {1, 999, 0, 1},      {-1, 999, 0, -1},    {3000000, 2000, 1000000, 9000000},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ScaleDown(c.A, c.Z), c.Down) << c.A << " at " << c.Z;
        EXPECT_EQ(ScaleUp(c.A, c.Z), c.Up) << c.A << " at " << c.Z;
    }
    EXPECT_EQ(Sign(-5), -1);
    EXPECT_EQ(Sign(0), 0);
    EXPECT_EQ(Sign(7), 1);
    EXPECT_EQ(TruncToInt(-457.76), -457);
    EXPECT_EQ(TruncToInt(2.9999), 2);
}

TEST(Glyra2Space, AnglesDepthAndHeading)
{
    // One correction brings a turned angle back into -180..180.
    const struct {
        int32_t In, Out;
    } wraps[] = {{-181, 179}, {-180, -180}, {180, 180}, {181, -179}, {400, 40}, {-220, 140}, {0, 0}};
    for (const auto& c : wraps) EXPECT_EQ(WrapAngle(c.In), c.Out) << c.In;

    // Leaving through the near limit (180) turns away; through the far
    // limit 30 and -30 become 150 and -150; exactly 0 stays 0.
    const struct {
        int32_t In, Out;
    } bounces[] = {{180, 0}, {-180, 0}, {30, 150}, {-30, -150}, {0, 0}, {90, 90}, {170, 10}, {-100, -80}};
    for (const auto& c : bounces) EXPECT_EQ(BounceInclination(c.In), c.Out) << c.In;

    // Near the viewer only inclinations over 90 ease, by one.
    const struct {
        int32_t Inclination, Depth, Out;
    } damps[] = {{120, 499, 119}, {-120, 499, -120}, {120, 500, 120}, {91, 0, 90}, {90, 0, 90}, {180, 100, 179}};
    for (const auto& c : damps) EXPECT_EQ(DampInclination(c.Inclination, c.Depth), c.Out) << c.Inclination;
}

TEST(Glyra2Space, TablesOfA1024By768Screen)
{
    auto space = std::make_unique<Glyra2Space>();
    FillSpace(*space, 512, 384);
    EXPECT_DOUBLE_EQ(space->LimitX[0], 501.76);
    EXPECT_DOUBLE_EQ(space->LimitY[0], 376.32);
    EXPECT_DOUBLE_EQ(space->LimitX[2000], 1536 * 0.98);
    EXPECT_DOUBLE_EQ(space->LimitX[1], 512 * 0.98);  // the integer ScaleUp first
    EXPECT_NEAR(space->SinTable[180 + 90], 1.0, 1e-12);
    EXPECT_NEAR(space->CosTable[180 + 180], -1.0, 1e-12);
    EXPECT_NEAR(space->CosTable[0], -1.0, 1e-12);
    EXPECT_NEAR(space->SinTable[180 - 30], -0.5, 1e-8);
    EXPECT_EQ(space->SinTable[180], 0.0);
}

TEST(Glyra2Space, SideWrapComesBackFromTheOppositeSide)
{
    // At depth 0 on 1024 x 768 the threshold with step 22 is 479.76.
    const struct {
        int32_t X, Step;
        double Limit;
        int32_t Out;
    } cases[] = {
        {480, 22, 501.76, -457}, {479, 22, 501.76, 479},  {-480, 22, 501.76, 457},
        {-479, 22, 501.76, -479}, {0, 22, 501.76, 0},     {400, 300, 501.76, 98},
        {1600, 10, 1505.28, -1485},
    };
    for (const auto& c : cases) EXPECT_EQ(SideWrap(c.X, c.Step, c.Limit), c.Out) << c.X;
}

TEST(Glyra2Space, BrightnessDimsWithDepth)
{
    EXPECT_DOUBLE_EQ(Brightness(0), 1.0);
    EXPECT_DOUBLE_EQ(Brightness(1000), 0.7);
    EXPECT_NEAR(Brightness(2000), 0.4, 1e-15);
    // (200, 100, 50): as it is near, (80, 40, 20) far; 0x00BBGGRR.
    EXPECT_EQ(DimmedColour(200, 100, 50, 0), 0x3264C8u);
    EXPECT_EQ(DimmedColour(200, 100, 50, 2000), 0x142850u);
    EXPECT_EQ(DimmedColour(255, 255, 255, 1000), 0xB2B2B2u);  // trunc(178.5)
}

} // namespace
