#include "check/CheckInputs.h"

#include <algorithm>
#include <memory>

#include "platform/FileSystem.h"

namespace {

// "\MIRVANE\CAM\..." as a path below displayRoot: "DIR/MIRVANE/CAM/...".
std::string Shown(const std::string& displayRoot, std::string libPath) {
    if (!libPath.empty() && libPath.front() == '\\') libPath.erase(0, 1);
    std::replace(libPath.begin(), libPath.end(), '\\', '/');
    return displayRoot + libPath;
}

}  // namespace

void CheckInputs::Load(const std::string& displayRoot) {
    for (int i = 0; i < kCnvTblFileCount; ++i) LoadTable(static_cast<CnvTblIndex>(i), displayRoot);
    const std::string& first = tables_[0].file.Display();
    folder_ = first.substr(0, first.rfind('/'));
    option_.Load(kOptionFilePath, Shown(displayRoot, kOptionFilePath));
    LoadOptionTitles();
}

void CheckInputs::LoadTable(CnvTblIndex index, const std::string& displayRoot) {
    CheckedTable& t = tables_[index];
    t.def = &kCnvTblFiles[index];
    t.file.Load(t.def->path, Shown(displayRoot, t.def->path));
    if (!t.file.Exists()) {
        t.state = TableState::kMissing;
    } else if (t.file.Readable() && t.file.Utf16()) {
        t.state = TableState::kUtf16;
    } else if (t.rows.Read(FileSystem::Current()->NativePath(t.def->path)) != 0) {
        t.state = TableState::kUnreadable;
    } else if (t.rows.Rows().empty()) {
        t.state = TableState::kEmpty;
    } else {
        t.state = TableState::kRead;
    }
}

void CheckInputs::LoadOptionTitles() {
    titles_.clear();
    std::unique_ptr<LineReader> reader;
    if (FileSystem::Current()->OpenForRead(kOptionFilePath, &reader) != 0 || reader == nullptr) return;
    ReadOptionLines(*reader, &titles_);
}

bool CheckInputs::AnyTableGarbled() const {
    for (const CheckedTable& t : tables_) {
        if (t.state == TableState::kUtf16) return true;
    }
    return false;
}

bool CheckInputs::OptionTitlesTrusted() const {
    return !option_.Utf16() && !option_.CrOnlyLines();
}
