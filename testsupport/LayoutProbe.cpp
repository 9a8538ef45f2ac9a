// Loaded by the end-to-end tests into the program they start on the private
// X server (QT_QPA_GENERIC_PLUGINS, see ProgramTest.h): every window the
// program shows is checked as in the widget tests, and each fault is appended
// as a line to the file named after the plugin's key in that variable.
#include "testsupport/LayoutCheck.h"

#include <QFile>
#include <QGenericPlugin>

namespace {

class CLayoutProbePlugin : public QGenericPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "LayoutProbe.json")

public:
    QObject* create(const QString& key, const QString& log) override
    {
        if (key.compare(QLatin1String(korvane::test::kLayoutProbe), Qt::CaseInsensitive) != 0)
            return nullptr;
        return new korvane::test::LayoutWatcher([log](const QString& fault) {
            QFile file(log);
            if (file.open(QIODevice::WriteOnly | QIODevice::Append))
                file.write(fault.toUtf8() + '\n');
        });
    }
};

} // namespace

#include "LayoutProbe.moc"
