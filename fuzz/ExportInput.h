// ExportInput: what the whole-run fuzz targets (fuzz_export,
// fuzz_export_disk) share: the fixed model they export, the sections of an
// input and the host calls an input makes fail.
//
// An input's sections are separated by "%%\n" lines: the six table files in
// import order, then the option file, then host calls to fail, one
// "NAME N" a line (the Nth call of NAME fails; other lines are ignored).
// A file whose section is missing does not exist. A target may read
// sections of its own after these.
#ifndef QVKDC_FUZZ_EXPORTINPUT_H
#define QVKDC_FUZZ_EXPORTINPUT_H

#include <cstddef>
#include <string_view>
#include <vector>

#include "MemoryFiles.h"
#include "qvkdc/qvkdc.h"
#include "CnvTblFiles.h"

// The table files, then the option file.
constexpr std::size_t kExportFileCount = kCnvTblFileCount + 1;
// The section of the host calls to fail.
constexpr std::size_t kExportFaultSection = kExportFileCount;

// The root-relative path of file i (0 <= i < kExportFileCount).
const char* ExportFilePath(std::size_t i);

// Resets the stand-in host, loads the fixed model and switches every trace
// on, for the whole run of a target (setting them up takes longer than most
// inputs). Its four plans: two with processes, one without process data and
// one without processes.
void LoadExportModel();
// The plans of the model, in model order.
std::vector<ModelId> ExportPlans();

std::vector<std::string_view> ExportSections(std::string_view input);
// Clears every fault, then arms those of the "NAME N" lines of text.
void ArmExportFaults(std::string_view text);
// Number of message lines that report a failed run (message 9999).
int RunFailedMessages();
// Puts the files of sections into files, serves them to the host's table
// reader and arms the faults the input names: the export then runs on
// them once files is the current file system.
void PrepareInMemory(const std::vector<std::string_view>& sections, MemoryFiles* files);

#endif  // QVKDC_FUZZ_EXPORTINPUT_H
