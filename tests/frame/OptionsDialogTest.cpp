// The options dialogs' behaviour through in-memory controls: opening texts,
// spin steps, parsing, the master switch, confirm and cancel.
#include <gtest/gtest.h>

#include "frame/DialogIds.h"
#include "frame/OptionsDialog.h"
#include "frame/Scale.h"
#include "frame/ScaleText.h"
#include "hostsim/MemoryDialog.h"

namespace {

std::string ScaleTextOf(int32_t mantissa, bool plusForZero) {
    char text[kScaleTextSize];
    FormatScaleText(text, mantissa, plusForZero);
    return text;
}

TEST(ScaleText, ShowsSignWholeAndThousandths) {
    EXPECT_EQ(ScaleTextOf(1000, false), "+1.000");
    EXPECT_EQ(ScaleTextOf(-500, false), "-0.500");
    EXPECT_EQ(ScaleTextOf(0, false), "0.000");
    EXPECT_EQ(ScaleTextOf(0, true), "+0.000");
    EXPECT_EQ(ScaleTextOf(2600, true), "+2.600");
    EXPECT_EQ(ScaleTextOf(INT32_MIN, false), "-2147483.648");
}

TEST(ScaleText, ParsesLeadingNumbers) {
    EXPECT_EQ(ParseMantissaText("1.23456"), 1234);
    EXPECT_EQ(ParseMantissaText("2.5abc"), 2500);
    EXPECT_EQ(ParseMantissaText("-0.0019"), -1);
    EXPECT_EQ(ParseMantissaText("abc"), 0);
    EXPECT_EQ(ParseMantissaText(""), 0);
    EXPECT_EQ(ParseMantissaText("1e3"), 1000000);
    EXPECT_EQ(ParseMantissaText("9999999"), INT32_MIN); // beyond the 32-bit range
    EXPECT_EQ(ParseExponentText("+3"), 3);
    EXPECT_EQ(ParseExponentText("200"), -56);
    EXPECT_EQ(ParseExponentText("-2x"), -2);
    EXPECT_EQ(ParseExponentText("x"), 0);
}

TEST(ScaleFactor, PowersOfTenBothWays) {
    EXPECT_FLOAT_EQ(ScaleFactorOf(1000, 2), 100.0f);
    EXPECT_FLOAT_EQ(ScaleFactorOf(2540, -1), 0.254f);
    EXPECT_FLOAT_EQ(ScaleFactorOf(1000, 0), 1.0f);
    EXPECT_FLOAT_EQ(ScaleFactorOf(1000, 3), 1000.0f);
    EXPECT_FLOAT_EQ(ScaleFactorOf(1000, -3), 0.001f);
    EXPECT_FLOAT_EQ(ScaleFactorOf(2500, -2), 0.025f);
    EXPECT_FLOAT_EQ(ScaleFactorOf(1500, -2), 0.015f);
    EXPECT_FLOAT_EQ(ScaleFactorOf(-1000, 0), -1.0f);
}

TEST(ExportDialog, OpensWithFixedSwitchesAndStoredScale) {
    ExportOptions options;
    ExportOptionsDialog logic(options);
    MemoryDialog d(logic);
    d.Open();
    EXPECT_EQ(d.Get(kIdScaleMantissa).text, "+1.000");
    EXPECT_EQ(d.Get(kIdScaleExponent).text, "-2");
    EXPECT_TRUE(d.Get(kIdSplitVertices).checked);
    EXPECT_TRUE(d.Get(kIdSplitByTexCoord).checked);
    EXPECT_TRUE(d.Get(kIdSplitByNormal).checked);
    EXPECT_FALSE(d.Get(kIdGroundModel).checked);
    EXPECT_FALSE(d.Get(kIdWriteTextureDictionary).checked);
    EXPECT_FALSE(d.Get(kIdCompressTextures).checked);
    EXPECT_FALSE(d.Get(kIdWriteMipmaps).checked);
    EXPECT_EQ(d.Get(kIdMantissaSpin).buddy, kIdScaleMantissa);
    EXPECT_EQ(d.Get(kIdMantissaSpin).high, 1000000000);
    EXPECT_EQ(d.Get(kIdExponentSpin).low, -100);
}

TEST(ExportDialog, SpinStepsFromWhatTheEditShows) {
    ExportOptions options;
    options.scaleMantissa = 0;
    ExportOptionsDialog logic(options);
    MemoryDialog d(logic);
    d.Open();
    EXPECT_EQ(d.Get(kIdScaleMantissa).text, "0.000");
    d.Spin(kIdMantissaSpin, +1);
    EXPECT_EQ(d.Get(kIdScaleMantissa).text, "+0.100");
    EXPECT_EQ(d.Get(kIdMantissaSpin).position, 0);
    d.Type(kIdScaleMantissa, "0.000");
    d.Spin(kIdMantissaSpin, -1);
    EXPECT_EQ(d.Get(kIdScaleMantissa).text, "-0.100");
    d.Type(kIdScaleMantissa, "2.5");
    d.Spin(kIdMantissaSpin, +1);
    EXPECT_EQ(d.Get(kIdScaleMantissa).text, "+2.600");
    EXPECT_EQ(options.scaleMantissa, 2600);
    d.Type(kIdScaleExponent, "+3");
    d.Spin(kIdExponentSpin, -1);
    EXPECT_EQ(d.Get(kIdScaleExponent).text, "+2");
    d.Type(kIdScaleExponent, "127");
    d.Spin(kIdExponentSpin, +1);
    EXPECT_EQ(d.Get(kIdScaleExponent).text, "-128");
    EXPECT_EQ(options.scaleExponent, -128);
}

TEST(ExportDialog, MasterSwitchClearsAndGatesTheCriteria) {
    ExportOptions options;
    ExportOptionsDialog logic(options);
    MemoryDialog d(logic);
    d.Open();
    d.Click(kIdSplitVertices);
    EXPECT_FALSE(d.Get(kIdSplitByTexCoord).checked);
    EXPECT_FALSE(d.Get(kIdSplitByNormal).enabled);
    d.Click(kIdSplitVertices);
    EXPECT_TRUE(d.Get(kIdSplitByTexCoord).enabled);
    EXPECT_FALSE(d.Get(kIdSplitByTexCoord).checked);
    EXPECT_FALSE(d.Get(kIdSplitByNormal).checked);
}

TEST(ExportDialog, ConfirmStoresEverythingCancelOnlyTheScale) {
    ExportOptions options;
    {
        ExportOptionsDialog logic(options);
        MemoryDialog d(logic);
        d.Open();
        d.Click(kIdGroundModel);
        d.Click(kIdWriteTextureDictionary);
        d.Click(kIdCompressTextures);
        d.Click(kIdWriteMipmaps);
        d.Type(kIdScaleMantissa, "1.23456");
        d.Press(kIdOk);
        EXPECT_EQ(d.Result(), 1);
    }
    EXPECT_EQ(options.scaleMantissa, 1234);
    EXPECT_EQ(options.groundModel, 1);
    EXPECT_EQ(options.splitVertices, 1);
    EXPECT_EQ(options.writeTextureDictionary, 1);
    EXPECT_EQ(options.compressTextures, 1);
    EXPECT_EQ(options.writeMipmaps, 1);
    {
        ExportOptionsDialog logic(options);
        MemoryDialog d(logic);
        d.Open();
        // The stored flags are not shown on opening, and cancel keeps them.
        EXPECT_FALSE(d.Get(kIdCompressTextures).checked);
        d.Click(kIdGroundModel); // unchecked again, but cancelled
        d.Type(kIdScaleMantissa, "7");
        d.Type(kIdScaleExponent, "1");
        d.Press(kIdCancel);
        EXPECT_TRUE(d.Ended());
        EXPECT_EQ(d.Result(), 0);
    }
    EXPECT_EQ(options.scaleMantissa, 7000);
    EXPECT_EQ(options.scaleExponent, 1);
    EXPECT_EQ(options.groundModel, 1);
    EXPECT_EQ(options.writeMipmaps, 1);
}

TEST(ImportDialog, ListsCaptionsAndStoresTheChoice) {
    char a[] = "Root", b[] = "Other";
    char* captions[] = {a, b};
    ClumpList list;
    list.count = 2;
    list.captions = captions;
    ImportOptions options;
    ImportOptionsDialog logic(options, list);
    MemoryDialog d(logic);
    d.Open();
    EXPECT_EQ(d.Get(kIdScaleMantissa).text, "+1.000");
    EXPECT_EQ(d.Get(kIdScaleExponent).text, "+2");
    EXPECT_TRUE(d.Get(kIdClumpList).enabled);
    EXPECT_EQ(d.Get(kIdClumpList).selection, 0);
    EXPECT_FALSE(d.Get(kIdResetPose).checked);
    d.Select(kIdClumpList, 1);
    d.Click(kIdResetPose);
    d.Press(kIdOk);
    EXPECT_EQ(d.Result(), 1);
    EXPECT_EQ(options.clumpIndex, 1);
    EXPECT_EQ(options.resetPose, 1);
    list.captions = nullptr; // not owned here
}

TEST(ImportDialog, TextureBoxOpensCheckedAndIsStoredOnConfirmOnly) {
    char a[] = "Root";
    char* captions[] = {a};
    ClumpList list;
    list.count = 1;
    list.captions = captions;
    ImportOptions options;
    ImportOptionsDialog logic(options, list);
    MemoryDialog d(logic);
    d.Open();
    EXPECT_TRUE(d.Get(kIdWriteTextures).checked);
    d.Click(kIdWriteTextures);
    d.Press(kIdCancel);
    EXPECT_EQ(options.writeTextures, 1) << "not stored on cancel";
    MemoryDialog again(logic);
    again.Open();
    EXPECT_TRUE(again.Get(kIdWriteTextures).checked) << "checked on every opening";
    again.Click(kIdWriteTextures);
    again.Press(kIdOk);
    EXPECT_EQ(options.writeTextures, 0);
    list.captions = nullptr;
}

TEST(ImportDialog, NoSelectionTurnsConfirmIntoCancel) {
    char a[] = "Root";
    char* captions[] = {a};
    ClumpList list;
    list.count = 1;
    list.captions = captions;
    ImportOptions options;
    ImportOptionsDialog logic(options, list);
    MemoryDialog d(logic);
    d.Open();
    EXPECT_FALSE(d.Get(kIdClumpList).enabled);
    d.ListSelect(kIdClumpList, -1);
    d.Press(kIdOk);
    EXPECT_TRUE(d.Ended());
    EXPECT_EQ(d.Result(), 0);
    list.captions = nullptr;
}

} // namespace
