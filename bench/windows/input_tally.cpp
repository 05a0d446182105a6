// Pairing by identity and occurrence, so a lost or extra event does not shift every later pair.
#include "input_tally.h"

#include <deque>
#include <map>

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
