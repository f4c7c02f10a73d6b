// Prints a device mode field by field, readable ("name: value" lines) or as
// one JSON object whose keys are the record's field names, with nested
// objects for the embedded data-driver records. Used by pxhost's device-mode
// commands and by the settings-file commands.
#pragma once

#include <stdio.h>

#include "devmode/devmode.h"
#include "tools/pxhost/json_out.h"

enum DevModeFormat { DEVMODE_TEXT, DEVMODE_JSON };

// TRUE when name is a top-level field of the record (dmOrientation, pdmMargin, ...).
BOOL IsDevModeField(const char *name);

// record: `bytes` readable bytes (a short record prints the fields that lie
// wholly inside them). names: the fields to print, NULL for all, in the
// record's order whatever the list's order.
void PrintDevMode(FILE *out, const PXDEVMODE *record, size_t bytes, DevModeFormat format,
                  const char *const *names);

// Adds the fields as members of a JSON object.
void AddDevModeJsonFields(Json *object, const PXDEVMODE *record, size_t bytes,
                          const char *const *names);
