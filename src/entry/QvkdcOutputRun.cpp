#include "entry/QvkdcOutputRun.h"

#include <cstdint>
#include <memory>
#include <utility>

#include "entry/QvkdcEntry.h"
#include "entry/QvkdcGetFilePath.h"
#include "entry/QvkdcMsg.h"
#include "host/HostMemory.h"
#include "host/Qdgm.h"
#include "host/FailureTrace.h"
#include "host/TraceScope.h"
#include "examine/AcceptedPrcsType.h"
#include "model/CQvkdcOutColTblMng.h"
#include "examine/TextTrim.h"
#include "examine/FileSystem.h"

QvkdcOutputRun::QvkdcOutputRun() = default;
QvkdcOutputRun::~QvkdcOutputRun() = default;

int QvkdcOutputRun::Fail(FailStep step) {
    TraceFailure(step);
    return Failed(step);
}

void QvkdcOutputRun::SetObserver(QvkdcRunObserver* observer, CnvTblObserver* tableObserver) {
    observer_ = observer;
    cells_ = observer != nullptr && observer->FollowsCells() ? observer : nullptr;
    converter_.SetCellFacts(cells_ != nullptr ? &facts_ : nullptr);
    tables_.SetObserver(tableObserver);
}

int QvkdcOutputRun::FailAtHost(FailStep step, HostCall call, int answer) {
    place_.hostCall = HostCallFailure();
    place_.hostCall.call = call;
    place_.hostCall.answer = answer;
    return Fail(step);
}

// The trace keeps its one failure line; the path and the system's reason
// go to the observer, which is where qvkdc reports them from.
int QvkdcOutputRun::FailAtFile(FailStep step, const std::string& path, Status why) {
    TraceFailure(step);
    place_.path = path;
    place_.status = std::move(why);
    return Failed(step);
}

int QvkdcOutputRun::Failed(FailStep step) {
    place_.step = step;
    WriteMsg("-", "-", kQvkdcMsgRunFailed);
    return kFailureStatus;
}

int QvkdcOutputRun::Run(const TraceScope& scope, const int* iPlnIdCnt,
                        const ModelId* iPlnIdArr, const char* iOutPath,
                        const char* iOutName, int firstPlan) {
    scope_ = &scope;
    if (!QvkdcCheckArgs(iPlnIdCnt, iPlnIdArr, iOutPath, iOutName)) {
        return Failed(FailStep::kInvalidArgument);
    }
    QvkdcSetMsgColumns();
    plans_ = iPlnIdArr;
    outPath_ = iOutPath;
    outName_ = iOutName;
    const int count = *iPlnIdCnt;
    singleFlg_ = QvkdcSingleFlg(count);
    const int prepared = Prepare(iOutPath);
    if (prepared != 0) return prepared;
    for (int i = firstPlan; i < count; ++i) {
        place_ = QvkdcRunPlace();
        place_.plan = i;
        const int status = RunPlan(i);
        if (status != 0) return status;
    }
    return 0;
}

int QvkdcOutputRun::Prepare(const char* iOutPath) {
    folder_.assign(TrimSpace(iOutPath));
    if (folder_.empty()) return Fail(FailStep::kPathNothing);
    if (tables_.ImpCnvTbl() != 0) return Fail(FailStep::kImpCnvTbl);
    if (tables_.CreColTbl() != 0) return Fail(FailStep::kCreColTbl);
    colTbl_ = tables_.GetColTbl();
    if (colTbl_ == nullptr) return Fail(FailStep::kNullColTbl);
    if (tables_.CreSlctTbl() != 0) return Fail(FailStep::kCreSlctTbl);
    CQvkdcSlctValTblMng* slctTbl = tables_.GetSlctTbl();
    if (slctTbl == nullptr) return Fail(FailStep::kNullSlctTbl);
    converter_.SetSlctTbl(slctTbl);
    converter_.PrepareCols(*colTbl_);
    tsetForm_ = tables_.GetTSetForm();
    converter_.SetTSetFormTxt(tsetForm_);
    return 0;
}

int QvkdcOutputRun::RunPlan(int index) {
    const ModelId& plan = plans_[index];
    rows_.clear();
    rowCount_ = 0;
    int count = 0;
    ModelId* rawList = nullptr;
    if (QdgmRetLstRO(kQdgmRelPlanPrcs, &plan, &count, &rawList) < 0) {
        // No list was handed out: whatever the out value holds is not ours.
        TraceScope::Chr("[INF] : PrcsDat nothing");
        TraceScope::Snp("[INF]iPlnIdS_I", plan);
        if (observer_ != nullptr) observer_->Listed(index, -1);
        return 0;
    }
    if (observer_ != nullptr) observer_->Listed(index, count);
    HostPrcsList list(rawList);
    bool accepted = true;
    const int built = BuildRows(list.get(), count, &accepted);
    list.reset();
    if (built != 0) return built;
    if (!accepted) {
        RejectPlan(index);
        return 0;
    }
    if (rowCount_ == 0) {
        TraceScope::Chr("[INF] : arrOutRow nodata");
        TraceScope::Snp("[INF]iPlnIdS_I", plan);
        if (observer_ != nullptr) observer_->NoRows(index);
        return 0;
    }
    HostText<kQvkdcPathSize> path;
    if (QvkdcGetFilePath(index, &plan, outPath_, outName_, singleFlg_, path.data()) == -1) {
        return Fail(FailStep::kMakeFileName);
    }
    const int written = WriteFile(path.str());
    if (written == 0 && observer_ != nullptr) {
        observer_->Written(index, path.view(), static_cast<int>(rowCount_));
    }
    return written;
}

int QvkdcOutputRun::BuildRows(const ModelId* list, int count, bool* accepted) {
    const int colCount = colTbl_->GetColCnt();
    for (int k = 0; k < count; ++k) {
        const ModelId& prcsId = list[k];
        place_.process = k;
        place_.prcsId = prcsId;
        int unused = 0;
        int type = 0;
        const int typed = QdgmInqNctyp(&prcsId, &unused, &type);
        if (typed != 0) return FailAtHost(FailStep::kQdgmInqNctyp, HostCall::kQdgmInqNctyp, typed);
        const bool acceptedType = IsAcceptedPrcsType(type);
        if (observer_ != nullptr) observer_->Typed(place_, type, acceptedType);
        if (!acceptedType) {
            *accepted = false;
            return 0;
        }
        converter_.SetPrcsId(prcsId);
        QdgmPrcsRec* rawRec = nullptr;
        const int got = QdgmGetPrcs(0, &prcsId, &rawRec);
        HostPrcsRec rec(rawRec);
        if (got != 0) return FailAtHost(FailStep::kQdgmGetPrcs, HostCall::kQdgmGetPrcs, got);
        converter_.SetPrcsDat(rec.get());
        for (int j = 0; j < colCount; ++j) {
            converter_.SetColRow(colTbl_->GetColRow(j));
            if (j > 0) rows_ += ',';
            const std::size_t start = rows_.size();
            const int r = converter_.CnvOutDataAppend(rows_);
            if (r < 0) {
                place_.column = j;
                place_.hostCall = converter_.GetLastFailure();
                Fail(FailStep::kCnvOutData);
                return r;  // the converter's own status
            }
            if (cells_ != nullptr) {
                cells_->Converted(place_, j, std::string_view(rows_).substr(start), facts_);
                facts_ = CellFacts();  // for the next cell
            }
        }
        rows_ += '\n';
        ++rowCount_;
        converter_.SetPrcsDat(nullptr);
    }
    return 0;
}

void QvkdcOutputRun::RejectPlan(int index) {
    const ModelId& plan = plans_[index];
    int64_t unused = 0;
    QvlbuMaId machineId{};
    int st = 0;
    QvlbuGetMaId(&plan, &unused, &machineId, &st);
    const bool machineKnown = st != 1;
    if (machineKnown) {
        QvlbuMagMcaLNF(&machineId, machineName1_.data(), machineName2_.data(), &st);
    }
    WriteMsg(machineName1_.c_str(), machineName2_.c_str(), kQvkdcMsgRejectedPlan);
    if (observer_ != nullptr) {
        observer_->Rejected(index, machineKnown, machineName1_.view(),
                            machineName2_.view());
    }
}

// The file replaces an earlier one whole at Close; a write or a close that
// fails leaves the earlier file as it was, or no file where there was none.
// The reason told is the first failure's.
int QvkdcOutputRun::WriteFile(const std::string& path) {
    std::unique_ptr<TextWriter> file;
    Status status = FileSystem::Current()->OpenForWrite(path, &file);
    if (!status.ok()) return FailAtFile(FailStep::kFileOpen, path, std::move(status));
    line_.clear();
    colTbl_->GetTitleLine(line_);
    line_ += '\n';
    status = file->Write(line_);
    if (status.ok()) status = file->Write(rows_);
    if (scope_->StillActive()) TraceScope::Val("[INF]sOutPath", folder_);
    Status closed = file->Close();
    if (status.ok()) status = std::move(closed);
    if (!status.ok()) return FailAtFile(FailStep::kFileWrite, path, std::move(status));
    return 0;
}
