#pragma once

#include "shared/textfiles/CErrDataInfo.h"

#include <QString>
#include <QStringList>

class CStringArrayPtrList;

// The forms of the one-value setting dialog (CSubItemSetDlg). Kept here, free
// of widgets, with the checks an import runs for every value it reads.
struct SubItemDlgType
{
    enum E_DlgTypeTag : int {
        DLGTYPE_EDIT = 0,       // text; also every value not listed
        DLGTYPE_PRICE = 1,      // amount
        DLGTYPE_PERCENT = 2,    // percentage
        DLGTYPE_DATE = 3,       // "%Y%m%d"
        DLGTYPE_TIME = 4,       // "%H%M"
        DLGTYPE_LIST = 5,       // list box
        DLGTYPE_COMBO = 6,      // drop-down list
        DLGTYPE_NUMZERO = 7,    // zero-padded number
        DLGTYPE_MINUSPRICE = 8, // signed amount
        DLGTYPE_CHECKLIST = 9,  // one "1"/"0" per row
    };
};

// A value read from an import text, checked as the dialog of its form would
// take it.
struct SubItemImportCheck
{
    bool bOk = false;
    CErrDataInfo::DataErrTypetag nErrorType = CErrDataInfo::DATAERR_NONE;
    QString strErrorKey;
    // When bOk: the value in the table's format, as the dialog gives it back
    // (zero-filled codes, percentages as the edit shows them; "" for a list
    // text that matched no entry where empty is allowed).
    QString strValue;
    // List forms: the matched entry, -1 for none.
    int nIndex = -1;
};

// Forms that are edits, and the character limit their edit gets.
bool IsSubItemEditForm(int form);
int SubItemEditLimit(int form, int digits, int decimals);

// Selection rows must hold a code and a text each.
bool SubItemSelectionRowsValid(const CStringArrayPtrList* selection);

// The entry whose text is exactly `text` with its trailing blanks removed; -1 for none.
int FindSubItemEntryText(const QStringList& entryTexts, const QString& text);

// Checks one imported text for a form. digits and decimals as given to the
// dialog's SetValue; selection for the list forms (rows of code and text, the
// check list's codes "1"/"0"). Without selection data (or with short rows)
// a list form fails with no error kind set.
SubItemImportCheck CheckSubItemImportText(int form, int digits, int decimals, const QString& text,
                                          const CStringArrayPtrList* selection, bool allowEmpty);
