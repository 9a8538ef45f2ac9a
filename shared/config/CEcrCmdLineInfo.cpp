#include "shared/config/CEcrCmdLineInfo.h"

#include <QCoreApplication>

void CEcrCmdLineInfo::ParseArguments(const QStringList& arguments)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& word = arguments[i];
        const bool isSwitch = IsSwitchWord(word);
        ParseParam(isSwitch ? word.mid(1) : word, isSwitch, i + 1 == arguments.size());
    }
}

void CEcrCmdLineInfo::ParseCommandLine()
{
    ParseArguments(QCoreApplication::arguments().mid(1));
}

bool CEcrCmdLineInfo::IsSwitchWord(const QString& word)
{
    if (word.startsWith(u'-'))
        return true;
    // Switches were written with "/" where paths now start with it; a switch
    // never holds a second "/".
    return word.startsWith(u'/') && word.indexOf(u'/', 1) < 0;
}

void CEcrCmdLineInfo::ParseParam(const QString& param, bool isSwitch, bool /*isLast*/)
{
    if (isSwitch)
        m_aOptions.append(param);
    else
        m_aPathNames.append(param);
    ++m_nParamCount;
}

QString CEcrCmdLineInfo::GetOptionAt(int index) const
{
    return index >= 0 && index < m_aOptions.size() ? m_aOptions[index] : QString();
}

QString CEcrCmdLineInfo::GetPathNameAt(int index) const
{
    return index >= 0 && index < m_aPathNames.size() ? m_aPathNames[index] : QString();
}
