// Odd texts typed into the window: pass counts, pauses and spinner steps, and script names Windows refuses.
#include <string>

#include "playback/player.h"
#include "recording/recorder.h"
#include "sim_fixture.h"

namespace {

const std::string kTenThousandNines(10000, '9');

std::string longText(const std::string& head, char filler) { return head + std::string(10000 - head.size(), filler); }

}  // namespace

class BadInput : public SimulatedHost {
protected:
    // Plays a one-record script with the given pass count and pause texts; returns the passes run.
    static int playWith(const std::string& passes, const std::string& pause) {
        putScript("s", {{5, 65, 0, 0}, {6, 65, 2, 0}});
        selectScript("s");
        sim::clearInjections();
        sim::control(编辑框_回放次数).text = passes;
        sim::control(编辑框_间隔时间).text = pause;
        play();
        return static_cast<int>(sim::injections().size() / 2);
    }
};

TEST_F(BadInput, PassCountTextRunsItsTruncatedLow32BitsOfPasses) {
    struct Case {
        std::string text;
        int passes;
    };
    const Case cases[] = {
        {longText("2", 'x'), 2},             // the rest of a long text is ignored
        {longText("", ' ') + "3", 3},        // leading blanks are skipped, however many
        {kTenThousandNines, 0},              // beyond the double range: infinite, which truncates to 0
        {"4294967297", 1},                   // 2^32 + 1 keeps its low 32 bits
        {"2147483648", 0},                   // 2^31 is negative in 32 bits
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 12));
        EXPECT_EQ(playWith(c.text, "0"), c.passes);
        const std::vector<std::string>& label = sim::textHistory(标签_当前次数);
        ASSERT_GE(label.size(), 1u + c.passes);
        for (int i = 1; i <= c.passes; ++i)
            EXPECT_EQ(label[label.size() - 1 - c.passes + i - 1], std::to_string(i) + " / " + c.text);
        EXPECT_EQ(label.back(), "执行完毕");
    }
}

TEST_F(BadInput, PauseTextGivesItsMillisecondsOrNone) {
    struct Case {
        std::string text;
        int32_t ms;
    };
    const Case cases[] = {
        {"", 0},
        {"1e400", 0},            // infinite seconds truncate to 0
        {"１２．５", 12500},     // full-width digits and point
        {longText("4", 'z'), 4000},
        {"4294967.297", 1},      // 4294967297 ms keeps its low 32 bits
        {"2147483.648", 0},      // negative in 32 bits: no pause
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 12));
        ASSERT_EQ(playWith("1", c.text), 1);
        EXPECT_EQ(sim::tick() - sim::injections().back().tick, c.ms);
    }
}

TEST_F(BadInput, SpinnersStepWhatTheTextReadsAsOrLeaveIt) {
    struct Case {
        void (*step)(bool up);
        Control edit;
        std::string before;
        bool up;
        std::string after;
    };
    const Case cases[] = {
        {stepPause, 编辑框_间隔时间, "", true, "1"},
        {stepPause, 编辑框_间隔时间, "", false, ""},        // 0 is not above the floor: untouched
        {stepPause, 编辑框_间隔时间, "-5", false, "-5"},
        {stepPause, 编辑框_间隔时间, "-5", true, "-4"},
        {stepPause, 编辑框_间隔时间, "１２．５", false, "11.5"},
        {stepPause, 编辑框_间隔时间, longText("7", 'x'), true, "8"},
        {stepPasses, 编辑框_回放次数, "", false, ""},
        {stepPasses, 编辑框_回放次数, "-5", true, "-4"},
        {stepPasses, 编辑框_回放次数, "１２．５", false, "11.5"},
        {stepPasses, 编辑框_回放次数, kTenThousandNines, false, "1.#INF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.before.substr(0, 12) + (c.up ? " up" : " down"));
        sim::control(c.edit).text = c.before;
        c.step(c.up);
        EXPECT_EQ(sim::control(c.edit).text, c.after);
    }
}

// A name Windows cannot save under is reported, offered again as typed, and the recording survives
// to be saved under the next name.
TEST_F(BadInput, ANameThatCannotBeSavedAsksAgainAndKeepsTheRecording) {
    struct Case {
        std::string name;
        bool refusedByWindows;  // the simulated folder accepts it, so the refusal is arranged
    };
    const Case cases[] = {
        {std::string(300, 'n'), true},  // the path is longer than Windows allows
        {"a\\b", false},                // a folder "a" that does not exist
        {"a/b", true},   {"a:b", true}, {"a*b?", true}, {"<x>", true}, {"a|b", true}, {"\"q\"", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.substr(0, 12));
        sim::reset();
        onWindowCreated();
        if (c.refusedByWindows) sim::unwritablePaths().insert(scriptPath(c.name));
        const int32_t t = sim::tick();
        holdKey(65, t + 50, t + 80);
        pressF3At(t + 200);
        sim::confirmInputBox(c.name);
        sim::confirmInputBox("kept");
        record();
        const std::vector<Ev> recording = recorded();
        ASSERT_EQ(recording, (std::vector<Ev>{down(65), up(65)}));

        ASSERT_EQ(sim::messageBoxCalls().size(), 1u);
        EXPECT_EQ(sim::messageBoxCalls()[0].text, "无法保存脚本文件“" + c.name + ".mrc”。");
        ASSERT_EQ(sim::inputBoxCalls().size(), 2u);
        EXPECT_EQ(sim::inputBoxCalls()[1].initialText, c.name);
        EXPECT_EQ(sim::listEntries(), std::vector<std::string>{"kept.mrc"});
        EXPECT_EQ(sim::files().size(), 1u) << "no file under the refused name, no temporary left";
        eventCount = 0;
        loadScript(scriptPath("kept"));
        EXPECT_EQ(recorded(), recording);
    }
}
