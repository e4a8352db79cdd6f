// Defaults of AddressSanitizer for the fuzz targets (ASAN_OPTIONS still
// overrides them). An input needs a few megabytes at most, so a quarantine
// of 32 MB still catches any use of a block freed during the same input,
// while the default of 256 MB makes every input touch fresh pages; shorter
// allocation stacks are enough to find the owner of a block.
extern "C" const char* __asan_default_options() {
    return "quarantine_size_mb=32:malloc_context_size=10";
}
