// Small operations on dialog controls shared by the pages and dialogs.
#pragma once

#include <windows.h>
#include <stdint.h>

#define PX_TEXT_CHARS 256
#define PX_LIST_TEXT_LIMIT 64

// A string of the module's table, held by the caller (on its stack): no
// buffer is shared between windows or threads.
struct ModuleString {
    WCHAR text[PX_TEXT_CHARS];
};
// String `id` (at most 255 characters); an id without a string gives an
// empty text. Use as LoadModuleString(id).text within one expression.
ModuleString LoadModuleString(UINT id);

// Enable or disable a control, calling EnableWindow only on a real change.
void EnableControl(HWND dialog, int id);
void DisableControl(HWND dialog, int id);
void SetControlEnabled(HWND dialog, int id, BOOL enabled);

// The item data of the selected entry of a drop-down list, -1 when none.
LRESULT SelectedItemData(HWND dialog, int id);
// Appends an entry with its data; the new entry's index.
LRESULT AddItem(HWND dialog, int id, const WCHAR *text, LPARAM data);
// Appends string `textId` with its data.
LRESULT AddStringItem(HWND dialog, int id, UINT textId, LPARAM data);
// Empties a drop-down list and limits its text.
void ResetList(HWND dialog, int id);
// Keeps a control from repainting while it changes (a list from repainting
// entry by entry while it is filled): it repaints once at the end.
class RedrawPause {
  public:
    RedrawPause() = default;
    explicit RedrawPause(HWND control);
    ~RedrawPause();
    RedrawPause(const RedrawPause &) = delete;
    RedrawPause &operator=(const RedrawPause &) = delete;
    // Starts the pause of a default-made one.
    void Begin(HWND control);

  private:
    HWND control_ = NULL;
};

// A refill of a drop-down list: AddItem calls for it while it lives give the
// entries in order. Entries equal to the ones the list has (text and data)
// are kept; from the first that differs the list is emptied or cut there
// and filled with its repainting paused until the refill ends. A refill
// that gives the entries the list has leaves it untouched: refilling one
// with its own entries costs the window server nothing. The caller sets
// the selection after every refill.
class ListRefill {
  public:
    ListRefill(HWND dialog, int id);
    ~ListRefill();
    ListRefill(const ListRefill &) = delete;
    ListRefill &operator=(const ListRefill &) = delete;
    // The entry's index in the list, CB_ERR when it could not be added.
    LRESULT Add(const WCHAR *text, LPARAM data);
    HWND list() const { return list_; }

  private:
    BOOL Matches(LRESULT index, const WCHAR *text, LPARAM data) const;
    void CutAt(LRESULT index);

    HWND dialog_;
    int id_;
    HWND list_;
    LRESULT given_ = 0;     // entries given so far
    BOOL changed_ = FALSE;  // the list was emptied or cut
    ListRefill *outer_;
    RedrawPause pause_;
};
// Selects the entry whose data equals data, the first entry when none does.
void SelectItemByData(HWND dialog, int id, LPARAM data);
// Selects entry index (-1: none) unless it is selected already.
void SelectListIndex(HWND dialog, int id, LRESULT index);

// The control's text in a new PxAlloc block (the caller frees it); the size
// in bytes including the terminator, 0 with *text null on failure.
int ReadControlText(HWND dialog, int id, WCHAR **text);

// Sets the controls with ids first..last, except skip, to the strings of the
// same ids, in one walk over the dialog's children.
void RelabelControls(HWND dialog, int first, int last, int skip);
// Relabels the summary panel (11000-11013, but for the lines 11002-11010,
// which the page's summary refresh sets) and the ids first..last except
// skip with the strings of the same ids.
void RelabelPage(HWND dialog, int first, int last, int skip);

// Sets the dialog's title to string titleId and its OK button, and with
// withCancel its Cancel button, to the module's texts for them.
void LabelDialog(HWND dialog, UINT titleId, BOOL withCancel);

// Formats with the Windows conventions (%s is a wide string) into out,
// cut to chars - 1 characters; the format is string `formatId`.
void FormatString(WCHAR *out, int chars, UINT formatId, ...);
// The same with a format given as text.
void FormatText(WCHAR *out, int chars, const WCHAR *format, ...);
// Loads string id into out (cut to chars - 1); empty when there is none.
void LoadText(UINT id, WCHAR *out, int chars);
