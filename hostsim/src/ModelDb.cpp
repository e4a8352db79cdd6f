// Placeholder: the CAM model database of the stand-in host.
#include "host/Qdgm.h"
#include "host/Qvlbu.h"
#include "host/Qvptf.h"

int QdgmRetLstRO(int, const ModelId*, int*, ModelId**) { return -1; }
int QdgmInqNctyp(const ModelId*, int*, int*) { return -1; }
int QdgmGetPrcs(int, const ModelId*, QdgmPrcsRec**) { return -1; }
int QdgmRetIdnamLN(const ModelId*, char*) { return -1; }
int QdgmRetLstRM(int, const ModelId*, int*, int*, ModelId*) { return -1; }
void QmemFreId(ModelId*) {}
void QmemFrePrcs(QdgmPrcsRec*) {}
int QvlbpPrcInqPrm(QdgmPrcsRec**, int*, void**, int* status) { *status = -1; return -1; }
int QvptfInqLnN(int*, char*, char*, int* status) { *status = -1; return -1; }
int QvlbuGetMaId(const ModelId*, int64_t*, QvlbuMaId*, int* st) { *st = 1; return 0; }
int QvlbuMagMcaLNF(const QvlbuMaId*, char*, char*, int*) { return 0; }
void QvlbuGetCanTool(const ModelId*, int*, char*, char*, char*, char*, char*) {}
