#include "check/FileNameCheck.h"

#include <map>
#include <string_view>

#include "export/FailureCause.h"
#include "check/TextForms.h"
#include "FileSystem.h"

namespace {

// Where a file lands against the output folder.
enum class Landing { kInFolder, kBelow, kOutside };

// Where the file at path, composed as the output folder (its first
// folderSize bytes), one separator and the file's name, lands: the parts
// after the folder are read as the platform's file calls separate them.
Landing LandingOf(std::string_view path, std::size_t folderSize) {
    FileSystem* fs = FileSystem::Current();
    std::vector<std::string_view> parts;  // the folders after the output folder, last first
    for (std::size_t end = fs->NameStart(path); end > folderSize + 1;) {
        const std::string_view folder = path.substr(0, end - 1);
        end = fs->NameStart(folder);
        parts.push_back(folder.substr(end));
    }
    int depth = 0;
    for (auto it = parts.rbegin(); it != parts.rend(); ++it) {
        if (*it == "..") {
            if (--depth < 0) return Landing::kOutside;
        } else if (!it->empty() && *it != ".") {
            ++depth;
        }
    }
    return depth == 0 ? Landing::kInFolder : Landing::kBelow;
}

}  // namespace

FileNameCheck::FileNameCheck(const CheckContext& ctx, std::string modelFile, const ExportCall& call,
                             std::function<std::string(int)> planName, std::function<int(int)> planLine)
    : ctx_(ctx),
      file_(std::move(modelFile)),
      call_(call),
      planName_(std::move(planName)),
      planLine_(std::move(planLine)) {}

bool FileNameCheck::Prepare(const ModelId* plans, int count) {
    if (!call_.outGiven) {
        ctx_.out.Add(Severity::kNote, file_, 1,
                     "output names not checked: give --out (and --name) as to the export",
                     FindingCode::kNamesNotChecked);
        return false;
    }
    const std::string problem = OutFolderProblem(call_.out, call_.root);
    if (!problem.empty()) {
        ctx_.out.Add(Severity::kError, file_, 1,
                     "the output folder " + Quoted(call_.out) + ": " + problem +
                         "; the export refuses it and exports nothing",
                     FindingCode::kOutFolder);
        return false;
    }
    names_ = true;
    files_ = PlanFiles(plans, count, call_.out, call_.name).All();
    return true;
}

std::string FileNameCheck::ShownFile(int plan) const {
    const std::size_t i = static_cast<std::size_t>(plan);
    return names_ && i < files_.size() && files_[i].made ? files_[i].native : std::string();
}

void FileNameCheck::ReportFailure(int plan, FailStep step, const CallFailure& failure, const std::string& path,
                                  const Status& why) {
    std::string what;
    FindingCode code = FindingCode::kCannotWrite;
    if (FailurePointOf(step).area == FailArea::kFileName) {
        // The failure before the step's own says why the name could not be made.
        const std::vector<FailureNote>& notes = failure.notes;
        const FailureNote inner = notes.size() > 1 ? notes[notes.size() - 2] : FailureNote();
        what = inner.step != FailStep::kNone ? ExplainNote(inner, FailureDetail()) : std::string();
        const FailStep cause = inner.step;
        if (cause == FailStep::kPlanName) {
            what += ", and a blank output name makes it the file's name";
            code = FindingCode::kNoPlanName;
        } else if (cause == FailStep::kPathTooLong) {
            code = FindingCode::kPathTooLong;
        }
        if (what.empty()) what = "its file name cannot be made";
    } else {
        const std::string& file = path.empty() ? files_[static_cast<std::size_t>(plan)].path : path;
        what = "its file " + Quoted(FileSystem::Current()->NativePath(file)) + " cannot be written: " +
               (why.ok() ? std::string("the operating system refused it") : why.ToString());
    }
    ctx_.out.Add(Severity::kError, file_, planLine_(plan),
                 planName_(plan) + ": " + what + "; the export stops there with " +
                     Quoted(FailurePointOf(step).Line()),
                 code);
}

void FileNameCheck::Run(const std::vector<PlanOutcome>& outcomes) {
    std::map<std::string, int> byPath;
    const int planColumn = ctx_.build.FindItem(std::string(kItemPlanName));
    for (const PlanOutcome& o : outcomes) {
        if (o.outcome != Outcome::kWritten) continue;
        const std::string plan = planName_(o.index);
        const int line = planLine_(o.index);
        std::string path;
        std::string shown;
        if (names_) {
            const PlanFile& file = files_[static_cast<std::size_t>(o.index)];
            path = file.path;
            shown = Quoted(file.native);
        } else {
            // The plan's own name, which a blank output name gives its file.
            const PlanPath composed = ComposePlanPath(&o.id, 0, 1, ".", "");
            if (!composed.made) {
                ctx_.out.Add(Severity::kWarning, file_, line,
                             "the model database cannot give the name of " + plan +
                                 "; with a blank output name the export fails there with " +
                                 Quoted(FailurePointOf(FailStep::kMakeFileName).Line()),
                             FindingCode::kNoPlanName);
                continue;
            }
            path = composed.path;
        }
        const Landing landing = LandingOf(path, names_ ? call_.out.size() : 1);
        if (landing != Landing::kInFolder) {
            const std::string lands = landing == Landing::kOutside ? "outside the output folder" : "in another folder";
            ctx_.out.Add(Severity::kWarning, file_, line,
                         names_ ? "the file of " + plan + " lands " + lands + ": " + shown
                                : "the name of " + plan +
                                      " holds a path separator; with a blank output name its file lands " + lands,
                         FindingCode::kPathInName);
        }
        const std::string flaw = UnquotedFlaw(o.name);
        if (planColumn >= 0 && !flaw.empty()) {
            ctx_.out.Add(Severity::kError, file_, line, "the name of " + plan + ' ' + flaw, FindingCode::kUnquotedText,
                         planColumn);
        }
        const auto [it, isNew] = byPath.try_emplace(path, o.index);
        // A plan --plans lists again is told as such (plan-selection).
        if (isNew || outcomes[static_cast<std::size_t>(it->second)].number == o.number) continue;
        ctx_.out.Add(Severity::kWarning, file_, line,
                     names_ ? plan + " writes the file of " + planName_(it->second) + ", " + shown +
                                  "; the later one overwrites the earlier"
                            : plan + " has the name of " + planName_(it->second) +
                                  "; with a blank output name both write the same file and the later one "
                                  "overwrites the earlier",
                     FindingCode::kSameFile);
    }
    if (!names_) return;
    for (const std::string& existing : ExistingFiles(files_)) {
        ctx_.out.Add(Severity::kNote, file_, 1,
                     "the file " + Quoted(existing) +
                         " exists; `qvkdc export` without --overwrite asks before it writes over it, and "
                         "declines where it cannot ask",
                     FindingCode::kFileExists);
    }
}
