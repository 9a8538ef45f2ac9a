#pragma once
// The image slots of the item-image list over its own item array, and the
// pictures they name in the work copy of the picture folder. Nothing here
// touches the menu's items or the real folder: OK and Cancel do.
#include "monitor/CXmlDataArray.h"

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace mervolt {

class CItemImageSlots
{
public:
    // listMode 1: item images ("transaction_item", "ItemImage"); 0:
    // recommendation images ("recommend_item", "Recommend").
    CItemImageSlots(CXmlDataArray& items, int listMode, int codeWidth, int limit,
                    const QString& workCopy, const QStringList& permitted);

    // The code width W from its language text: a whole number 1 to 16 (the
    // width of ITEMCODE). False otherwise: a width of 0 would name every
    // picture ".<extension>".
    static bool ReadCodeWidth(const QString& text, int& width);
    static QString FileKey(int listMode, int slot);
    static QString NameKey(int listMode, int slot);
    static QString PictureFolder(int listMode);

    int Limit() const { return m_nLimit; }
    int CodeWidth() const { return m_nCodeWidth; }
    QString FileValue(int slot);
    QString NameValue(int slot);
    // The first codeWidth characters of the slot's file value.
    QString CodeOfSlot(int slot);
    // 1-based; 0 when none.
    int SlotOfCode(const QString& code);
    int FirstFreeSlot();
    // The code's slot, else the first free one; 0 (with
    // "CRDS_MO_WRN_SELECT_OVER") when there is none.
    int SlotForCode(QWidget* parent, const QString& code);

    // What a chosen picture must pass before it is set, each refusal with
    // its message: a permitted extension and a name the register can store;
    // with a size limit (bytes, 0: none) a path of fewer than 260 legacy
    // bytes, a readable file that is no folder and not larger than the
    // limit. The default image checks the path even without a limit.
    bool CheckPictureFile(QWidget* parent, const QString& path, qint64 sizeLimit,
                          bool defaultImage) const;

    // Binds the file to the code: its slot, else the first free one. The
    // file is copied to its new name first; only then are the code's other
    // pictures deleted and the slot written, so a failed copy changes
    // nothing. Shows its own message and returns false when refused.
    bool SetPicture(QWidget* parent, const QString& code, const QString& name,
                    const QString& source, const QString& extension);
    // Deletes the code's picture and empties its slot. False (with
    // "CRDS_MO_WRN_SELECT_OVER") only when the code has no slot and none
    // is free.
    bool DeletePicture(QWidget* parent, const QString& code);
    // Empties the slot and deletes the file it names.
    void ClearSlot(int slot);
    // A picture of a code without an item: for every slot whose code
    // hasRow denies, "CRDS_MO_WARN_NOEXISTITEM" asks; OK deletes the
    // picture and empties the slot, Cancel keeps both.
    void ResolveCodesWithoutItem(QWidget* parent,
                                 const std::function<bool(const QString&)>& hasRow);
    // Replaces the default item image by the file (copy first; the old
    // default pictures of other extensions go afterwards).
    bool SetDefaultImage(QWidget* parent, const QString& source, const QString& extension);
    // The default item image in the work copy, the last permitted extension
    // that exists; "" when none.
    QString DefaultImagePath() const;

private:
    CXmlItem* FileItem(int slot);
    CXmlItem* NameItem(int slot);
    // Deletes base + "." + e in the work copy for every permitted e, any
    // letter case, keeping the file named keep.
    void DeletePicturesOf(const QString& base, const QString& keep) const;

    CXmlDataArray& m_items;
    int m_nListMode;
    int m_nCodeWidth;
    int m_nLimit;
    QString m_strWorkCopy;
    QStringList m_permitted;
};

} // namespace mervolt
