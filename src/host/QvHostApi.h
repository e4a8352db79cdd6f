// Linkage of the host libraries' calls and classes.
//
// The host's trace facility, message manager, model database, table reader
// and process services are separate dynamic libraries of the CAM
// application. This library imports from them; the stand-in host of this
// project builds with QVHOST_BUILDING defined and exports the same names.
#ifndef QVKDC_HOST_QVHOSTAPI_H
#define QVKDC_HOST_QVHOSTAPI_H

#if defined(_WIN32)
#  if defined(QVHOST_BUILDING)
#    define QVHOST_API __declspec(dllexport)
#  else
#    define QVHOST_API __declspec(dllimport)
#  endif
#else
#  define QVHOST_API __attribute__((visibility("default")))
#endif

#endif  // QVKDC_HOST_QVHOSTAPI_H
