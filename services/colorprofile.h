// Colour profiles: the printer profile named for a job, and the installed
// profiles and their descriptions for the dialogs.
#pragma once

#include "devmode/devmode.h"

#define PX_PROFILE_NAME_CHARS 256

// Profile classes and colour space as the colour management spells them
// ('mntr', 'prtr', 'RGB '), without multi-character literals.
#define PX_CLASS_MONITOR 0x6D6E7472u
#define PX_CLASS_PRINTER 0x70727472u
#define PX_SPACE_RGB 0x52474220u

// Column bases of the default profile table in the string table.
#define IDS_PROFILE_GLOSSY 21000  // paper types 1280 and 1380
#define IDS_PROFILE_OTHER 21100
#define IDS_PROFILE_WHITE 21200   // paper type 1281

// String id of the default printer profile for a paper type and print mode.
UINT DefaultProfileId(uint32_t paperTypeId, int printMode);

// buffer holds at least PX_PROFILE_NAME_CHARS characters. Keeps a non-empty
// name already in buffer; otherwise loads the default for the record's paper
// type and print mode. Returns the name's length (0 when there is none).
int GetPrinterProfileName(const PXDEVMODE *record, WCHAR *buffer);

// The file names of the installed RGB profiles of a class (PX_CLASS_MONITOR,
// PX_CLASS_PRINTER) as a double-NUL-terminated list in a new block, the number
// of names in *count; NULL on failure. Free the block with PxFree.
WCHAR *EnumerateColorProfiles(DWORD profileClass, DWORD *count);

// The ASCII text of a profile's 'desc' tag in a new block, or NULL when the
// profile cannot be opened or has no such tag. Free the block with PxFree.
char *GetProfileDescription(const WCHAR *fileName);
