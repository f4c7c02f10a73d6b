// The spooler's forms as paper list entries: which forms a media takes, and
// in which placement.
#pragma once

#include "devmode/paperlist.h"

#include <winspool.h>

// A form as an entry: size and margins in 0.1 mm from the form's thousandths
// of a millimetre, name up to 64 characters, series and paper size code 0.
void FormToEntry(const FORM_INFO_1W *form, uint16_t code, PaperEntry *entry);

// The placement code a form gets on the media, or 0 when it is not offered:
// it duplicates one of the data driver's papers, or the media cannot take it.
// papers/paperCount: the data driver's papers of the list.
uint16_t FilterForm(uint16_t mediaCode, const MediaRecord *media, const PaperEntry *papers,
                    int paperCount, const PaperEntry *form);
