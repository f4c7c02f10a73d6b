// DrvConvertDevMode: copies device modes between sizes for the spooler and
// hands out the driver's default record.
#pragma once

#include "core/platform.h"
