// Spooler reads that cost one call in the usual case. Under Wine a size query
// costs nearly as much as the read itself, so each read starts with a block
// that holds the usual answer and asks again, at the size the spooler
// reported, only when it answers ERROR_INSUFFICIENT_BUFFER.
#pragma once

#include <windows.h>
#include <winspool.h>

// First block sizes, with margin over what Wine's spooler returns for this
// driver's printers on x64: driver information 0.4 KB at levels 2 and 3,
// printer information 0.5 KB, 4.6 KB with the 4160-byte stored record, and
// the forms 8 KB.
// A build can set them lower to exercise the second read.
#ifndef PX_READ_DRIVER_INFO_BYTES
#define PX_READ_DRIVER_INFO_BYTES 4096
#endif
#ifndef PX_READ_PRINTER_INFO_BYTES
#define PX_READ_PRINTER_INFO_BYTES 16384
#endif
#ifndef PX_READ_FORMS_BYTES
#define PX_READ_FORMS_BYTES 32768
#endif

// Each returns a new zero-filled block (PxFree it), or null when the read
// fails. *bytes: the size the spooler reported, never more than the block.
BYTE *ReadPrinterDriverBlock(HANDLE printer, DWORD level, DWORD *bytes);
BYTE *ReadPrinterBlock(HANDLE printer, DWORD level, DWORD *bytes);
// GetPrinterW level 2 as its record; null also when the spooler answered
// with less than the record.
PRINTER_INFO_2W *ReadPrinterInfo2(HANDLE printer, DWORD *bytes);
// EnumFormsW level 1; *count: the number of forms the spooler returned.
BYTE *ReadFormsBlock(HANDLE printer, DWORD *bytes, DWORD *count);
