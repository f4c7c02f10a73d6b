// Whether a queued job's device mode fits the printer unchanged, and why not.
#pragma once

#include "core/platform.h"

// Message ids of the string table: why a job does not fit.
#define IDS_JOB_SPEC_VERSION 2560
#define IDS_JOB_DRIVER_VERSION 2561
#define IDS_JOB_SIZE 2562
#define IDS_JOB_ORIENTATION 2563
#define IDS_JOB_SCALE 2564
#define IDS_JOB_COPIES 2565
#define IDS_JOB_X_RESOLUTION 2566
#define IDS_JOB_COLOR 2567
#define IDS_JOB_NO_EXTRA 2568
#define IDS_JOB_PAPER_SIZE 2569
#define IDS_JOB_NO_DATA_DRIVER 2570
#define IDS_JOB_Y_RESOLUTION 2571
#define IDS_JOB_SOURCE 2572
#define IDS_JOB_BUILD_FAILED 2573
#define IDS_JOB_PRIVATE 2574
#define IDS_JOB_ICM_METHOD 2575
#define IDS_JOB_ICM_INTENT 2576
#define IDS_JOB_MEDIA_TYPE 2577

// 0 when the job prints unchanged, else the id of the message that says why
// not. A null job is printable.
UINT CheckJobCompatibility(HANDLE printer, const DEVMODEW *job);

// Writes message `id` into the caller's DEVQUERYPRINT_INFO, sizes in bytes.
void ReportJobMessage(UINT id, DEVQUERYPRINT_INFO *info);
