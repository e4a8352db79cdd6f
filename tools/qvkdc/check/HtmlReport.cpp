#include "check/HtmlReport.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

constexpr const char* kStyle = R"(
body { font: 14px/1.4 sans-serif; margin: 24px; color: #1d2330; background: #fff; }
h1 { font-size: 22px; margin: 0 0 4px; }
h2 { font-size: 17px; margin: 28px 0 8px; }
h3 { font-size: 14px; margin: 16px 0 4px; }
.facts, .summary { margin: 0 0 8px; color: #4a5468; }
table { border-collapse: collapse; }
th, td { border: 1px solid #c9cfdb; padding: 3px 8px; text-align: left; vertical-align: top; }
th { background: #e8ecf4; }
tr.error td { background: #fde4e4; }
tr.warning td { background: #fff5d6; }
td.num { text-align: right; }
ul.findings, ol.toc { margin: 0; padding-left: 18px; }
li.error { color: #a40e0e; }
li.warning { color: #7a5200; }
li.note { color: #3b4a66; }
code, .loc { font-family: monospace; font-size: 12px; }
:target { outline: 2px solid #3b6fd8; }
)";

// What a byte becomes on the page when it is not itself.
struct Entities {
    const char* of[256] = {};
    constexpr Entities() {
        of[static_cast<unsigned char>('&')] = "&amp;";
        of[static_cast<unsigned char>('<')] = "&lt;";
        of[static_cast<unsigned char>('>')] = "&gt;";
        of[static_cast<unsigned char>('"')] = "&quot;";
    }
};
constexpr Entities kEntities;

std::string_view BaseName(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// Where each finding is shown on the page, and what it links to.
struct Placed {
    const Finding* finding = nullptr;
    int index = 0;        // its number, from 1
    int column = -1;      // shown in this column's row
    int choiceLine = 0;   // shown beside this choice row
    std::string target;   // "column-3", "choice-17"; "" when it has none
};

class Page {
 public:
    Page(const ColumnReport& cols, const FindingList& findings, const ReportFacts& facts, ReportWriter* out)
        : cols_(cols), findings_(findings), facts_(facts), out_(*out) {}

    void Render() {
        Place();
        out_.Put("<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
                 "<title>qvkdc check</title><style>");
        out_.Put(kStyle);
        out_.Put("</style></head>\n<body>\n<h1>Columns of the export, checked</h1>\n");
        Facts();
        Summary();
        if (!general_.empty()) {
            out_.Put("<h2>Files and model</h2>\n");
            Items(general_);
            out_.Put('\n');
        }
        Columns();
        Choices();
        out_.Put("</body></html>\n");
    }

 private:
    void Escaped(std::string_view text) {
        std::size_t from = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char* entity = kEntities.of[static_cast<unsigned char>(text[i])];
            if (entity == nullptr) continue;
            out_.Put(text.substr(from, i - from));
            out_.Put(entity);
            from = i + 1;
        }
        out_.Put(text.substr(from));
    }
    // A text of the tables, the model or a file name.
    void Text(std::string_view text) { Escaped(facts_.Utf8(text, &converted_)); }
    // BaseName(file). Most places are in the same few files, whose names
    // are kept: a column's rows and a choice's two rows take turns.
    std::string_view KnownBaseName(std::string_view file) {
        for (const auto& [path, base] : bases_) {
            if (path.data() == file.data() && path.size() == file.size()) return base;
        }
        auto& slot = bases_[nextBase_++ % bases_.size()];
        slot = {file, BaseName(file)};
        return slot.second;
    }

    // "FILE:LINE" as a text, the file by its own name only.
    void FileLine(std::string_view file, int line) {
        scratch_.assign(KnownBaseName(file));
        scratch_ += ':';
        char digits[16];
        const std::to_chars_result r = std::to_chars(digits, digits + sizeof digits, line);
        scratch_.append(digits, r.ptr);
        Text(scratch_);
    }
    void Int(long long value) { out_.PutInt(value); }

    // The choice rows shown, each item's once, in page order.
    template <typename Visit>
    void ForEachShownChoices(Visit visit) {
        std::set<std::string, std::less<>> shown;
        for (std::size_t i = 0; i < cols_.Count(); ++i) {
            if (!cols_.HasChoices(i)) continue;
            cols_.Get(i, &entry_, false);
            if (!shown.emplace(entry_.item).second) continue;
            cols_.Get(i, &entry_);
            visit(entry_);
        }
    }

    // Puts each finding beside the choice row or column it concerns: the
    // first choice row (or its value row) shown at the finding's FILE:LINE.
    void Place() {
        std::map<std::string_view, std::unordered_map<int, int>, std::less<>> choiceAt;  // -1: none yet
        for (const Finding& f : findings_.All()) choiceAt[f.file].emplace(f.line, -1);
        auto claim = [&choiceAt](const SourceAt& at, int choiceLine) {
            const auto file = choiceAt.find(at.file);
            if (file == choiceAt.end()) return;
            const auto line = file->second.find(at.line);
            if (line != file->second.end() && line->second < 0) line->second = choiceLine;
        };
        ForEachShownChoices([&claim](const ColumnEntry& c) {
            for (const ChoiceEntry& ch : c.choices) {
                claim(ch.at, ch.at.line);
                if (ch.valueAt.Known()) claim(ch.valueAt, ch.at.line);
            }
        });
        int n = 0;
        for (const Finding& f : findings_.All()) {
            Placed p;
            p.finding = &f;
            p.index = ++n;
            const int choiceLine = choiceAt.find(f.file)->second.find(f.line)->second;
            if (choiceLine >= 0) {
                p.choiceLine = choiceLine;
                p.target = "choice-" + std::to_string(p.choiceLine);
                byChoice_[p.choiceLine].push_back(placed_.size());
            } else if (f.column >= 0 && static_cast<std::size_t>(f.column) < cols_.Count()) {
                p.column = f.column;
                p.target = "column-" + std::to_string(f.column + 1);
                byColumn_[f.column].push_back(placed_.size());
            } else {
                general_.push_back(placed_.size());
            }
            placed_.push_back(std::move(p));
        }
    }

    void Facts() {
        out_.Put("<p class=\"facts\">Root <code>");
        if (facts_.root.empty()) {
            out_.Put("(the current folder)");
        } else {
            Text(facts_.root);
        }
        out_.Put("</code> &middot; model <code>");
        if (facts_.model.empty()) {
            out_.Put("(none)");
        } else {
            Text(facts_.model);
        }
        out_.Put("</code> &middot; checked ");
        Escaped(facts_.date);
        out_.Put(" &middot; qvkdc ");
        Escaped(facts_.version);
        out_.Put(" &middot; texts read as ");
        Escaped(facts_.encoding->Name());
        out_.Put("</p>\n");
    }

    void Summary() {
        out_.Put("<p class=\"summary\" id=\"summary\">");
        Escaped(findings_.Summary());
        out_.Put("</p>\n");
        if (placed_.empty()) return;
        out_.Put("<ol class=\"toc\">");
        for (const Placed& p : placed_) {
            const Finding& f = *p.finding;
            out_.Put("<li class=\"");
            out_.Put(SeverityName(f.severity));
            out_.Put("\"><a href=\"#finding-");
            Int(p.index);
            out_.Put("\" title=\"");
            Text(f.file);
            out_.Put("\">");
            FileLine(f.file, f.line);
            out_.Put("</a> ");
            out_.Put(SeverityName(f.severity));
            out_.Put(" <code>[");
            Escaped(f.code);
            out_.Put("]</code></li>");
        }
        out_.Put("</ol>\n");
    }

    // The findings listed, each with its FILE:LINE and a link to its target.
    void Items(const std::vector<std::size_t>& which) {
        out_.Put("<ul class=\"findings\">");
        for (std::size_t i : which) {
            const Placed& p = placed_[i];
            const Finding& f = *p.finding;
            out_.Put("<li id=\"finding-");
            Int(p.index);
            out_.Put("\" class=\"");
            out_.Put(SeverityName(f.severity));
            out_.Put("\"><span class=\"loc\">");
            scratch_.assign(f.file);
            scratch_ += ':';
            scratch_ += std::to_string(f.line);
            Text(scratch_);
            out_.Put("</span> ");
            out_.Put(SeverityName(f.severity));
            out_.Put(": ");
            Text(f.message);
            out_.Put(" <code>[");
            Escaped(f.code);
            out_.Put("]</code>");
            if (!p.target.empty()) {
                out_.Put(" <a class=\"target\" href=\"#");
                out_.Put(p.target);
                out_.Put("\">");
                out_.Put(p.column >= 0 ? "column " : "choice row ");
                Int(p.column >= 0 ? p.column + 1 : p.choiceLine);
                out_.Put("</a>");
            }
            out_.Put("</li>");
        }
        out_.Put("</ul>");
    }

    // The findings shown at a column or a choice row; none when it has none.
    const std::vector<std::size_t>& FindingsAt(const std::map<int, std::vector<std::size_t>>& by, int at) const {
        static const std::vector<std::size_t> kNone;
        const auto own = by.find(at);
        return own != by.end() ? own->second : kNone;
    }

    // " class=\"error\"" for the worst of which, when it is an error or a warning.
    void RowClass(const std::vector<std::size_t>& which) {
        Severity worst = Severity::kNote;
        for (std::size_t i : which) worst = std::min(worst, placed_[i].finding->severity);
        if (worst == Severity::kNote) return;
        out_.Put(" class=\"");
        out_.Put(SeverityName(worst));
        out_.Put('"');
    }

    void Sources(const ColumnEntry& c) {
        bool first = true;
        for (const SourceAt* at : {&c.definition, &c.titleAt, &c.keyAt, &c.typeAt}) {
            if (!at->Known()) continue;
            if (!first) out_.Put("<br>");
            first = false;
            out_.Put("<span class=\"loc\" title=\"");
            Text(at->file);
            out_.Put("\">");
            FileLine(at->file, at->line);
            out_.Put("</span>");
        }
    }

    void Columns() {
        out_.Put("<h2>Columns</h2>\n<table id=\"columns\"><thead><tr><th>#</th><th>Title</th><th>Item</th>"
                 "<th>Key</th><th>Type</th><th>Flags</th><th>Rows</th><th>Findings</th></tr></thead><tbody>\n");
        for (std::size_t i = 0; i < cols_.Count(); ++i) {
            cols_.Get(i, &entry_, false);
            const ColumnEntry& c = entry_;
            const std::vector<std::size_t>& which = FindingsAt(byColumn_, static_cast<int>(i));
            out_.Put("<tr id=\"column-");
            Int(c.number);
            out_.Put('"');
            RowClass(which);
            out_.Put("><td class=\"num\">");
            Int(c.number);
            out_.Put("</td><td>");
            Text(c.title);
            out_.Put("</td><td><code>");
            Text(c.item);
            out_.Put("</code></td><td class=\"num\">");
            Int(c.key);
            out_.Put("</td><td>");
            scratch_.assign(c.valTypeKeyword);
            if (!c.subTypeKeyword.empty()) scratch_.append(" / ").append(c.subTypeKeyword);
            Text(scratch_);
            if (c.effectiveType != 0) {
                out_.Put(" <span class=\"loc\">(");
                Int(c.effectiveType);
                out_.Put(")</span>");
            }
            out_.Put("</td><td>");
            out_.Put(c.option ? "option" : "standard");
            if (c.blank) out_.Put(", blank");
            if (c.repeat) out_.Put(", repeat");
            out_.Put("</td><td>");
            Sources(c);
            out_.Put("</td><td>");
            if (!which.empty()) Items(which);
            out_.Put("</td></tr>\n");
        }
        out_.Put("</tbody></table>\n");
    }

    void Choices() {
        bool any = false;
        ForEachShownChoices([this, &any](const ColumnEntry& c) {
            if (!any) out_.Put("<h2>Choices</h2>\n");
            any = true;
            out_.Put("<h3>");
            Text(c.title);
            out_.Put(" <code>");
            Text(c.item);
            out_.Put("</code></h3>\n<table class=\"choices\"><thead><tr><th>Value</th><th>Text</th>"
                     "<th>Choice</th><th>Rows</th><th>Findings</th></tr></thead><tbody>\n");
            for (const ChoiceEntry& ch : c.choices) {
                const std::vector<std::size_t>& which = FindingsAt(byChoice_, ch.at.line);
                out_.Put("<tr id=\"choice-");
                Int(ch.at.line);
                out_.Put('"');
                RowClass(which);
                out_.Put("><td class=\"num\">");
                Int(ch.value);
                out_.Put("</td><td>");
                Text(ch.text);
                if (ch.shadowed) out_.Put(" <span class=\"loc\">(never shown: an earlier choice has this value)</span>");
                out_.Put("</td><td><code>");
                Text(ch.item);
                out_.Put("</code></td><td><span class=\"loc\">");
                FileLine(ch.at.file, ch.at.line);
                if (ch.valueAt.Known()) {
                    out_.Put("<br>");
                    FileLine(ch.valueAt.file, ch.valueAt.line);
                }
                out_.Put("</span></td><td>");
                if (!which.empty()) Items(which);
                out_.Put("</td></tr>\n");
            }
            out_.Put("</tbody></table>\n");
        });
    }

    const ColumnReport& cols_;
    const FindingList& findings_;
    const ReportFacts& facts_;
    ReportWriter& out_;
    ColumnEntry entry_;     // the column being written, reused
    std::string scratch_;    // a text being composed, reused
    std::array<std::pair<std::string_view, std::string_view>, 8> bases_;  // for KnownBaseName
    std::size_t nextBase_ = 0;
    std::string converted_;  // a text converted to UTF-8, reused
    std::vector<Placed> placed_;
    std::map<int, std::vector<std::size_t>> byColumn_;
    std::map<int, std::vector<std::size_t>> byChoice_;
    std::vector<std::size_t> general_;
};

}  // namespace

void HtmlReport(const ColumnReport& columns, const FindingList& findings, const ReportFacts& facts,
                ReportWriter* out) {
    Page(columns, findings, facts, out).Render();
}
