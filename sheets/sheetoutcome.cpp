#include "sheets/sheetoutcome.h"

#include "core/module.h"

// One slot per sheet open through an entry point at the same time: few are.
#define PX_OUTCOME_SLOTS 8

struct OutcomeSlot {
    const void *header;
    LONG outcome;
};
static OutcomeSlot g_outcomes[PX_OUTCOME_SLOTS];

static OutcomeSlot *SlotOf(const void *header)
{
    for (OutcomeSlot &slot : g_outcomes) {
        if (slot.header == header)
            return &slot;
    }
    return NULL;
}

BOOL WatchSheetOutcome(const void *header)
{
    if (!header)
        return FALSE;
    ModuleLockGuard lock;
    OutcomeSlot *slot = SlotOf(NULL);
    if (!slot)
        return FALSE;
    slot->header = header;
    slot->outcome = PX_OUTCOME_NONE;
    return TRUE;
}

void NoteSheetOutcome(const void *header, BOOL confirmed)
{
    if (!header)
        return;
    ModuleLockGuard lock;
    OutcomeSlot *slot = SlotOf(header);
    if (slot)
        slot->outcome = confirmed ? 1 : 0;
}

LONG TakeSheetOutcome(const void *header)
{
    if (!header)
        return PX_OUTCOME_NONE;
    ModuleLockGuard lock;
    OutcomeSlot *slot = SlotOf(header);
    if (!slot)
        return PX_OUTCOME_NONE;
    LONG outcome = slot->outcome;
    slot->header = NULL;
    return outcome;
}
