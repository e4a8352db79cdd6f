#include "entry/QvkdcIsExistFile.h"

void QvkdcIsExistFile(const int*, const ModelId*, const char*, const char*,
                      int* oStatusP) {
    *oStatusP = 0;
}
