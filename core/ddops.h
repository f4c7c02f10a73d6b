// The data driver's operations as this module calls them. Each wrapper
// resolves its operation on first use, calls it under the module lock and
// returns its result; 0 means failure, no match or an operation the data
// driver does not export. Enumerations and searches fill the record's name
// from the data driver's string table.
#pragma once

#include "core/ddrecords.h"

// Function types of the exported xRtl operations (shared with the data driver).
typedef int(WINAPI *PFN_xRtlPrinterInfo)(PrinterInfoRecord *info);
typedef int(WINAPI *PFN_xRtlQuery)(void);
typedef int(WINAPI *PFN_xRtlMediaGet)(int key, MediaRecord *media);
typedef int(WINAPI *PFN_xRtlPtypeGet)(int key, PaperTypeRecord *ptype);
typedef int(WINAPI *PFN_xRtlMarginGet)(int key, MarginRecord *margin);
typedef int(WINAPI *PFN_xRtlPaperEnum)(int index, PaperRecord *paper);
typedef int(WINAPI *PFN_xRtlDPIEnum)(uint16_t *dpis, int count);
typedef int(WINAPI *PFN_xRtlQltModeGet)(int key, QualityModeRecord *mode);
typedef int(WINAPI *PFN_xRtlCCRmGet)(int key, ColorCorrectionRecord *ccr);
typedef int(WINAPI *PFN_xRtlMPMsentence)(int id, WCHAR *text, int chars);
typedef int(WINAPI *PFN_xRtlLookUpTblSearch)(int id, void *table);

// The operations' slot numbers are the string ids of their names.
enum DdOperation {
    DD_PRINTER_INFO = 0,
    DD_MEDIA_QUERY = 1,
    DD_MEDIA_ENUM = 2,
    DD_MEDIA_SEARCH = 3,
    DD_PTYPE_QUERY = 4,
    DD_PTYPE_ENUM = 5,
    DD_PTYPE_SEARCH = 6,
    DD_MARGIN_QUERY = 7,
    DD_MARGIN_ENUM = 8,
    DD_MARGIN_SEARCH = 9,
    DD_PAPER_QUERY = 17,
    DD_PAPER_ENUM = 18,
    DD_GDI_DPI_ENUM = 21,
    DD_MPM_SENTENCE = 22,
    DD_QLTMODE_QUERY = 23,
    DD_QLTMODE_ENUM = 24,
    DD_QLTMODE_SEARCH = 25,
    DD_LOOKUP_TBL_SEARCH = 26,
    DD_CCRM_QUERY = 27,
    DD_CCRM_ENUM = 28,
    DD_CCRM_SEARCH = 29,
    DD_DEV_DPI_ENUM = 30,
};

int DdPrinterInfo(PrinterInfoRecord *info);
int DdMediaQuery(void);
int DdMediaEnum(int index, MediaRecord *media);
int DdMediaSearch(int code, MediaRecord *media);
int DdPtypeQuery(void);
int DdPtypeEnum(int index, PaperTypeRecord *ptype);
int DdPtypeSearch(int id, PaperTypeRecord *ptype);
int DdMarginQuery(void);
int DdMarginEnum(int index, MarginRecord *margin);
int DdMarginSearch(int id, MarginRecord *margin);
int DdPaperQuery(void);
int DdPaperEnum(int index, PaperRecord *paper);
int DdGdiDpiEnum(uint16_t *dpis, int count);
int DdQltModeEnum(int index, QualityModeRecord *mode);
int DdQltModeSearch(int id, QualityModeRecord *mode);
int DdCCRmEnum(int index, ColorCorrectionRecord *ccr);
int DdCCRmSearch(int id, ColorCorrectionRecord *ccr);

// Loads a string of the data driver's string table; returns its length in
// characters, 0 when there is none or no data driver is loaded.
int DdLoadString(UINT id, WCHAR *text, int chars);
