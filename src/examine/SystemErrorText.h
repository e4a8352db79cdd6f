// SystemErrorText: the Windows system's text for an error code, as the
// platform layer and qvkdc tell it after a file name. POSIX has strerror.
#ifndef QVKDC_EXAMINE_SYSTEMERRORTEXT_H
#define QVKDC_EXAMINE_SYSTEMERRORTEXT_H

#include <string>

// The system's text for error (a GetLastError code), without the line end
// and full stop it ends with ("The system cannot find the file specified");
// "system error N" when the system has none.
std::string SystemErrorText(unsigned long error);

#endif  // QVKDC_EXAMINE_SYSTEMERRORTEXT_H
