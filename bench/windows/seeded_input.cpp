// Seeded generators of benchmark input: the same seed gives the same script and schedule.
#include "seeded_input.h"

#include <random>
#include <set>
#include <utility>

#include "support/script_events.h"

namespace {

constexpr int kEdgeMargin = 24;  // keeps generated moves clear of the area's border rows and columns

struct Generator {
    std::mt19937 random;
    Area area;
    std::set<std::pair<int, int>> used;
    // Whole numbers from `low` to `high`, from the generator's raw output, so any standard library
    // gives the same sequence for one seed.
    int between(int low, int high) { return low + (int)(random() % (uint32_t)(high - low + 1)); }
    std::pair<int, int> freshPixel() {
        for (;;) {
            std::pair<int, int> pixel = {area.left + between(kEdgeMargin, area.width - 1 - kEdgeMargin),
                                         area.top + between(kEdgeMargin, area.height - 1 - kEdgeMargin)};
            if (used.insert(pixel).second) return pixel;
        }
    }
    uint8_t letterOrDigit() {
        int pick = between(0, 35);
        return (uint8_t)(pick < 26 ? 'A' + pick : '0' + pick - 26);
    }
};

// Actions as pairs of events: a move is one, a key tap or a click two (down, then up).
void addAction(Generator& g, std::vector<ScheduledInput>& out, int clickButton) {
    int pick = g.between(0, 9);
    if (pick < 6) {
        std::pair<int, int> pixel = g.freshPixel();
        out.push_back({0, 0, pixel.first, pixel.second, true});
        return;
    }
    uint8_t code = pick < 9 ? g.letterOrDigit() : (uint8_t)clickButton;
    out.push_back({0, code, 0, 0, true});
    out.push_back({0, code, 0, 0, false});
}

}  // namespace

std::vector<rig::ScriptRecord> playbackScript(uint32_t seed, const Area& area, int minEvents, int minMs, int leadInMs) {
    Generator g{std::mt19937(seed), area, {}};
    std::vector<ScheduledInput> actions;
    std::pair<int, int> first = g.freshPixel();
    actions.push_back({0, 0, first.first, first.second, true});
    actions.push_back({0, 1, 0, 0, true});
    actions.push_back({0, 1, 0, 0, false});
    std::vector<rig::ScriptRecord> script;
    int32_t time = leadInMs;
    for (size_t next = 0;; ++next) {
        if (next == actions.size()) {
            if ((int)script.size() >= minEvents && script.back().time - leadInMs >= minMs) break;
            addAction(g, actions, g.between(0, 1) ? 1 : 2);
        }
        const ScheduledInput& a = actions[next];
        if (a.kind == 0)
            script.push_back(rig::moveTo(time, a.x, a.y));
        else
            script.push_back({time, a.kind, a.down ? rig::kDown : rig::kUp, 0});
        // Gaps of one to five recorder polls, as a recording of a brisk user has.
        time += g.between(10, 50);
    }
    return script;
}

std::vector<ScheduledInput> recordingSchedule(uint32_t seed, const Area& area, int events, int minGapMs,
                                              int maxGapMs) {
    Generator g{std::mt19937(seed), area, {}};
    std::vector<ScheduledInput> schedule;
    while ((int)schedule.size() < events) addAction(g, schedule, 1);
    double at = 0;
    for (ScheduledInput& s : schedule) {
        s.atMs = at;
        at += g.between(minGapMs, maxGapMs);
    }
    return schedule;
}
