// The help-context tables of the three document pages.
#pragma once

#include "widgets/help.h"

extern const HelpContext kBasicPageHelp[];
extern const HelpContext kOptionPageHelp[];
extern const HelpContext kSetupPageHelp[];
