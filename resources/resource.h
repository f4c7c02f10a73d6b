// Ids of the module's resources that have no fixed id of their own elsewhere.
#pragma once

#define IDS_BIND_FAILED 2580
#define IDS_VERSION_MISMATCH 2581
