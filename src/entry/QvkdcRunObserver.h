// QvkdcRunObserver: what an output run tells a tool that follows it in
// process (the model check), cell by cell, so that the tool learns why a
// cell came out as it did without converting it once more.
#ifndef QVKDC_ENTRY_QVKDCRUNOBSERVER_H
#define QVKDC_ENTRY_QVKDCRUNOBSERVER_H

#include <string_view>

#include "host/Qdgm.h"

struct QvkdcRunPlace;

class QvkdcRunObserver {
 public:
    virtual ~QvkdcRunObserver() = default;
    // A cell converted: column of the process place.process (place.prcsId,
    // whose record the model database gave as record) of plan place.plan,
    // whose text is text. An implementation may read the process's
    // parameters again; it makes no other host call, so that the run's
    // calls to the host stay what they are without an observer.
    virtual void Converted(const QvkdcRunPlace& place, int column, std::string_view text,
                           QdgmPrcsRec* record) = 0;
    // The rows of plan (its index in the block) were written to its file.
    virtual void Written(int plan) = 0;
};

#endif  // QVKDC_ENTRY_QVKDCRUNOBSERVER_H
