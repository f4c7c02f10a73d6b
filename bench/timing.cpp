#include "bench/timing.h"

#define MAX_REPETITIONS 64
#define MAX_CALLS_PER_REPETITION 200000

double NowUs(void)
{
    static LARGE_INTEGER frequency;
    if (!frequency.QuadPart)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

double MedianOf(double *values, int count)
{
    for (int i = 1; i < count; i++) {
        double v = values[i];
        int j = i - 1;
        for (; j >= 0 && values[j] > v; j--)
            values[j + 1] = values[j];
        values[j + 1] = v;
    }
    if (count == 0)
        return 0;
    return count % 2 ? values[count / 2] : (values[count / 2 - 1] + values[count / 2]) / 2;
}

// Calls per repetition from one timed probe call, after a warm-up call.
static int CallsPerRepetition(TimedCall call, void *context, double repetitionMs, BOOL *ok)
{
    *ok = call(context);
    double start = NowUs();
    *ok = *ok && call(context);
    double once = NowUs() - start;
    if (once < 0.05)
        once = 0.05;
    double calls = repetitionMs * 1000.0 / once;
    if (calls < 1)
        return 1;
    return calls > MAX_CALLS_PER_REPETITION ? MAX_CALLS_PER_REPETITION : static_cast<int>(calls);
}

Timing TimeCall(TimedCall call, void *context, const TimingPlan *plan)
{
    Timing timing = {};
    BOOL ok = FALSE;
    int calls = CallsPerRepetition(call, context, plan->repetitionMs, &ok);
    int repetitions = plan->repetitions > MAX_REPETITIONS ? MAX_REPETITIONS : plan->repetitions;
    double perCall[MAX_REPETITIONS] = {};
    for (int r = 0; r < repetitions && ok; r++) {
        double start = NowUs();
        for (int i = 0; i < calls && ok; i++)
            ok = call(context);
        perCall[r] = (NowUs() - start) / calls;
    }
    if (!ok || repetitions < 1)
        return timing;
    timing.valid = TRUE;
    timing.callsPerRepetition = calls;
    timing.minUs = timing.maxUs = perCall[0];
    for (int r = 1; r < repetitions; r++) {
        timing.minUs = perCall[r] < timing.minUs ? perCall[r] : timing.minUs;
        timing.maxUs = perCall[r] > timing.maxUs ? perCall[r] : timing.maxUs;
    }
    timing.medianUs = MedianOf(perCall, repetitions);
    return timing;
}
