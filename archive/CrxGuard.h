#pragma once

#include "archive/CrxResult.h"

#include <exception>
#include <new>

// No exception leaves the library's entry points: each one becomes a code.

// What a caught exception becomes: CRX_E_OUTOFMEMORY for a failed
// allocation, otherwise the guard's own code.
inline CrxResult GuardCode(std::exception_ptr error, CrxResult otherwise)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::bad_alloc&) {
        return CRX_E_OUTOFMEMORY;
    } catch (...) {
        return otherwise;
    }
}

// Runs one guarded step; an exception becomes the guard's code.
template <typename Step> CrxResult Guarded(CrxResult exceptionCode, Step&& step)
{
    try {
        return step();
    } catch (...) {
        return GuardCode(std::current_exception(), exceptionCode);
    }
}
