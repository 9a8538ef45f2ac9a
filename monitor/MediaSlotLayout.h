#pragma once

#include "monitor/CMediaDataDlg.h"

#include <QString>

class CDialogTemplate;

namespace mervolt {

// The controls of one row of a media window, in dialog units: the label,
// the slot's edit and, for a media file, its Select and Delete buttons
// right after the edit (a dropped file clicks the control after the edit).
void AddSlotRow(CDialogTemplate& tmpl, const MonMediaSlot& slot, const QString& labelKey, int y);
// A group frame with its title key.
void AddGroup(CDialogTemplate& tmpl, const QString& key, int y, int height);
// An explanation line.
void AddExplanation(CDialogTemplate& tmpl, uint id, const QString& key, int y);
// Help, OK (the default button) and Cancel of the bottom row.
void AddBottomButtons(CMainDlg& window);
// The dialog may grow from its template size.
void LetGrow(QWidget* window);

constexpr int kMediaDlgWidth = 420;

} // namespace mervolt
