/* Calls the installed library once through its package: the version in
 * the header is the package's, and an existence check of no plans answers
 * 0. Prints "status: N"; exit code 0 when all is as it should be. */
#include <stdio.h>
#include <string.h>

#include "qvkdc/qvkdc.h"

int main(void)
{
    int count = 0;
    ModelId plan = {0, 0, 0, 0};
    int status = -2;

    if (strcmp(QVKDC_VERSION_STRING, PACKAGE_VERSION) != 0) {
        fprintf(stderr, "header version %s, package version %s\n", QVKDC_VERSION_STRING,
                PACKAGE_VERSION);
        return 1;
    }
    QvkdcIsExistFileWp(&count, &plan, "out", "NAME", &status);
    printf("status: %d\n", status);
    return status == 0 ? 0 : 1;
}
