// The grid's shorthand before the frequency rule (whose own table is in
// tests/interchange/FieldRulesTest.cpp), and the values only typing gives.
#include <gtest/gtest.h>
#include <cmath>
#include "edit/FrequencyCheck.h"

using orv::checkFrequency;
using O = orv::FrequencyCheck::Outcome;

TEST(FrequencyCheck, TypedValues) {
    struct Case { double typed; O outcome; double value; };
    const Case cases[] = {
        {16240, O::Store, 162.4},      {162400, O::Store, 162.4},     {162.4, O::Store, 162.4},
        {1624000, O::Store, 162.4},    {0, O::Unchanged, 0},          {-162.4, O::Refuse, 0},
        {1000, O::Refuse, 0},          {1552500, O::Store, 155.25},   {1624113, O::Refuse, 0},
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
