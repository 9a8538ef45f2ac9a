#pragma once

// The database layer's test fixture: a fresh database file per test.
#include "../../stroven/tests/StrovenTestDb.h"
