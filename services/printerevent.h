// DrvPrinterEvent (declared by the platform's winddiui.h): the spooler's
// printer events; only initialisation acts.
#pragma once

#include "core/platform.h"
