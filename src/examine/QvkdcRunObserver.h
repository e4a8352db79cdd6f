// QvkdcRunObserver: what an output run tells a tool that follows it in
// process, plan by plan and cell by cell: what became of each plan, and
// for each cell its text and why it came out so (CellFacts), as the
// converter decided it. The run makes the same host calls, traces the same
// lines and writes the same files whether it is observed or not.
#ifndef QVKDC_EXAMINE_QVKDCRUNOBSERVER_H
#define QVKDC_EXAMINE_QVKDCRUNOBSERVER_H

#include <string>
#include <string_view>

#include "CellFacts.h"
#include "FailurePoints.h"
#include "HostCallId.h"
#include "Status.h"
#include "qvkdc/qvkdc.h"

// Where an output run was: the plan, the process and the column it was
// converting. After a failure, where it failed, the step that failed and
// what the host answered; after a failed file step, the file and the
// system's reason as well.
struct QvkdcRunPlace {
    int plan = -1;     // index into the block; -1: before the first plan
    int process = -1;  // index into the plan's process list; -1: none yet
    ModelId prcsId{};  // that process
    int column = -1;   // the column being converted; -1: none
    FailStep step = FailStep::kNone;  // the failed step; kNone: none failed
    // The host call whose answer failed the step (kQdgmInqNctyp,
    // kQdgmGetPrcs, or the one a value's converter made); kNone: none.
    HostCallFailure hostCall;
    std::string path;  // the file whose open or write failed, as composed; "": none
    Status status;     // why that file failed; ok: no file failed
};

class QvkdcRunObserver {
 public:
    virtual ~QvkdcRunObserver() = default;
    // Whether the observer is told of every cell (Converted); asked once,
    // when the run starts. Following every cell costs the run about as
    // much as converting it.
    virtual bool FollowsCells() const { return true; }
    // The run lists the processes of plan (its index in the block):
    // count of them, or -1 when the model database has no process data
    // for the plan (it gives no file).
    virtual void Listed(int plan, int count) = 0;
    // The process place.process of plan place.plan has the type `type`;
    // a type the export does not accept rejects the plan.
    virtual void Typed(const QvkdcRunPlace& place, int type, bool accepted) = 0;
    // A cell converted: column of the process place.process of plan
    // place.plan, whose text is text and whose facts are facts.
    virtual void Converted(const QvkdcRunPlace& place, int column, std::string_view text,
                           const CellFacts& facts) = 0;
    // Plan was rejected; its message names the machine names name1 and
    // name2, which are the plan's own when machineKnown (else those of an
    // earlier rejected plan of the run, or none).
    virtual void Rejected(int plan, bool machineKnown, std::string_view name1,
                          std::string_view name2) = 0;
    // Plan gave no row: its process list is empty.
    virtual void NoRows(int plan) = 0;
    // The rows rows of plan were written to its file, at path as the
    // library composed it.
    virtual void Written(int plan, std::string_view path, int rows) = 0;
};

#endif  // QVKDC_EXAMINE_QVKDCRUNOBSERVER_H
