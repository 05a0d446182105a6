// Tallies meant input (a script, a schedule) against seen input: lost, extra, out of order.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// One input event reduced to what identifies it and when it happened.
struct TimedInput {
    uint64_t identity;
    double ms;
};

uint64_t moveIdentity(int x, int y);
uint64_t keyIdentity(int code, bool down);

struct Matching {
    std::vector<int> seenFor;  // per meant event: the index of the seen event paired with it, or -1
    int lost = 0;  // meant, never seen
    int extra = 0;  // seen, never meant (or seen more often than meant)
    int outOfOrder = 0;  // seen after an event that was meant later
    std::vector<int> extraSeen;  // indices of the extra seen events
};

// The k-th seen event of an identity pairs with the k-th meant event of that identity.
Matching matchInOrder(const std::vector<TimedInput>& meant, const std::vector<TimedInput>& seen);
// "move 120,80" or "key 65 down"; "message 0x20A" for anything else seen.
std::string describe(uint64_t identity);
// Lists the first few lost and extra events on the progress output, so a count can be looked into.
void showOddities(const std::vector<TimedInput>& meant, const std::vector<TimedInput>& seen, const Matching& m);
