#include "check/HtmlReport.h"

#include <map>
#include <set>
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

std::string Escape(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

std::string BaseName(const std::string& path) { return path.substr(path.find_last_of("/\\") + 1); }

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
    Page(const std::vector<ColumnEntry>& cols, const FindingList& findings, const ReportFacts& facts)
        : cols_(cols), findings_(findings), facts_(facts) {}

    std::string Render() {
        Place();
        std::string html = "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
                           "<title>qvkdc check</title><style>";
        html += kStyle;
        html += "</style></head>\n<body>\n<h1>Columns of the export, checked</h1>\n";
        html += Facts();
        html += Summary();
        if (!general_.empty()) html += "<h2>Files and model</h2>\n" + Items(general_) + "\n";
        html += Columns();
        html += Choices();
        return html + "</body></html>\n";
    }

 private:
    std::string Text(const std::string& text) const { return Escape(facts_.Utf8(text)); }

    // Puts each finding beside the choice row or column it concerns.
    void Place() {
        std::map<std::pair<std::string, int>, int> choiceAt;  // (file, line) -> choice row line
        std::set<std::string> shown;
        for (const ColumnEntry& c : cols_) {
            if (c.choices.empty() || !shown.insert(c.item).second) continue;
            for (const ChoiceEntry& ch : c.choices) {
                choiceAt.emplace(std::make_pair(ch.at.file, ch.at.line), ch.at.line);
                if (ch.valueAt.Known()) choiceAt.emplace(std::make_pair(ch.valueAt.file, ch.valueAt.line), ch.at.line);
            }
        }
        int n = 0;
        for (const Finding& f : findings_.All()) {
            Placed p;
            p.finding = &f;
            p.index = ++n;
            const auto choice = choiceAt.find({f.file, f.line});
            if (choice != choiceAt.end()) {
                p.choiceLine = choice->second;
                p.target = "choice-" + std::to_string(p.choiceLine);
                byChoice_[p.choiceLine].push_back(placed_.size());
            } else if (f.column >= 0 && static_cast<std::size_t>(f.column) < cols_.size()) {
                p.column = f.column;
                p.target = "column-" + std::to_string(f.column + 1);
                byColumn_[f.column].push_back(placed_.size());
            } else {
                general_.push_back(placed_.size());
            }
            placed_.push_back(std::move(p));
        }
    }

    std::string Facts() const {
        std::string facts = "<p class=\"facts\">Root <code>" +
                            (facts_.root.empty() ? std::string("(the current folder)") : Text(facts_.root)) +
                            "</code> &middot; model <code>" +
                            (facts_.model.empty() ? std::string("(none)") : Text(facts_.model)) +
                            "</code> &middot; checked " + Escape(facts_.date) + " &middot; qvkdc " +
                            Escape(facts_.version) + " &middot; texts read as " +
                            Escape(facts_.encoding->Name()) + "</p>\n";
        return facts;
    }

    std::string Summary() const {
        std::string html = "<p class=\"summary\" id=\"summary\">" + Escape(findings_.Summary()) + "</p>\n";
        if (placed_.empty()) return html;
        html += "<ol class=\"toc\">";
        for (const Placed& p : placed_) {
            const Finding& f = *p.finding;
            html += std::string("<li class=\"") + SeverityName(f.severity) + "\"><a href=\"#finding-" +
                    std::to_string(p.index) + "\" title=\"" + Text(f.file) + "\">" +
                    Text(BaseName(f.file) + ':' + std::to_string(f.line)) + "</a> " + SeverityName(f.severity) +
                    " <code>[" + Escape(f.code) + "]</code></li>";
        }
        return html + "</ol>\n";
    }

    // The findings listed, each with its FILE:LINE and a link to its target.
    std::string Items(const std::vector<std::size_t>& which) const {
        std::string html = "<ul class=\"findings\">";
        for (std::size_t i : which) {
            const Placed& p = placed_[i];
            const Finding& f = *p.finding;
            html += "<li id=\"finding-" + std::to_string(p.index) + "\" class=\"" + SeverityName(f.severity) +
                    "\"><span class=\"loc\">" + Text(f.file + ':' + std::to_string(f.line)) + "</span> " +
                    SeverityName(f.severity) + ": " + Text(f.message) + " <code>[" + Escape(f.code) + "]</code>";
            if (!p.target.empty()) {
                html += " <a class=\"target\" href=\"#" + p.target + "\">" +
                        (p.column >= 0 ? "column " + std::to_string(p.column + 1)
                                       : "choice row " + std::to_string(p.choiceLine)) +
                        "</a>";
            }
            html += "</li>";
        }
        return html + "</ul>";
    }

    // " class=\"error\"" for the worst of which, when it is an error or a warning.
    std::string RowClass(const std::vector<std::size_t>& which) const {
        Severity worst = Severity::kNote;
        for (std::size_t i : which) worst = std::min(worst, placed_[i].finding->severity);
        return worst == Severity::kNote ? std::string() : std::string(" class=\"") + SeverityName(worst) + "\"";
    }

    std::string Sources(const ColumnEntry& c) const {
        std::string html;
        for (const SourceAt* at : {&c.definition, &c.titleAt, &c.keyAt, &c.typeAt}) {
            if (!at->Known()) continue;
            if (!html.empty()) html += "<br>";
            html += "<span class=\"loc\" title=\"" + Text(at->file) + "\">" +
                    Text(BaseName(at->file) + ':' + std::to_string(at->line)) + "</span>";
        }
        return html;
    }

    std::string Columns() const {
        std::string html =
            "<h2>Columns</h2>\n<table id=\"columns\"><thead><tr><th>#</th><th>Title</th><th>Item</th>"
            "<th>Key</th><th>Type</th><th>Flags</th><th>Rows</th><th>Findings</th></tr></thead><tbody>\n";
        static const std::vector<std::size_t> kNone;
        for (std::size_t i = 0; i < cols_.size(); ++i) {
            const ColumnEntry& c = cols_[i];
            const auto own = byColumn_.find(static_cast<int>(i));
            const std::vector<std::size_t>& which = own != byColumn_.end() ? own->second : kNone;
            std::string type = c.valTypeKeyword;
            if (!c.subTypeKeyword.empty()) type += " / " + c.subTypeKeyword;
            std::string flags = c.option ? "option" : "standard";
            if (c.blank) flags += ", blank";
            if (c.repeat) flags += ", repeat";
            html += "<tr id=\"column-" + std::to_string(c.number) + "\"" + RowClass(which) +
                    "><td class=\"num\">" + std::to_string(c.number) + "</td><td>" + Text(c.title) +
                    "</td><td><code>" + Text(c.item) + "</code></td><td class=\"num\">" + std::to_string(c.key) +
                    "</td><td>" + Text(type) +
                    (c.effectiveType != 0
                         ? " <span class=\"loc\">(" + std::to_string(c.effectiveType) + ")</span>"
                         : std::string()) +
                    "</td><td>" + flags + "</td><td>" + Sources(c) + "</td><td>" +
                    (which.empty() ? std::string() : Items(which)) + "</td></tr>\n";
        }
        return html + "</tbody></table>\n";
    }

    std::string Choices() const {
        std::set<std::string> shown;
        std::string html;
        static const std::vector<std::size_t> kNone;
        for (const ColumnEntry& c : cols_) {
            if (c.choices.empty() || !shown.insert(c.item).second) continue;
            html += "<h3>" + Text(c.title) + " <code>" + Text(c.item) +
                    "</code></h3>\n<table class=\"choices\"><thead><tr><th>Value</th><th>Text</th>"
                    "<th>Choice</th><th>Rows</th><th>Findings</th></tr></thead><tbody>\n";
            for (const ChoiceEntry& ch : c.choices) {
                const auto own = byChoice_.find(ch.at.line);
                const std::vector<std::size_t>& which = own != byChoice_.end() ? own->second : kNone;
                html += "<tr id=\"choice-" + std::to_string(ch.at.line) + "\"" + RowClass(which) +
                        "><td class=\"num\">" + std::to_string(ch.value) + "</td><td>" + Text(ch.text) +
                        (ch.shadowed ? " <span class=\"loc\">(never shown: an earlier choice has this value)</span>"
                                     : std::string()) +
                        "</td><td><code>" + Text(ch.item) + "</code></td><td><span class=\"loc\">" +
                        Text(BaseName(ch.at.file) + ':' + std::to_string(ch.at.line)) +
                        (ch.valueAt.Known() ? "<br>" + Text(BaseName(ch.valueAt.file) + ':' +
                                                            std::to_string(ch.valueAt.line))
                                            : std::string()) +
                        "</span></td><td>" + (which.empty() ? std::string() : Items(which)) + "</td></tr>\n";
            }
            html += "</tbody></table>\n";
        }
        return html.empty() ? html : "<h2>Choices</h2>\n" + html;
    }

    const std::vector<ColumnEntry>& cols_;
    const FindingList& findings_;
    const ReportFacts& facts_;
    std::vector<Placed> placed_;
    std::map<int, std::vector<std::size_t>> byColumn_;
    std::map<int, std::vector<std::size_t>> byChoice_;
    std::vector<std::size_t> general_;
};

}  // namespace

std::string HtmlReport(const std::vector<ColumnEntry>& columns, const FindingList& findings,
                       const ReportFacts& facts) {
    return Page(columns, findings, facts).Render();
}
