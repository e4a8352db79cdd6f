// QvkdcOutputRun: one output run, from the table steps through the plan loop
// to the last CSV file.
#ifndef QVKDC_ENTRY_QVKDCOUTPUTRUN_H
#define QVKDC_ENTRY_QVKDCOUTPUTRUN_H

#include <cstddef>
#include <string>

#include "convert/CQvkdcCnvColData.h"
#include "inspect/FailurePoints.h"
#include "host/HostText.h"
#include "host/Qvlbu.h"
#include "qvkdc/qvkdc.h"
#include "tables/CQvkdcCnvTblCtrl.h"

class CQvkdcOutColTblMng;
class QvkdcRunObserver;
class TraceScope;

// Where an output run was: the plan, the process and the column it was
// converting. After a failure, where it failed, and the step that failed.
struct QvkdcRunPlace {
    int plan = -1;     // index into the block; -1: before the first plan
    int process = -1;  // index into the plan's process list; -1: none yet
    ModelId prcsId{};  // that process
    int column = -1;   // the column being converted; -1: none
    FailStep step = FailStep::kNone;  // the failed step; kNone: none failed
};

class QvkdcOutputRun {
 public:
    // Creates the objects of the run: the table set, the converter and the
    // buffers. Reads nothing yet.
    QvkdcOutputRun();
    virtual ~QvkdcOutputRun();
    QvkdcOutputRun(const QvkdcOutputRun&) = delete;
    QvkdcOutputRun& operator=(const QvkdcOutputRun&) = delete;

    // Runs the checks, the table steps and the plan loop, and returns the
    // status: 0, -1, or the negative result of a failed row conversion. A
    // failure is traced, sends one message 9999 and ends the run; every host
    // block is given back before Run returns. The plan loop starts at index
    // firstPlan of the block; file names count from the block's start.
    // REQUIRES: scope is the frame of the calling entry function;
    // firstPlan >= 0.
    int Run(const TraceScope& scope, const int* iPlnIdCnt,
            const ModelId* iPlnIdArr, const char* iOutPath,
            const char* iOutName, int firstPlan = 0);

    // Where the run was when Run returned.
    const QvkdcRunPlace& Place() const { return place_; }

    // Tells observer (not owned; null: none) of every cell and file of Run.
    void SetObserver(QvkdcRunObserver* observer) { observer_ = observer; }

 private:
    int Prepare(const char* iOutPath);
    int RunPlan(int index);
    int BuildRows(const ModelId* list, int count, bool* accepted);
    int WriteFile(const std::string& path);
    void RejectPlan(const ModelId& plan);
    // Traces step's failure, sends message 9999, and returns its status.
    int Fail(FailStep step);
    // Fail, for a step whose line was already traced.
    int Failed(FailStep step);

    CQvkdcCnvTblCtrl tables_;
    CQvkdcCnvColData converter_;
    CQvkdcOutColTblMng* colTbl_ = nullptr;
    const TraceScope* scope_ = nullptr;
    const ModelId* plans_ = nullptr;
    const char* outPath_ = nullptr;
    const char* outName_ = nullptr;
    int singleFlg_ = 0;
    std::string folder_;     // iOutPath trimmed
    std::string tsetForm_;   // tool-set form text
    std::string rows_;       // the rows of the current plan, each ended by "\n"
    std::size_t rowCount_ = 0;
    std::string line_;       // title line
    HostText<kQvlbuMachineNameSize> machineName1_;
    HostText<kQvlbuMachineNameSize> machineName2_;
    QvkdcRunPlace place_;
    QvkdcRunObserver* observer_ = nullptr;
};

#endif  // QVKDC_ENTRY_QVKDCOUTPUTRUN_H
