#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class CSQliteDB;

namespace pellark {

// The window a start opens, from option 0.
enum class StartWindow { GraphicList, EasyHost };
// "EASY" exactly opens the easy host; anything else the graphic list.
StartWindow ChooseStartWindow(const QString& option);

// The image program's start-up: one instance, the work database, one modal
// window over it. The exit code is always 0 (the launcher reads none).
class CPellarkApp
{
public:
    // The window class of the graphic list.
    static constexpr const char* kClassName = "Lumo Setting Images";

    CPellarkApp();
    ~CPellarkApp();

    // arguments: the command line without the program name.
    int InitInstance(const QStringList& arguments);

    // Opens "SETTING.DB" of the local data folder: 0, the database layer's
    // status, or -99 when a connection exists. A missing file is never
    // created (a program must not make an empty work database).
    int OpenWorkDatabase();
    CSQliteDB* Database() const { return m_pDB.get(); }

private:
    std::unique_ptr<CSQliteDB> m_pDB;
};

} // namespace pellark
