#include "check/CheckInputs.h"

#include <algorithm>

namespace {

// "\MIRVANE\CAM\..." as a path below displayRoot: "DIR/MIRVANE/CAM/...".
std::string ShownPath(const std::string& displayRoot, std::string libPath) {
    if (!libPath.empty() && libPath.front() == '\\') libPath.erase(0, 1);
    std::replace(libPath.begin(), libPath.end(), '\\', '/');
    return displayRoot + libPath;
}

}  // namespace

void CheckInputs::Load(const std::string& displayRoot) {
    for (int i = 0; i < kCnvTblFileCount; ++i) {
        tables_[i].Load(kCnvTblFiles[i].path, ShownPath(displayRoot, kCnvTblFiles[i].path));
    }
    const std::string& first = tables_[0].Display();
    folder_ = first.substr(0, first.rfind('/'));
    option_.Load(kOptionFilePath, ShownPath(displayRoot, kOptionFilePath));
}
