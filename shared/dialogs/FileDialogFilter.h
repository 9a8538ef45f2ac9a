#pragma once

#include <QString>

// The file chooser's filter from a language text of "|"-separated pairs of a
// description and its patterns ("Setting archive (*.crx)|*.crx|All files
// (*.*)|*.*||", patterns separated by ";"): one Qt filter per pair, joined by
// ";;", each ending in its patterns in parentheses, which is where Qt reads
// them. A description that already ends in its patterns is kept as it is; a
// pair without patterns and empty pairs are left out.
QString FileDialogFilter(const QString& pairs);
