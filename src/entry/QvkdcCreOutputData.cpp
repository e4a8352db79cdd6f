#include "entry/QvkdcCreOutputData.h"

void QvkdcCreOutputData(const int*, const ModelId*, const char*, const char*,
                        int* oStatusP) {
    *oStatusP = 0;
}
