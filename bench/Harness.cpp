#include "Harness.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace bench {

volatile std::uint64_t sink = 0;

std::vector<Benchmark>& registry() {
    static std::vector<Benchmark> benchmarks;
    return benchmarks;
}

namespace {

double now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double timeOf(Side const& side, std::uint64_t iterations) {
    double start = now();
    sink = sink + side(iterations);
    return now() - start;
}

// The smallest power-of-two iteration count whose run takes at least
// `target` seconds on the slower-looking side (the peer is the reference).
std::uint64_t calibrate(Benchmark const& b, double target) {
    std::uint64_t n = 1;
    for (;;) {
        double t = std::max(timeOf(b.peer, n), timeOf(b.wux, n));
        if (t >= target || n >= (1ull << 40))
            return n;
        n *= 2;
    }
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    std::size_t m = v.size() / 2;
    return v.size() % 2 != 0 ? v[m] : (v[m - 1] + v[m]) / 2;
}

struct Options {
    int rounds = 9;
    double target = 0.05;
    bool smoke = false;
    std::string filter;
};

Options parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--smoke") == 0)
            o.smoke = true;
        else if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc)
            o.rounds = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--filter") == 0 && i + 1 < argc)
            o.filter = argv[++i];
    }
    return o;
}

} // namespace

} // namespace bench

// Usage: wux_bench [--filter TEXT] [--rounds N] [--smoke]
// --smoke runs every side once with one iteration: a check that the
// benchmarks still build and run, not a measurement.
int main(int argc, char** argv) {
    using namespace bench;
    Options o = parse(argc, argv);
    std::printf("%-20s %-34s %-26s %12s %12s %7s %6s %s\n", "benchmark", "workload", "peer",
                "wux (ns/it)", "peer (ns/it)", "ratio", "goal", "");
    int missed = 0;
    for (Benchmark const& b : registry()) {
        if (!o.filter.empty() && b.name.find(o.filter) == std::string::npos)
            continue;
        if (o.smoke) {
            sink = sink + b.wux(1) + b.peer(1);
            std::printf("%-20s ran\n", b.name.c_str());
            continue;
        }
        timeOf(b.wux, 1); // warm-up: first-touch pages, lazy initialisation
        timeOf(b.peer, 1);
        std::uint64_t n = calibrate(b, o.target);
        std::vector<double> ratios, wuxTimes, peerTimes;
        for (int r = 0; r < o.rounds; ++r) {
            // Alternate which side goes first so drift hits both alike.
            double tw, tp;
            if (r % 2 == 0) {
                tw = timeOf(b.wux, n);
                tp = timeOf(b.peer, n);
            } else {
                tp = timeOf(b.peer, n);
                tw = timeOf(b.wux, n);
            }
            wuxTimes.push_back(tw);
            peerTimes.push_back(tp);
            ratios.push_back(tw / tp);
        }
        double ratio = median(ratios);
        bool met = ratio <= b.goal;
        missed += met ? 0 : 1;
        double scale = 1e9 / static_cast<double>(n);
        std::printf("%-20s %-34s %-26s %12.1f %12.1f %7.3f %6.2f %s\n", b.name.c_str(),
                    b.workload.c_str(), b.peerName.c_str(), median(wuxTimes) * scale,
                    median(peerTimes) * scale, ratio, b.goal, met ? "" : "missed");
        std::fflush(stdout);
    }
    std::printf("(checksum %llu)\n", static_cast<unsigned long long>(sink));
    return 0;
}
