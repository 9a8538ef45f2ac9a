#pragma once

#include "testsupport/FixedClock.h"
#include "testsupport/QtPrinters.h"
#include "testsupport/WorkDbFixture.h"

#include <QBuffer>
#include <QDir>
#include <QImage>

// A small key layout in a work database of the test's own: two pages
// ("000001" custom with an item key, a key of a deleted item, a function
// key and a section; "000002" automatic on department "000001"), a strip
// with its two tabs, styles, geometry and a few button images. The
// connection resolves blob files in the database's folder, as the work
// database does.
class KeyLayoutDbFixture : public korvane::test::WorkDbFixture
{
protected:
    void SetUp() override
    {
        OpenDb(DbFile());
        Exec(QStringLiteral("BEGIN"));
        CreateTables(
            {"CSB022", "CSB023", "CSB003", "CSA005", "CSB012", "CIA001", "CIA002", "CSB002"});
        const char* const statements[] = {
            "INSERT INTO CIA001 (ITEMCODE, ITEMNAME, UNITPRICE) VALUES ('0000000000000123', "
            "'Croissant', 180)",
            "INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME) VALUES ('000001', 'Bakery')",
            "INSERT INTO CSB002 (FUNCKEYCODE, FUNCKEYNAME) VALUES ('000001', 'CASH')",
            "INSERT INTO CSB003 VALUES ('000002', 'MENU.TYPE', '1', '', 'old', 'old')",
            "INSERT INTO CSB003 VALUES ('000002', 'MENU.DEPTLINK', '000001', '', 'old', 'old')",
            "INSERT INTO CSB003 VALUES ('000002', 'MENU.LAYOUT', '2', '', 'old', 'old')",
            "INSERT INTO CSB023 (LAYOUTCODE, LAYOUTVALUE) VALUES ('ITEMBUTTON.1.WIDTH', '127')",
            "INSERT INTO CSB023 (LAYOUTCODE, LAYOUTVALUE) VALUES ('ITEMBUTTON.1.HEIGHT', '68')",
            "INSERT INTO CSB023 (LAYOUTCODE, LAYOUTVALUE) VALUES ('ITEMBUTTON.1.LABEL', 'Big')",
            "INSERT INTO CSB023 (LAYOUTCODE, LAYOUTVALUE) VALUES ('ITEMSECTION.2.HEIGHT', '30')",
            "INSERT INTO CSB023 (LAYOUTCODE, LAYOUTVALUE) VALUES ('ITEMBUTTONAUTO.1.MENU.LAYOUT', "
            "'12')",
        };
        for (const char* statement : statements)
            Exec(QString::fromUtf8(statement));
        // SHEETTYPE, SHEETNUMBER, SHEETARRANGE, SHEETSEQCODE, CONTROLTYPE,
        // THEME, CODE, X, Y, W, H, LABEL, colours, IMAGEFLAG, BGIMG type/code
        const char* const rows[] = {
            "'ITEM', 1, 1, 0, 'ItemSheet', 'Standard', '000001', 0, 60, 800, 420, 'Main', 0, 0, "
            "0, 0, '', ''",
            "'ITEM', 1, 1, 1, 'ItemButton', 'Standard', '0000000000000123', 2, 2, 127, 68, '', "
            "-6182474, 16777215, 0, 1, '', ''",
            "'ITEM', 1, 1, 2, 'ItemButton', 'Standard', '0000000000000999', 130, 2, 127, 68, '', "
            "0, 0, 0, 0, '', ''",
            "'ITEM', 1, 1, 3, 'FunctionButton', 'Standard', '000001', 258, 2, 127, 68, '', 0, 0, "
            "0, 1, '', ''",
            "'ITEM', 1, 1, 4, 'ItemSection', 'Standard', '0', 2, 74, 254, 30, 'Bread', 0, 0, 0, 0, "
            "'', ''",
            "'ITEM', 2, 0, 0, 'ItemSheet', 'Standard', '000002', 0, 60, 800, 420, 'Auto', 0, 0, 0, "
            "0, '', ''",
            "'ITEMSHEETSELECTION', 0, 0, 0, 'ItemSheetSelection', 'Standard', '0', 0, 490, 800, "
            "60, "
            "'', 0, -1, 0, 0, '', ''",
            "'ITEMSHEETSELECTION', 0, 0, 1, 'Normal', 'Standard', '000001', 40, 5, 120, 40, '', 0, "
            "0, 0, 0, 'ItemSheetSelection.Normal', '0'",
            "'ITEMSHEETSELECTION', 0, 0, 2, 'Normal', 'Standard', '000002', 170, 5, 120, 40, '', "
            "0, 0, 0, 0, 'ItemSheetSelection.Normal', '0'",
            "'ITEMSHEETSELECTION', 1, 0, 0, 'ScrollArea', 'Standard', '0', 0, 0, 800, 60, '', 0, "
            "0, 0, 0, '', ''",
            "'DEFAULTITEMBUTTON', 0, 0, 0, 'ItemButton.Background.9', 'Standard', '0', 0, 0, 0, 0, "
            "'', 1, 2, 3, 0, '', ''",
            "'DEFAULTFUNCTIONBUTTON', 3, 0, 0, 'FunctionButton', 'Standard', '3', 0, 0, 0, 0, '', "
            "4, 5, 6, 0, '', ''",
        };
        for (const char* row : rows)
            Exec(QStringLiteral("INSERT INTO CSB022 (SHEETTYPE, SHEETNUMBER, SHEETARRANGE, "
                                "SHEETSEQCODE, CONTROLTYPE, THEME, CODE, POSITIONX, POSITIONY, "
                                "WIDTH, HEIGHT, LABEL, FOREGROUNDCOLOR, BACKGROUNDCOLOR, "
                                "OPTIONCOLOR, IMAGEFLAG, BGIMGCONTROLTYPE, BGIMGCODE) VALUES (") +
                 QString::fromUtf8(row) + QLatin1Char(')'));
        AddImage("ItemButton.Background.9", "0", "key0.png", Qt::blue);
        AddImage("ItemButton.Background.9", "1", "key1.png", Qt::green);
        AddImage("ItemButton.Background.9", "15", "key15.png", Qt::red);
        AddImage("FunctionButton", "0", "fn0.png", Qt::gray);
        AddImage("ItemSheet.Background.9", "14", "sheet14.png", Qt::yellow);
        AddImage("ItemSheetSelection.Normal", "0", "ItemSheetSelection.Normal.9.png", Qt::cyan);
        Exec(QStringLiteral("COMMIT"));
        QDir().mkpath(ImageFolder());
    }

    // Where the work database is made; the window's tests put it in the
    // local data folder.
    virtual QString DbFile() { return m_folders.scratch() + QStringLiteral("/work/SETTING.DB"); }

    QString Folder() const { return QFileInfo(DbPath()).path(); }
    QString ImageFolder() const { return Folder() + QStringLiteral("/BTNIMG"); }

    static QByteArray Png(const QColor& colour, int size = 48)
    {
        QImage image(size, size, QImage::Format_RGB32);
        image.fill(colour);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return bytes;
    }

    void AddImage(const char* type, const char* code, const char* file, const QColor& colour,
                  const char* theme = "Standard")
    {
        Exec(QStringLiteral("INSERT INTO CSB012 VALUES ('%1', '%2', '%3', '%4', x'%5', x'0102', "
                            "'old', 'old')")
                 .arg(QLatin1String(type), QLatin1String(theme), QLatin1String(code),
                      QLatin1String(file), QString::fromLatin1(Png(colour).toHex())));
    }

    korvane::test::FixedClock m_clock{QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9))};
};
