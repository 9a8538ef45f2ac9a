#pragma once

// Memory figures of the running benchmark process, in KiB (Linux).

// The resident size now.
long ResidentKiB();
// Bytes the heap has handed out and not taken back: unlike the resident
// size, it does not depend on what earlier benchmarks left free.
long HeapKiB();
// The peak resident size since the last ResetPeakResident (or the start).
long PeakResidentKiB();
void ResetPeakResident();
