/* export_plans: how a host application calls Qvkdc (see docs/integration.md). */
#ifndef QVKDC_EXAMPLE_EXPORT_PLANS_H
#define QVKDC_EXAMPLE_EXPORT_PLANS_H

#include "qvkdc/qvkdc.h"

/* Outcomes of ExportPlans. */
#define EXPORT_DONE 0      /* the run finished; see the message list */
#define EXPORT_KEPT 1      /* files exist and the user kept them: nothing written */
#define EXPORT_FAILED (-1) /* nothing or only part was written; see the message list */

/* Exports count plans into folder under name, asking the user before it
 * overwrites: overwrite stands for the user's answer. */
int ExportPlans(int count, const ModelId *plans, const char *folder,
                const char *name, int overwrite);

#endif
