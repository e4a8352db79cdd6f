// QvkdcOutputRun: one output run, from the table steps through the plan loop
// to the last CSV file.
#ifndef QVKDC_ENTRY_QVKDCOUTPUTRUN_H
#define QVKDC_ENTRY_QVKDCOUTPUTRUN_H

#include <cstddef>
#include <string>

#include "convert/CQvkdcCnvColData.h"
#include "host/HostText.h"
#include "host/Qvlbu.h"
#include "examine/CellFacts.h"
#include "examine/FailurePoints.h"
#include "examine/QvkdcRunObserver.h"
#include "examine/Status.h"
#include "qvkdc/qvkdc.h"
#include "tables/CQvkdcCnvTblCtrl.h"

class CQvkdcOutColTblMng;
class CnvTblObserver;
class TraceScope;

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

    // Tells observer (not owned; null: none) of every plan and cell of Run,
    // and tableObserver (null: none) of what the table steps read.
    void SetObserver(QvkdcRunObserver* observer, CnvTblObserver* tableObserver = nullptr);

 private:
    int Prepare(const char* iOutPath);
    int RunPlan(int index);
    int BuildRows(const ModelId* list, int count, bool* accepted);
    int WriteFile(const std::string& path);
    // Fail, for a file step: traces step's line, then a note with the path
    // and the reason, and keeps both in the place.
    int FailAtFile(FailStep step, const std::string& path, Status why);
    void RejectPlan(int index);
    // Traces step's failure, sends message 9999, and returns its status.
    int Fail(FailStep step);
    // Fail, for a step whose line was already traced.
    int Failed(FailStep step);
    // Fail for step, after the host call `call` answered `answer`.
    int FailAtHost(FailStep step, HostCall call, int answer);

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
    QvkdcRunObserver* cells_ = nullptr;  // observer_, when it follows every cell
    CellFacts facts_;  // of the cell converted last, when observed
};

#endif  // QVKDC_ENTRY_QVKDCOUTPUTRUN_H
