#pragma once

// Times one act per iteration on a fresh object made and destroyed with the
// timer paused, so only the act counts. Header-only.

#include <benchmark/benchmark.h>

#include <memory>

template <class T, class Act> void TimedOnFresh(benchmark::State& state, Act act)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto fresh = std::make_unique<T>();
        state.ResumeTiming();
        act(*fresh);
        state.PauseTiming();
        fresh.reset();
        state.ResumeTiming();
    }
}
