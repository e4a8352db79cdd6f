#include "report/HtmlReport.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <charconv>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "check/FindingCodes.h"
#include "report/FindingGroups.h"
#include "report/FindingIndex.h"
#include "report/HtmlWriter.h"
#include "report/PageStyle.h"
#include "report/PreviewHtml.h"

namespace {

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
    Page(const HtmlParts& parts, const FindingList& findings, const ReportFacts& facts, ReportWriter* out)
        : cols_(parts.columns),
          preview_(parts.preview),
          rows_(parts.rows),
          findings_(findings),
          groups_(findings),
          html_(facts, out),
          facts_(facts) {}

    void Render() {
        Place();
        html_.Put("<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
                  "<title>qvkdc check</title><style>");
        html_.Put(kPageStyle);
        html_.Put("</style></head>\n<body>\n<h1>Columns of the export, checked</h1>\n");
        Facts();
        Summary();
        if (!general_.empty()) {
            html_.Put("<h2>Files and model</h2>\n");
            Items(general_);
            html_.Put('\n');
        }
        if (preview_ != nullptr) PreviewHtml(*preview_, cols_, FindingIndex(findings_), &html_);
        Columns();
        Choices();
        Codes();
        html_.Put("</body></html>\n");
    }

 private:
    void Text(std::string_view text) { html_.Text(text); }
    void Int(long long value) { html_.Int(value); }

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
        std::map<std::string_view, std::unordered_map<int, std::optional<int>>, std::less<>> choiceAt;
        for (const Finding& f : findings_.All()) choiceAt[f.file].emplace(f.line, std::nullopt);
        auto claim = [&choiceAt](const SourceAt& at, int choiceLine) {
            const auto file = choiceAt.find(at.file);
            if (file == choiceAt.end()) return;
            const auto line = file->second.find(at.line);
            if (line != file->second.end() && !line->second) line->second = choiceLine;
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
            const std::optional<int> choiceLine = choiceAt.find(f.file)->second.find(f.line)->second;
            if (choiceLine) {
                p.choiceLine = *choiceLine;
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
        html_.Put("<p class=\"facts\">Root <code>");
        if (facts_.root.empty()) {
            html_.Put("(the current folder)");
        } else {
            Text(facts_.root);
        }
        html_.Put("</code> &middot; model <code>");
        if (facts_.model.empty()) {
            html_.Put("(none)");
        } else {
            Text(facts_.model);
        }
        html_.Put("</code> &middot; checked ");
        html_.Escaped(facts_.date);
        html_.Put(" &middot; qvkdc ");
        html_.Escaped(facts_.version);
        html_.Put(" &middot; texts read as ");
        html_.Escaped(facts_.encoding->Name());
        html_.Put("</p>\n");
    }

    // A link to the finding's place on the page, shown as its FILE:LINE.
    void FindingLink(const Placed& p) {
        html_.Put("<a class=\"loc\" href=\"#finding-");
        Int(p.index);
        html_.Put("\" title=\"");
        Text(p.finding->file);
        html_.Put("\">");
        FileLine(p.finding->file, p.finding->line);
        html_.Put("</a>");
    }

    // The code, linked to what it means (Codes).
    void Code(FindingCode code) {
        const char* name = FindingCodeName(code);
        html_.Put("<a href=\"#code-");
        html_.Escaped(name);
        html_.Put("\"><code>[");
        html_.Escaped(name);
        html_.Put("]</code></a>");
    }

    void Summary() {
        html_.Put("<p class=\"summary\" id=\"summary\">");
        html_.Escaped(findings_.Summary());
        html_.Put("</p>\n");
        if (groups_.All().empty()) return;
        html_.Put("<table class=\"summary\"><thead><tr><th>Severity</th><th>Finding</th><th>Count</th>"
                  "<th>The first</th></tr></thead><tbody>\n");
        for (const FindingGroups::Group& g : groups_.All()) {
            const Placed& first = placed_[g.members.front()];
            html_.Put("<tr class=\"");
            html_.Put(SeverityName(g.severity));
            html_.Put("\"><td>");
            html_.Put(SeverityName(g.severity));
            html_.Put("</td><td>");
            Code(g.code);
            html_.Put("</td><td class=\"num\">");
            Int(static_cast<long long>(g.members.size()));
            html_.Put("</td><td>");
            FindingLink(first);
            html_.Put(' ');
            Text(first.finding->message);
            if (g.members.size() > 1) {
                html_.Put(" <details><summary>and ");
                Int(static_cast<long long>(g.members.size() - 1));
                html_.Put(" more</summary>");
                for (std::size_t k = 1; k < g.members.size(); ++k) {
                    html_.Put(' ');
                    FindingLink(placed_[g.members[k]]);
                }
                html_.Put("</details>");
            }
            html_.Put("</td></tr>\n");
        }
        html_.Put("</tbody></table>\n");
    }

    // The row a finding points at, as the file holds it, under its message.
    void Source(const Finding& f) {
        if (rows_ == nullptr) return;
        std::size_t length = 0;
        const std::string* row = rows_->Line(f.file, f.line, &length);
        if (row == nullptr) return;
        html_.Put("<pre class=\"src\"><span class=\"ln\">");
        Int(f.line);
        html_.Put("</span>");
        html_.Visible(*row);
        if (length > row->size()) {
            html_.Put("<span class=\"ctl\">&hellip; (");
            Int(static_cast<long long>(length));
            html_.Put(" bytes)</span>");
        }
        html_.Put("</pre>");
    }

    // The findings listed, each with its FILE:LINE and a link to its target.
    void Items(const std::vector<std::size_t>& which) {
        html_.Put("<ul class=\"findings\">");
        for (std::size_t i : which) {
            const Placed& p = placed_[i];
            const Finding& f = *p.finding;
            html_.Put("<li id=\"finding-");
            Int(p.index);
            html_.Put("\" class=\"");
            html_.Put(SeverityName(f.severity));
            html_.Put("\"><span class=\"loc\">");
            scratch_.assign(f.file);
            scratch_ += ':';
            scratch_ += std::to_string(f.line);
            Text(scratch_);
            html_.Put("</span> ");
            html_.Put(SeverityName(f.severity));
            html_.Put(": ");
            Text(f.message);
            html_.Put(' ');
            Code(f.code);
            if (!p.target.empty()) {
                html_.Put(" <a class=\"target\" href=\"#");
                html_.Put(p.target);
                html_.Put("\">");
                html_.Put(p.column >= 0 ? "column " : "choice row ");
                Int(p.column >= 0 ? p.column + 1 : p.choiceLine);
                html_.Put("</a>");
            }
            Source(f);
            html_.Put("</li>");
        }
        html_.Put("</ul>");
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
        html_.Put(" class=\"");
        html_.Put(SeverityName(worst));
        html_.Put('"');
    }

    void Sources(const ColumnEntry& c) {
        bool first = true;
        for (const SourceAt* at : {&c.definition, &c.titleAt, &c.keyAt, &c.typeAt}) {
            if (!at->Known()) continue;
            if (!first) html_.Put("<br>");
            first = false;
            html_.Put("<span class=\"loc\" title=\"");
            Text(at->file);
            html_.Put("\">");
            FileLine(at->file, at->line);
            html_.Put("</span>");
        }
    }

    void Columns() {
        html_.Put("<h2>Columns</h2>\n<table id=\"columns\"><thead><tr><th>#</th><th>Title</th><th>Item</th>"
                  "<th>Key</th><th>Type</th><th>Flags</th><th>Rows</th><th>Findings</th></tr></thead><tbody>\n");
        for (std::size_t i = 0; i < cols_.Count(); ++i) {
            cols_.Get(i, &entry_, false);
            const ColumnEntry& c = entry_;
            const std::vector<std::size_t>& which = FindingsAt(byColumn_, static_cast<int>(i));
            html_.Put("<tr id=\"column-");
            Int(c.number);
            html_.Put('"');
            RowClass(which);
            html_.Put("><td class=\"num\">");
            Int(c.number);
            html_.Put("</td><td>");
            Text(c.title);
            html_.Put("</td><td><code>");
            Text(c.item);
            html_.Put("</code></td><td class=\"num\">");
            Int(c.key);
            html_.Put("</td><td>");
            scratch_.assign(c.valTypeKeyword);
            if (!c.subTypeKeyword.empty()) scratch_.append(" / ").append(c.subTypeKeyword);
            Text(scratch_);
            if (c.effectiveType != 0) {
                html_.Put(" <span class=\"loc\">(");
                Int(c.effectiveType);
                html_.Put(")</span>");
            }
            html_.Put("</td><td>");
            html_.Put(c.option ? "option" : "standard");
            if (c.blank) html_.Put(", blank");
            if (c.repeat) html_.Put(", repeat");
            html_.Put("</td><td>");
            Sources(c);
            html_.Put("</td><td>");
            if (!which.empty()) Items(which);
            html_.Put("</td></tr>\n");
        }
        html_.Put("</tbody></table>\n");
    }

    void Choices() {
        bool any = false;
        ForEachShownChoices([this, &any](const ColumnEntry& c) {
            if (!any) html_.Put("<h2>Choices</h2>\n");
            any = true;
            html_.Put("<h3>");
            Text(c.title);
            html_.Put(" <code>");
            Text(c.item);
            html_.Put("</code></h3>\n<table class=\"choices\"><thead><tr><th>Value</th><th>Text</th>"
                      "<th>Choice</th><th>Rows</th><th>Findings</th></tr></thead><tbody>\n");
            for (const ChoiceEntry& ch : c.choices) {
                const std::vector<std::size_t>& which = FindingsAt(byChoice_, ch.at.line);
                html_.Put("<tr id=\"choice-");
                Int(ch.at.line);
                html_.Put('"');
                RowClass(which);
                html_.Put("><td class=\"num\">");
                Int(ch.value);
                html_.Put("</td><td>");
                Text(ch.text);
                if (ch.shadowed) {
                    html_.Put(" <span class=\"loc\">(never shown: an earlier choice has this value)</span>");
                }
                html_.Put("</td><td><code>");
                Text(ch.item);
                html_.Put("</code></td><td><span class=\"loc\">");
                FileLine(ch.at.file, ch.at.line);
                if (ch.valueAt.Known()) {
                    html_.Put("<br>");
                    FileLine(ch.valueAt.file, ch.valueAt.line);
                }
                html_.Put("</span></td><td>");
                if (!which.empty()) Items(which);
                html_.Put("</td></tr>\n");
            }
            html_.Put("</tbody></table>\n");
        });
    }

    // What each code on the page means, and its usual fix.
    void Codes() {
        std::bitset<kFindingCodeCount> told;
        bool any = false;
        for (const FindingGroups::Group& g : groups_.All()) {
            const std::size_t index = static_cast<std::size_t>(g.code);
            if (told[index]) continue;
            told[index] = true;
            const FindingCodeEntry& code = FindingCodeOf(g.code);
            if (!any) html_.Put("<h2 id=\"codes\">What the findings mean</h2>\n<dl class=\"codes\">");
            any = true;
            html_.Put("<dt id=\"code-");
            html_.Escaped(code.name);
            html_.Put("\"><code>");
            html_.Escaped(code.name);
            html_.Put("</code> <span class=\"loc\">");
            html_.Escaped(code.severities.Text());
            html_.Put("</span></dt><dd>");
            html_.Marked(code.what);
            if (*code.fix != '\0') {
                html_.Put("<br><b>Usual fix:</b> ");
                html_.Marked(code.fix);
            }
            html_.Put("</dd>\n");
        }
        if (any) html_.Put("</dl>\n");
    }

    const ColumnReport& cols_;
    const ExportPreview* preview_;
    const SourceRows* rows_;
    const FindingList& findings_;
    const FindingGroups groups_;  // placed_ holds the findings in the same order
    HtmlWriter html_;
    const ReportFacts& facts_;
    ColumnEntry entry_;     // the column being written, reused
    std::string scratch_;   // a text being composed, reused
    std::array<std::pair<std::string_view, std::string_view>, 8> bases_;  // for KnownBaseName
    std::size_t nextBase_ = 0;
    std::vector<Placed> placed_;
    std::map<int, std::vector<std::size_t>> byColumn_;
    std::map<int, std::vector<std::size_t>> byChoice_;
    std::vector<std::size_t> general_;
};

}  // namespace

void HtmlReport(const HtmlParts& parts, const FindingList& findings, const ReportFacts& facts, ReportWriter* out) {
    Page(parts, findings, facts, out).Render();
}
