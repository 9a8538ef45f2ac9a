#pragma once

#include <QString>
#include <QStringList>

// The command line of a settings program: the switches ("/P", "-S") without
// their first character, and the other parameters, each in command-line
// order. Programs read their mode from GetOptionAt(0) and a second switch
// from GetOptionAt(1).
class CEcrCmdLineInfo
{
public:
    CEcrCmdLineInfo() = default;
    virtual ~CEcrCmdLineInfo() = default;

    // Splits the arguments (without the program name) as the launcher passes
    // them. A word starting with "-" is a switch; one starting with "/" is a
    // switch unless it holds a further "/": "/home/u/a.crx" is a path.
    void ParseArguments(const QStringList& arguments);
    // The same for QCoreApplication::arguments() of the running program.
    void ParseCommandLine();
    // One parameter, with the switch character already removed when isSwitch.
    virtual void ParseParam(const QString& param, bool isSwitch, bool isLast);

    static bool IsSwitchWord(const QString& word);

    // The switch or parameter at the index; "" past either end.
    QString GetOptionAt(int index) const;
    QString GetPathNameAt(int index) const;
    int GetOptionCount() const { return int(m_aOptions.size()); }
    int GetPathNameCount() const { return int(m_aPathNames.size()); }
    // Both kinds together.
    int GetParamCount() const { return m_nParamCount; }

private:
    QStringList m_aOptions;
    QStringList m_aPathNames;
    int m_nParamCount = 0;
};
