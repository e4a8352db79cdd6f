/* The example host, run on the stand-in host: it loads a model file and
 * exports every plan of it with ExportPlans. A real host takes the plans
 * from its own CAM model database and shows its own message list.
 *
 *   example_host MODEL FOLDER NAME [--overwrite]
 *
 * The tables are read below the current folder, which stands for the root
 * of the current drive. Exit code: 0 done, 1 failed, 2 bad arguments,
 * 3 files kept. */
#include <stdio.h>
#include <string.h>

#include "export_plans.h"
#include "qvhostsim/qvhostsim.h"

#define MAX_PLANS 64

int main(int argc, char **argv)
{
    char err[512];
    ModelId plans[MAX_PLANS];
    int count;
    int i;
    int result;

    if (argc < 4 || argc > 5 || (argc == 5 && strcmp(argv[4], "--overwrite") != 0)) {
        fprintf(stderr, "usage: example_host MODEL FOLDER NAME [--overwrite]\n");
        return 2;
    }
    if (QvsimLoadModelFile(argv[1], err, (int)sizeof err) != 0) {
        fprintf(stderr, "%s\n", err);
        return 2;
    }
    count = QvsimPlanCount();
    if (count > MAX_PLANS) count = MAX_PLANS;
    for (i = 0; i < count; ++i) QvsimPlanId(i, &plans[i]);

    result = ExportPlans(count, plans, argv[2], argv[3], argc == 5);

    for (i = 0; i < QvsimMsgCount(); ++i) printf("message: %s\n", QvsimMsgAt(i));
    if (QvsimHeldBlocks() != 0) {
        fprintf(stderr, "host memory left held: %d block(s)\n", QvsimHeldBlocks());
        return 1;
    }
    return result == EXPORT_DONE ? 0 : result == EXPORT_KEPT ? 3 : 1;
}
