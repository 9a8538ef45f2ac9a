#pragma once

// What a media window keeps while the user chooses files: its own working
// copy of the items it shows and a file dropped on one of its edits. All
// choices land in the work copy Temporary/<folder> and in the own items;
// the real media folders and the menu's items are not touched.

#include "monitor/CXmlDataArray.h"

#include <QString>

class QWidget;

namespace mervolt {

class CMonWindowState
{
public:
    explicit CMonWindowState(QWidget* window = nullptr) : m_pWindow(window) {}

    // Lets the user choose a file for the slot of key (the dropped file, or
    // one from the file dialog), checks it and copies it into the work copy
    // of folder; on success the item and editText hold its name. The slot's
    // old file is deleted only after the copy. False when nothing changed.
    bool SelectMediaFile(const QString& filter, qint64 sizeLimit, const QString& key,
                         const QString& folder, QString& editText, const QString& permitted);
    // After the user confirms: deletes the slot's file from the work copy
    // and empties the item and editText.
    bool DeleteMediaFile(const QString& key, const QString& folder, QString& editText);
    // The media windows' Cancel: removes the work copy. Returns IDCANCEL,
    // the window's result.
    int CancelAndDiscardTemporary();

    // The system's open-file dialog with a filter of description and pattern
    // pairs, each followed by "|", ended by "||". False when cancelled.
    bool ShowSelectFileDialog(const QString& filter, QString& path, QString& fileName,
                              QString& extension);

    QWidget* Window() const { return m_pWindow; }
    CXmlDataArray& OwnItems() { return m_ownItems; }
    void SetDroppedPath(const QString& path) { m_strDroppedPath = path; }
    const QString& DroppedPath() const { return m_strDroppedPath; }

    // "desc|*.png;*.PNG|...||" as a Qt filter "desc (*.png *.PNG);;...".
    static QString ToQtFilter(const QString& filter);
    // The work copy of a media folder: Temporary/<folder>.
    static QString WorkFolder(const QString& folder);

private:
    QWidget* m_pWindow = nullptr;
    CXmlDataArray m_ownItems;
    QString m_strDroppedPath;
};

} // namespace mervolt
