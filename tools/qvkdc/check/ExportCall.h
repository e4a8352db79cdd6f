// ExportCall: the export a model check stands for, with the options of
// `qvkdc export` that decide its plans and its files.
#ifndef QVKDC_TOOLS_CHECK_EXPORTCALL_H
#define QVKDC_TOOLS_CHECK_EXPORTCALL_H

#include <string>
#include <vector>

struct ExportCall {
    // The model's plan indexes, in call order (--plans); when not given,
    // every plan of the model.
    bool plansGiven = false;
    std::vector<int> plans;
    // --out was given: the export runs into that folder and every file
    // name is checked; without it, the names are not.
    bool outGiven = false;
    std::string out;   // the output folder, as it reaches the library
    std::string name;  // --name
    std::string root;  // --root, to tell a relative --out by
};

#endif  // QVKDC_TOOLS_CHECK_EXPORTCALL_H
