// HostCalls: the host's calls and classes as the library makes them (the
// model database, the process and tool services, the table reader and the
// trace facility), for the programs that stand in for the host or measure
// against it: the benchmark's direct writer, the fuzz targets of the
// stand-in host, and qvkdc where it asks the model database itself.
//
// The declarations are the library's own (host/); they include each other
// by their bare names, so that they are found from here as from the
// library.
#ifndef QVKDC_EXAMINE_HOSTCALLS_H
#define QVKDC_EXAMINE_HOSTCALLS_H

#include "../host/Qdgm.h"
#include "../host/Qvlbu.h"
#include "../host/Qvlbw.h"
#include "../host/Qvptf.h"
#include "../host/Zrl.h"

#endif  // QVKDC_EXAMINE_HOSTCALLS_H
