// Timing of repeated calls with the performance counter: several
// repetitions, each long enough to be measured, and their median.
#pragma once

#include <windows.h>

struct TimingPlan {
    int repetitions;     // medians are taken over this many
    double repetitionMs; // each repetition runs about this long
};

// One call of the measured operation; FALSE when its answer was wrong, which
// makes the measurement void (a failing call is not timed as if it worked).
typedef BOOL (*TimedCall)(void *context);

struct Timing {
    BOOL valid;
    double medianUs;  // per call
    double minUs;
    double maxUs;
    int callsPerRepetition;
};

double NowUs(void);
Timing TimeCall(TimedCall call, void *context, const TimingPlan *plan);
double MedianOf(double *values, int count);
