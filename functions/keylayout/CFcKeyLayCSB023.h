#pragma once

#include <QRect>
#include <QSize>
#include <QString>

#include <array>

class CSQliteDB;

namespace kesmond {

// The key layout's geometry from CSB023: four key sizes and three section
// sizes with their captions, the four automatic layouts, and the four grid
// presets that the sheet rectangle gives.
class CFcKeyLayCSB023
{
public:
    static constexpr int kKeySizes = 4;
    static constexpr int kSectionSizes = 3;
    static constexpr int kAutoLayouts = 4;

    CFcKeyLayCSB023();
    virtual ~CFcKeyLayCSB023() = default;

    // Reads every CSB023 row (a later row of a code wins); false with the
    // database status when the table cannot be read.
    bool Read(CSQliteDB& db, int& err);
    // One row's value, as Read takes it.
    void SetValue(const QString& code, const QString& value);

    // Stores the sheet rectangle and computes the presets from it.
    void SetSheetRect(const QRect& rect);
    const QRect& SheetRect() const { return m_sheetRect; }
    // The preset 0 to 3 with these columns and rows, else -1.
    int FindPreset(int columns, int rows) const;

    // index 0 to 3 for key sizes 1 to 4, 0 to 2 for section sizes 1 to 3.
    QSize KeySize(int index) const { return m_keySizes.at(size_t(index)); }
    QString KeyLabel(int index) const { return m_keyLabels.at(size_t(index)); }
    QSize SectionSize(int index) const { return m_sectionSizes.at(size_t(index)); }
    QString SectionLabel(int index) const { return m_sectionLabels.at(size_t(index)); }
    // MENU.LAYOUT value and caption of automatic layout types 2 to 5.
    QString AutoLayoutValue(int index) const { return m_autoValues.at(size_t(index)); }
    QString AutoLayoutLabel(int index) const { return m_autoLabels.at(size_t(index)); }
    // Columns (width) and rows (height) of preset index 0 to 3.
    QSize Preset(int index) const { return m_presets.at(size_t(index)); }

private:
    QRect m_sheetRect;
    std::array<QSize, kKeySizes> m_keySizes{};
    std::array<QString, kKeySizes> m_keyLabels;
    std::array<QSize, kSectionSizes> m_sectionSizes{};
    std::array<QString, kSectionSizes> m_sectionLabels;
    std::array<QString, kAutoLayouts> m_autoValues;
    std::array<QString, kAutoLayouts> m_autoLabels;
    std::array<QSize, kKeySizes> m_presets{};
};

} // namespace kesmond
