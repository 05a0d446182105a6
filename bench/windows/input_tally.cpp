// Pairing by identity and occurrence, so a lost or extra event does not shift every later pair.
#include "input_tally.h"

#include <cstdio>
#include <deque>
#include <map>

#include "results.h"

// A move's identity has a zero low byte and a key's an odd one, so the two never meet.
uint64_t moveIdentity(int x, int y) {
    return (uint64_t)(uint32_t)x << 32 | (uint64_t)(uint32_t)y << 8;
}

uint64_t keyIdentity(int code, bool down) {
    return (uint64_t)code << 8 | (down ? 1 : 3);
}

Matching matchInOrder(const std::vector<TimedInput>& meant, const std::vector<TimedInput>& seen) {
    std::map<uint64_t, std::deque<int>> waiting;
    for (int i = 0; i < (int)meant.size(); ++i) waiting[meant[i].identity].push_back(i);
    Matching m;
    m.seenFor.assign(meant.size(), -1);
    int latestMeant = -1;
    for (int j = 0; j < (int)seen.size(); ++j) {
        auto found = waiting.find(seen[j].identity);
        if (found == waiting.end() || found->second.empty()) {
            ++m.extra;
            m.extraSeen.push_back(j);
            continue;
        }
        int i = found->second.front();
        found->second.pop_front();
        m.seenFor[i] = j;
        if (i < latestMeant) ++m.outOfOrder;
        if (i > latestMeant) latestMeant = i;
    }
    for (int s : m.seenFor) m.lost += s < 0;
    return m;
}

std::string describe(uint64_t identity) {
    if ((identity & 0xFF) == 0)
        return "move " + std::to_string(identity >> 32) + "," + std::to_string((identity >> 8) & 0xFFFFFF);
    if ((identity & 0xFF) == 0xFF) {
        char text[32];
        std::snprintf(text, sizeof text, "message 0x%X", (unsigned)(identity >> 40));
        return text;
    }
    return "key " + std::to_string((identity >> 8) & 0xFF) + ((identity & 0xFF) == 1 ? " down" : " up");
}

void showOddities(const std::vector<TimedInput>& meant, const std::vector<TimedInput>& seen, const Matching& m) {
    constexpr int kShown = 5;
    int shown = 0;
    for (size_t i = 0; i < meant.size() && shown < kShown; ++i) {
        if (m.seenFor[i] >= 0) continue;
        progress("    lost: #" + std::to_string(i) + " " + describe(meant[i].identity) + " at " +
                 std::to_string((int)meant[i].ms) + " ms");
        ++shown;
    }
    for (size_t k = 0; k < m.extraSeen.size() && k < (size_t)kShown; ++k) {
        const TimedInput& e = seen[m.extraSeen[k]];
        progress("    extra: " + describe(e.identity) + " at " + std::to_string((int)e.ms) + " ms");
    }
}
