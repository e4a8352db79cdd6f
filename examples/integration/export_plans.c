/* How a host application calls Qvkdc: ask whether any output file exists,
 * let the user decide, then export, and act on every status. */
#include <stdio.h>

#include "export_plans.h"

int ExportPlans(int count, const ModelId *plans, const char *folder,
                const char *name, int overwrite)
{
    int status = 0;

    /* Same five arguments as the export: paths and names are 8-bit texts in
     * the ANSI code page, passed on byte for byte. */
    QvkdcIsExistFileWp(&count, plans, folder, name, &status);
    if (status < 0) {
        /* -1: a null argument, or a path that cannot be made (longer than
         * 511 characters, or a plan whose name the model database cannot
         * give). The export would fail the same way: do not start it. */
        fprintf(stderr, "cannot name the output files (status %d)\n", status);
        return EXPORT_FAILED;
    }
    if (status == 1 && !overwrite) {
        /* 1: a file or folder exists at one of the paths. */
        printf("output files exist in %s; nothing was exported\n", folder);
        return EXPORT_KEPT;
    }

    QvkdcCreOutputDataWp(&count, plans, folder, name, &status);
    if (status < 0) {
        /* Negative: the run failed and stopped. Files of the plans before the
         * failure stay; the message manager holds one message 9999 (after
         * any message 4); the trace names the failed step. */
        fprintf(stderr, "the export failed (status %d)\n", status);
        return EXPORT_FAILED;
    }
    /* 0: the run finished. Plans without rows gave no file; each rejected
     * plan left a message 4 in the message manager's list. */
    printf("the export finished\n");
    return EXPORT_DONE;
}
