#pragma once

#include <QList>
#include <QString>

#include <functional>

namespace tovanel {

// A finished archive and the name it is to have.
struct ArchiveMove
{
    QString source;
    QString target;
};

// Moves finished archives to their names. Each is first written beside its
// target (or renamed there when it lies on the same file system), then all
// are renamed over their targets in order; when a rename fails, those
// renamed before get their old files back. So a failure at any step leaves
// every old archive in place. The sources are gone afterwards, on success
// and on failure. Returns 0, or the system error number of the failed step.
int PlaceArchives(const QList<ArchiveMove>& moves);

// The steps a test may fail: writing the file beside a target, and renaming
// it over the target.
enum class PlaceStep { Stage, Rename };
// Called before each step; a non-zero result fails the step with that error
// number. An empty function removes it.
using PlaceFault = std::function<int(PlaceStep step, const QString& target)>;
void SetPlaceFault(PlaceFault fault);

} // namespace tovanel
