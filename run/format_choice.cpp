#include "run/format_choice.h"

const eImportType kFormatTryOrder[24] = {
    DK0_BWS, DK1_BWS, DK2_BWS, Ups,     US0_BWS, US1_BWS, US2_BWS, US3_BWS,
    US4_BWS, US5_BWS, US6_BWS, UK0_BWS, UK1_BWS, SW0_BWS, SW2_BWS, SW3_BWS,
    SW4_BWS, AU0_BWS, AU1_BWS, AU2_BWS, AU3_BWS, AU4_BWS, IS0_BWS, SC0_BWS,
};

unsigned ScoreDetection(bool testRan, const unsigned counters[3]) {
    if (!testRan) return kScoreUnusable;
    // Saturates: a sum that wrapped round to 0 would pass a file that does
    // not fit at all.
    unsigned long long sum = 0ULL + counters[0] + counters[1] + counters[2];
    return sum > kScoreUnusable ? kScoreUnusable : static_cast<unsigned>(sum);
}

bool ChooseFormat(const std::map<eImportType, unsigned>& scores, eImportType* chosen) {
    // Only a strictly lower score replaces the best, so among equal scores
    // the lowest format number (the first in the map) wins.
    unsigned bestScore = 101;
    bool found = false;
    eImportType best = US0_BWS;
    for (const auto& [format, score] : scores) {
        if (score < bestScore) {
            bestScore = score;
            best = format;
            found = true;
        }
    }
    if (!found || bestScore != 0) return false;
    *chosen = best;
    return true;
}
