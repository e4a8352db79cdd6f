#include "check/Checker.h"

#include "check/ChoiceCheck.h"
#include "check/ColumnCheck.h"
#include "check/ColumnReport.h"
#include "check/DuplicateCheck.h"
#include "check/FileCheck.h"
#include "check/HtmlReport.h"
#include "check/JsonReport.h"
#include "check/ModelCheck.h"
#include "check/OptionCheck.h"
#include "check/StopCheck.h"
#include "check/TextReport.h"

Checker::Checker(std::string displayRoot, std::string modelFile)
    : displayRoot_(std::move(displayRoot)), modelFile_(std::move(modelFile)) {}

Checker::~Checker() = default;

void Checker::Run() {
    inputs_.Load(displayRoot_);
    build_ = std::make_unique<TableBuild>();
    build_->Run();
    const CheckContext ctx{inputs_, *build_, findings_};
    StopCheck(ctx).Run();
    FileCheck(ctx).Run();
    ColumnCheck(ctx).Run();
    OptionCheck(ctx).Run();
    ChoiceCheck(ctx).Run();
    DuplicateCheck(ctx).Run();
    if (modelFile_.empty()) return;
    if (!build_->FailedStep().empty()) {
        findings_.Add(Severity::kNote, modelFile_, 1,
                      "the model is not checked: the export stops at the tables before any plan",
                      "model-not-checked");
        return;
    }
    ModelCheck(ctx, modelFile_).Run();
}

std::string Checker::Report(const std::string& format) const {
    if (format == "json") return JsonReport(findings_, ReportColumns(*build_, inputs_));
    if (format == "html") return HtmlReport(ReportColumns(*build_, inputs_), findings_);
    return TextReport(findings_);
}
