#pragma once

class QLineEdit;
class QWidget;

namespace kesmond {

// An empty edit refuses OK: "CRDS_CMN_ERR_INPUT" and the focus to the edit.
// True when it holds text.
bool RequireText(QWidget* dialog, QLineEdit* edit);

} // namespace kesmond
