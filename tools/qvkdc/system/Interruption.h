// Interruption: SIGINT or SIGTERM while the library writes the files of an
// export.
//
// While the object lives (from the library call of `qvkdc export` to the
// end of the command), the first of these signals does not end qvkdc.
// During the run it makes every later write to a file fail, so that the
// library's write of the file at hand fails and the library removes what
// it wrote, as after a full disk, and its run ends; the files it finished
// before stay whole. After the run (RunEnded) writes work, and a first
// signal is only kept. Any further signal ends qvkdc at once. qvkdc then
// tells what the run did, writes its own files with the exit code the
// signal gives and ends itself by the signal (EndBySignal), so that its
// parent sees it ended by that signal (a shell reports 128 + its number).
// Once the command has written its report, Hold keeps the signals off to
// the end: the exit code its report gives is the one the parent sees.
//
// On POSIX the handler lowers the process's file size limit to 0 (SIGXFSZ
// is ignored, see KeepRunningPastFileSizeLimit) and sets both signals back
// to their default action; the object's end restores the limit and the
// handlers. On Windows nothing is caught: Ctrl-C and closing the console
// end qvkdc at once, and Signal() stays 0.
#ifndef QVKDC_TOOLS_SYSTEM_INTERRUPTION_H
#define QVKDC_TOOLS_SYSTEM_INTERRUPTION_H

class Interruption {
 public:
    // REQUIRES: no other Interruption lives.
    Interruption();
    ~Interruption();
    Interruption(const Interruption&) = delete;
    Interruption& operator=(const Interruption&) = delete;

    // The library's run is over: writes work again.
    void RunEnded();

    // The first signal that came while an object lived; 0 when none.
    static int Signal();
    // Holds SIGINT and SIGTERM back to the end of the process: one that
    // comes later is never delivered, as the process ends first.
    static void Hold();
    // Its name, "SIGINT" or "SIGTERM"; "" when none came.
    static const char* SignalName();
    // What a shell reports for a process ended by Signal(): 128 + its
    // number. REQUIRES: Signal() != 0.
    static int ExitCode();
    // Ends qvkdc by Signal(), with the signal's default action. Returns
    // only when no signal came.
    static void EndBySignal();
};

#endif  // QVKDC_TOOLS_SYSTEM_INTERRUPTION_H
