#include "system/Interruption.h"

// Nothing is caught: Ctrl-C and closing the console end qvkdc at once
// (docs/exit-codes.md says what that leaves on disk).
Interruption::Interruption() = default;
Interruption::~Interruption() = default;

void Interruption::RunEnded() {}

int Interruption::Signal() { return 0; }

void Interruption::Hold() {}

const char* Interruption::SignalName() { return ""; }

int Interruption::ExitCode() { return 0; }

void Interruption::EndBySignal() {}
