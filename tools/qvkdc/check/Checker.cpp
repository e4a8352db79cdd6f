#include "check/Checker.h"

#include "qvkdc/qvkdc.h"

#include "check/ByteCheck.h"
#include "check/ChoiceCheck.h"
#include "check/ColumnCheck.h"
#include "report/ColumnReport.h"
#include "check/DuplicateCheck.h"
#include "check/FileCheck.h"
#include "report/HtmlReport.h"
#include "report/JsonReport.h"
#include "check/LayoutCheck.h"
#include "check/ModelCheck.h"
#include "check/OptionCheck.h"
#include "report/SourceRows.h"
#include "check/ShortRowSearch.h"
#include "check/StopCheck.h"
#include "report/TextReport.h"


Checker::Checker(std::string displayRoot, std::string modelFile, const TextEncoding* encoding, ExportCall call)
    : displayRoot_(std::move(displayRoot)), modelFile_(std::move(modelFile)), call_(std::move(call)) {
    if (encoding == nullptr) {
        std::string error;
        defaultEncoding_ = TextEncoding::Open(TextEncoding::DefaultName(), &error);
        if (defaultEncoding_ == nullptr) defaultEncoding_ = TextEncoding::Open("windows-1252", &error);
        encoding = defaultEncoding_.get();
    }
    facts_.root = displayRoot_;
    facts_.model = modelFile_;
    facts_.version = QVKDC_VERSION_STRING;
    facts_.encoding = encoding;
}

Checker::~Checker() = default;

void Checker::Run() {
    facts_.date = ReportDate();
    inputs_.Load(displayRoot_, facts_.encoding);
    build_ = std::make_unique<TableBuild>();
    build_->Run();
    ShortRowSearch(*build_).Run();
    const CheckContext ctx{inputs_, *build_, findings_, *facts_.encoding};
    StopCheck(ctx).Run();
    FileCheck(ctx).Run();
    ByteCheck(ctx).Run();
    LayoutCheck(ctx).Run();
    ColumnCheck(ctx).Run();
    OptionCheck(ctx).Run();
    ChoiceCheck(ctx).Run();
    DuplicateCheck(ctx).Run();
    if (modelFile_.empty()) return;
    if (build_->Failed() != FailStep::kNone) {
        findings_.Add(Severity::kNote, modelFile_, 1,
                      "the model is not checked: the export stops at the tables before any plan",
                      FindingCode::kModelNotChecked);
        return;
    }
    const int columns = static_cast<int>(build_->Columns().size());
    if (keepPreview_ && columns > 0) preview_ = std::make_unique<ExportPreview>(columns);
    ModelCheck(ctx, modelFile_, call_, preview_.get()).Run();
}

void Checker::Report(const std::string& format, ReportWriter* out) const {
    const ColumnReport columns(*build_, inputs_);
    if (format == "json") {
        JsonReport(findings_, columns, facts_, out);
    } else if (format == "html") {
        const SourceRows rows(inputs_, findings_);
        HtmlReport(HtmlParts{columns, preview_.get(), &rows}, findings_, facts_, out);
    } else {
        TextReport(findings_, out);
    }
}
