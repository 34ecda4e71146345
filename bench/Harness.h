//===- bench/Harness.h - Interleaved wux-versus-peer timing -----*- C++ -*-===//
//
// Each benchmark pairs a wux operation with a peer doing the same work on the
// same inputs. The harness calibrates an iteration count, then alternates the
// two sides over several rounds and reports the median of the per-round
// ratios wux / peer (below 1 means wux is faster). Both sides return a
// checksum that the harness folds into a sink, so nothing is optimised away.
//
//===----------------------------------------------------------------------===//
#ifndef WUX_BENCH_HARNESS_H
#define WUX_BENCH_HARNESS_H

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace bench {

/// One side of a benchmark: runs the workload `iterations` times and returns
/// a value derived from the results.
using Side = std::function<std::uint64_t(std::uint64_t iterations)>;

struct Benchmark {
    std::string name;
    std::string workload;
    std::string peerName;
    double goal; ///< the ratio the benchmark should reach or beat
    Side wux;
    Side peer;
};

/// The registry the benchmark files add to during static initialisation.
std::vector<Benchmark>& registry();

struct Registrar {
    explicit Registrar(Benchmark b) { registry().push_back(std::move(b)); }
};

/// Values folded into this are printed at the end, so results stay live.
extern volatile std::uint64_t sink;

} // namespace bench

#endif
