#include "diff/DiffCommand.h"

#include <filesystem>
#include <iostream>
#include <set>

#include "diff/DiffHtml.h"
#include "diff/DiffReport.h"
#include "diff/Differ.h"
#include "report/ReportWriter.h"
#include "system/SystemFiles.h"

namespace fs = std::filesystem;

namespace {

// A folder as the reports show it: as given, ending in "/" ("" stays "").
std::string Shown(std::string folder) {
    if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') folder += '/';
    return folder;
}

}  // namespace

void DiffCommand::AddOptions(CLI::App* cmd) {
    cmd->add_option("--model", host_.model, "model file (JSON)")->type_name("FILE")->required();
    cmd->add_option("--root", host_.root, "root of the new tables and option file (default: the current directory)")
        ->type_name("NEW");
    baseOption_ = cmd->add_option("--base", base_, "root of the old tables and option file, exported alike")
                       ->type_name("OLD");
    outOption_ = cmd->add_option("--out", out_, "the folder of the files an earlier export wrote: the old side")
                     ->type_name("DIR");
    cmd->add_option("--name", name_, "output name, as the export's (default: empty)")
        ->type_name("NAME")
        ->check(kNoControlCharacter);
    plans_ = cmd->add_option("--plans", host_.plans, "comma-separated 0-based plan indexes (default: all)")
                 ->type_name("LIST");
    cmd->add_option("--ignore-column", ignoredColumns_,
                    "leave the column of this title out of the comparison (repeatable)")
        ->type_name("TITLE")
        ->allow_extra_args(false);
    cmd->add_option("--format", format_, "report format: text (default), json or html")
        ->type_name("FORMAT")
        ->check(CLI::IsMember({"text", "json", "html"}));
    cmd->add_option("--report", report_, "write the report to this file")->type_name("FILE");
    AddEncodingOption(cmd, &encoding_);
}

CommandManual DiffCommand::Manual() const {
    CommandManual manual;
    manual.notes =
        "Give the old side as --base OLD (another table set) or --out DIR (the files an earlier\n"
        "export wrote there). Nothing is written but the report. docs/diff.md tells more.\n";
    manual.details = R"(
`diff` runs the library's export of the model's plans in process, writing
nothing, through the tables under `--root` (the new side) and through those
under `--base` (the old side), or reads the old side from the files an
earlier export left in `--out`, and compares the two file by file. Columns
are matched by their item or option title in the tables, so that a new
title is a rename; against files on disk by their titles. Rows are matched
by their process. Every changed cell is told with its old and new text,
its process, and the table rows on each side that made the change; a cell
that had a value and is now empty is told as emptied, with the reason the
library leaves it empty. `--format json` writes the whole comparison in the
layout of docs/schema/diff-report.schema.json, `--format html` one page
that shows each changed file as the check's page previews it, with the
changed cells marked and linked to the table lines that changed them.
)";
    manual.exitCodes = {
        {kExitOk, "no change"},
        {kExitFailed, "a change: a file, column, row or cell differs, or a side's export fails"},
        {kExitUsage, "a bad option, a model file that cannot be loaded, or a root or --out folder that does not exist"},
        {kExitOutput, "the report or standard output could not be written"},
    };
    manual.examples = {
        {"diff --model examples/shop/model.json --root new-tables --base examples/shop",
         "Tells what the tables under new-tables change in the demo shop's files."},
        {"diff --model examples/shop/model.json --root examples/shop --out build/demo-out --name SHOP",
         "Compares what the export would write now with the files the demo's last export left."},
        {"diff --model examples/shop/model.json --root new-tables --base examples/shop --format html --report "
         "diff.html",
         "Writes the same comparison as a page."},
    };
    return manual;
}

int DiffCommand::Run() {
    const bool fromDisk = outOption_->count() > 0;
    if (fromDisk == (baseOption_->count() > 0)) {
        std::cerr << "qvkdc diff: give the old side as --base OLD (a table set) or --out DIR (the files of an "
                     "earlier export)"
                  << (fromDisk ? ", not both\n" : "\n");
        return kExitUsage;
    }
    host_.plansGiven = plans_->count() > 0;
    const std::string report = report_.empty() ? report_ : fs::absolute(report_).string();
    DiffRequest request;
    request.fromDisk = fromDisk;
    request.newRoot = AbsolutePath(host_.root);
    request.newShown = Shown(host_.root);
    request.oldRoot = AbsolutePath(base_);
    request.oldShown = Shown(base_);
    request.out = fromDisk ? out_ : ".";
    request.name = name_;
    request.ignoredColumns.insert(ignoredColumns_.begin(), ignoredColumns_.end());
    HostOptions host = host_;
    host.root.clear();  // each side enters its own
    HostSession session(host);
    int rc = session.LoadModel();
    std::string error;
    const std::unique_ptr<TextEncoding> encoding = OpenReportEncoding(encoding_, &error);
    if (rc == kExitOk && encoding == nullptr) {
        std::cerr << "qvkdc diff: --encoding: " << error << '\n';
        rc = kExitUsage;
    }
    // --out is the library's: a relative one lies below the root.
    const fs::path outFolder = fs::path(request.newRoot.empty() ? "." : request.newRoot) / out_;
    for (const auto& [option, folder] :
         {std::pair<const char*, std::string>{"--root", request.newRoot},
          std::pair<const char*, std::string>{"--base", fromDisk ? "" : request.oldRoot},
          std::pair<const char*, std::string>{"--out", fromDisk ? outFolder.string() : ""}}) {
        std::error_code ec;
        if (rc == kExitOk && !folder.empty() && !fs::is_directory(folder, ec)) {
            rc = session.Refuse(std::string(option) + " " + folder + ": not a folder");
        }
    }
    if (rc != kExitOk) return rc;
    if (host_.plansGiven) {
        ParseIntList(host_.plans, &request.indexes);
    } else {
        for (int i = 0; i < *session.planCount(); ++i) request.indexes.push_back(i);
    }

    const DiffResult result = RunDiff(request);
    DiffFacts facts;
    facts.run.root = host_.root;
    facts.run.model = host_.model;
    facts.run.date = ReportDate();
    facts.run.version = QVKDC_VERSION_STRING;
    facts.run.encoding = encoding.get();
    facts.old = fromDisk ? out_ : base_;
    facts.fromDisk = fromDisk;
    const auto write = [&](ReportWriter* writer) {
        if (format_ == "json") {
            WriteDiffJson(result, facts, writer);
        } else if (format_ == "html") {
            WriteDiffHtml(result, facts, writer);
        } else {
            WriteDiffText(result, facts, writer);
        }
    };
    const std::string why = WriteReport(report, write);
    if (!why.empty()) return OutputFailure(report_, why);
    if (!report.empty()) std::cout << DiffSummary(result) << '\n';
    return session.Conclude(result.Changed() ? -1 : 0);
}
