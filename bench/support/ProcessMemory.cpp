#include "ProcessMemory.h"

#include <QFile>
#include <QList>

#include <malloc.h>

long ResidentKiB()
{
    QFile f("/proc/self/statm");
    f.open(QIODevice::ReadOnly);
    const QList<QByteArray> fields = f.readAll().split(' ');
    return fields.value(1).toLong() * 4;
}

long HeapKiB()
{
    const struct mallinfo2 info = mallinfo2();
    return long((info.uordblks + info.hblkhd) / 1024);
}

long PeakResidentKiB()
{
    QFile f("/proc/self/status");
    f.open(QIODevice::ReadOnly);
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

void ResetPeakResident()
{
    QFile f("/proc/self/clear_refs");
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}
