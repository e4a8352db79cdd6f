#include "HostErrors.h"

namespace qvsim {

void HostErrors::Add(std::string_view line) {
    text_.append(line);
    text_ += '\n';
}

HostErrors& TheHostErrors() {
    static HostErrors errors;
    return errors;
}

}  // namespace qvsim
