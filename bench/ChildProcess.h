// ChildProcess: runs a program and reports the CPU time and the peak
// resident memory it used.
//
// The peak is the child's own high-water mark as the kernel counts it. A
// child starts as a copy of its parent, so run children while the calling
// process is still small: its size at that moment is a floor under every
// child's peak (BaselineKiB tells how high that floor is).
#ifndef QVKDC_BENCH_CHILDPROCESS_H
#define QVKDC_BENCH_CHILDPROCESS_H

#include <string>
#include <vector>

struct ChildUsage {
    int exitCode = -1;
    double cpuSeconds = 0;  // user + system
    long peakKiB = 0;
};

// Runs argv[0] with argv, stdout to stdoutPath (/dev/null when empty),
// stderr passed through. Returns false when it could not be started.
bool RunChild(const std::vector<std::string>& argv, const std::string& stdoutPath,
              ChildUsage* usage);

// Peak of a child that does nothing (/bin/true).
long BaselineKiB();

#endif  // QVKDC_BENCH_CHILDPROCESS_H
