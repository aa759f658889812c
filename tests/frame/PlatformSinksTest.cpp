#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/posix/PosixHost.h"

namespace {

// What the sinks received.
struct Recorder {
    std::vector<std::string> texts;
    std::vector<std::string> captions;
    std::vector<uint32_t> styles;
    std::vector<std::string> traces;
    std::vector<int> dialogIds;
    std::vector<DialogLogic*> dialogLogics;
    int32_t messageBoxAnswer = 0;
    intptr_t dialogAnswer = 0;
};

int32_t RecordMessageBox(void* user, const char* text, const char* caption, uint32_t style) {
    Recorder* r = static_cast<Recorder*>(user);
    r->texts.push_back(text);
    r->captions.push_back(caption);
    r->styles.push_back(style);
    return r->messageBoxAnswer;
}

void RecordTrace(void* user, const char* text) {
    static_cast<Recorder*>(user)->traces.push_back(text);
}

intptr_t RecordDialog(void* user, int resourceId, DialogLogic* logic) {
    Recorder* r = static_cast<Recorder*>(user);
    r->dialogIds.push_back(resourceId);
    r->dialogLogics.push_back(logic);
    return r->dialogAnswer;
}

class NullLogic final : public DialogLogic {
  public:
    void OnInit(DialogControls&) override {}
    void OnCommand(DialogControls&, int, int) override {}
    void OnSpin(DialogControls&, int, int16_t) override {}
    void OnClose(DialogControls&) override {}
};

class PlatformSinksTest : public ::testing::Test {
  protected:
    void SetUp() override { PlatformInstallSinks(nullptr); }
    void TearDown() override { PlatformInstallSinks(nullptr); }

    void Install() {
        PlatformSinks sinks = {RecordMessageBox, RecordTrace, RecordDialog, &recorder_};
        PlatformInstallSinks(&sinks);
    }

    Recorder recorder_;
    NullLogic logic_;
};

TEST_F(PlatformSinksTest, WithoutSinksMessageBoxesSayOkAndDialogsFail) {
    EXPECT_EQ(PlatformMessageBox(nullptr, "text", "caption", kMessageBoxIconError),
              kMessageBoxResultOk);
    PlatformDebugTrace("dropped");
    EXPECT_EQ(PlatformDialogBox(nullptr, 102, nullptr, &logic_), -1);
}

TEST_F(PlatformSinksTest, MessageBoxReachesTheSinkWithTextCaptionAndStyle) {
    Install();
    recorder_.messageBoxAnswer = 7;
    EXPECT_EQ(PlatformMessageBox(nullptr, "text of the box", "Skelvane Import",
                                 kMessageBoxIconError | kMessageBoxOk),
              7);
    ASSERT_EQ(recorder_.texts.size(), 1u);
    EXPECT_EQ(recorder_.texts[0], "text of the box");
    EXPECT_EQ(recorder_.captions[0], "Skelvane Import");
    EXPECT_EQ(recorder_.styles[0], 0x10u);
}

TEST_F(PlatformSinksTest, MissingTextsReachTheSinkEmpty) {
    Install();
    PlatformMessageBox(nullptr, nullptr, nullptr, 0);
    PlatformDebugTrace(nullptr);
    ASSERT_EQ(recorder_.texts.size(), 1u);
    EXPECT_EQ(recorder_.texts[0], "");
    EXPECT_EQ(recorder_.captions[0], "");
    ASSERT_EQ(recorder_.traces.size(), 1u);
    EXPECT_EQ(recorder_.traces[0], "");
}

TEST_F(PlatformSinksTest, TraceLinesReachTheSinkInOrder) {
    Install();
    PlatformDebugTrace("first\n");
    PlatformDebugTrace("second\n");
    ASSERT_EQ(recorder_.traces.size(), 2u);
    EXPECT_EQ(recorder_.traces[0], "first\n");
    EXPECT_EQ(recorder_.traces[1], "second\n");
}

TEST_F(PlatformSinksTest, DialogHandlerGetsTheResourceAndTheLogic) {
    Install();
    recorder_.dialogAnswer = 1;
    EXPECT_EQ(PlatformDialogBox(nullptr, 102, nullptr, &logic_), 1);
    ASSERT_EQ(recorder_.dialogIds.size(), 1u);
    EXPECT_EQ(recorder_.dialogIds[0], 102);
    EXPECT_EQ(recorder_.dialogLogics[0], &logic_);
}

TEST_F(PlatformSinksTest, InstallingNullRestoresTheDefaults) {
    Install();
    PlatformInstallSinks(nullptr);
    EXPECT_EQ(PlatformMessageBox(nullptr, "text", "caption", 0), kMessageBoxResultOk);
    PlatformDebugTrace("dropped");
    EXPECT_EQ(PlatformDialogBox(nullptr, 102, nullptr, &logic_), -1);
    EXPECT_TRUE(recorder_.texts.empty());
    EXPECT_TRUE(recorder_.traces.empty());
    EXPECT_TRUE(recorder_.dialogIds.empty());
}

TEST_F(PlatformSinksTest, SinksAreCopiedWhenInstalled) {
    PlatformSinks sinks = {RecordMessageBox, RecordTrace, RecordDialog, &recorder_};
    PlatformInstallSinks(&sinks);
    sinks = PlatformSinks{nullptr, nullptr, nullptr, nullptr};
    PlatformDebugTrace("still recorded");
    EXPECT_EQ(recorder_.traces.size(), 1u);
}

} // namespace
