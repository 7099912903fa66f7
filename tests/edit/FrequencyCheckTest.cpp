// The check of typed frequencies, value by value.
#include <gtest/gtest.h>
#include <cmath>
#include "edit/FrequencyCheck.h"

using orv::checkFrequency;
using O = orv::FrequencyCheck::Outcome;

TEST(FrequencyCheck, TypedValues) {
    struct Case { double typed; O outcome; double value; };
    const Case cases[] = {
        {16240, O::Store, 162.4},      {162400, O::Store, 162.4},     {162.4, O::Store, 162.4},
        {1624000, O::Store, 162.4},    {155.00625, O::Store, 155.00625}, {155.0025, O::Store, 155.0025},
        {136, O::Store, 136},          {174, O::Store, 174},          {0, O::Unchanged, 0},
        {180, O::Refuse, 0},           {120, O::Refuse, 0},           {135.9975, O::Refuse, 0},
        {174.0025, O::Refuse, 0},      {162.4113, O::Refuse, 0},      {162.41234567, O::Refuse, 0},
        {162.001, O::Refuse, 0},       {-162.4, O::Refuse, 0},        {1000, O::Refuse, 0},
        // The range applies after the shorthand scaling, not to the step-test value.
        {1.4, O::Refuse, 0},           {14.5, O::Refuse, 0},          {16.24, O::Refuse, 0},
        // Values that are no finite number.
        {HUGE_VAL, O::Refuse, 0},      {-HUGE_VAL, O::Refuse, 0},     {NAN, O::Refuse, 0},
    };
    for (const auto& c : cases) {
        const auto r = checkFrequency(c.typed);
        EXPECT_EQ(r.outcome, c.outcome) << c.typed;
        if (c.outcome == O::Store) {
            EXPECT_NEAR(r.value, c.value, 1e-9) << c.typed;
        }
    }
}
