#pragma once

#include "monitor/CMainDlg.h"
#include "monitor/CXmlDataArray.h"
#include "monitor/MonButtonTable.h"
#include "monitor/tests/MonitorFixture.h"

#include "shared/config/CBasePath.h"

#include <QDir>
#include <QDirIterator>

namespace mervolt::test {

// The monitor fixture with the suite's default signage files in the
// program's resource folder, the program's button table, a scripted file
// chooser and the work database's path.
class MediaWindowFixture : public MonitorFixture
{
protected:
    MediaWindowFixture()
    {
        const QString from = KORVANE_SUITE_DIR "/RESOURCE/additionals/Orbanel";
        for (const char* file : {"/ItemImage/0000000000000000.png", "/Setting/Preference.xml"})
            put(resourceSignage() + file, bytesOf(from + file));
        ::CMainDlg::SetButtonTable(MonButtonTable());
        platform::setFileChooser([this](const platform::FileChoice&) {
            ++m_chooserCalls;
            return m_chosen;
        });
    }
    ~MediaWindowFixture() override { ::CMainDlg::SetButtonTable({}); }

    static QString database() { return CBasePath::GetLocalDataBasePath() + "/SETTING.DB"; }
    static QString signage(const QString& sub) { return GetSignagePath(sub, QString()); }
    QString source(const QString& name, const QByteArray& bytes = "new")
    {
        return put(scratch() + "/pick/" + name, bytes);
    }
    // Every file under the folder with its bytes, "name=bytes" in name order.
    static QStringList tree(const QString& folder)
    {
        QStringList files;
        QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            files << path.mid(folder.size() + 1) + "=" + QString::fromUtf8(bytesOf(path));
        }
        files.sort();
        return files;
    }
    static QString value(const CXmlDataArray& items, const QString& key)
    {
        const CXmlItem* item = items.FindItem("string", key);
        return item ? item->m_strValue : QStringLiteral("<none>");
    }

    QString m_chosen;
    int m_chooserCalls = 0;
};

} // namespace mervolt::test
