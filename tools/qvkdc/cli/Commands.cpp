#include "check/CheckCommand.h"
#include "cli/Command.h"
#include "diff/DiffCommand.h"
#include "export/ExistsCommand.h"
#include "export/ExportCommand.h"
#include "export/TablesCommand.h"

namespace {

template <class T>
std::unique_ptr<Command> Make() {
    return std::make_unique<T>();
}

}  // namespace

const std::vector<CommandInfo>& Commands() {
    static const std::vector<CommandInfo> kCommands = {
        {"export", "write one CSV file per plan", &Make<ExportCommand>},
        {"exists", "tell whether any output file exists", &Make<ExistsCommand>},
        {"tables", "build and print the conversion tables", &Make<TablesCommand>},
        {"check", "find mistakes in the tables, the option file and a model before an export",
         &Make<CheckCommand>},
        {"diff", "show what a change of the tables does to the CSV files, cell by cell, with its cause",
         &Make<DiffCommand>},
    };
    return kCommands;
}
