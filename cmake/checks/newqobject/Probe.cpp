#include "Probe.h"

Probe::Probe(QObject* parent) : QObject(parent) {}
