#include "check/HtmlReport.h"

#include <set>
#include <vector>

namespace {

constexpr const char* kStyle = R"(
body { font: 14px/1.4 sans-serif; margin: 24px; color: #1d2330; background: #fff; }
h1 { font-size: 22px; margin: 0 0 4px; }
h2 { font-size: 17px; margin: 28px 0 8px; }
h3 { font-size: 14px; margin: 16px 0 4px; }
.summary { margin: 0 0 16px; color: #4a5468; }
table { border-collapse: collapse; }
th, td { border: 1px solid #c9cfdb; padding: 3px 8px; text-align: left; vertical-align: top; }
th { background: #e8ecf4; }
tr.error td { background: #fde4e4; }
tr.warning td { background: #fff5d6; }
td.num { text-align: right; }
ul.findings { margin: 0; padding-left: 18px; }
li.error { color: #a40e0e; }
li.warning { color: #7a5200; }
li.note { color: #3b4a66; }
code, .loc { font-family: monospace; font-size: 12px; }
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

std::string FindingItems(const std::vector<const Finding*>& list, bool withPlace) {
    std::string html = "<ul class=\"findings\">";
    for (const Finding* f : list) {
        html += std::string("<li class=\"") + SeverityName(f->severity) + "\">";
        if (withPlace) html += "<span class=\"loc\">" + Escape(f->file + ':' + std::to_string(f->line)) + "</span> ";
        html += SeverityName(f->severity) + std::string(": ") + Escape(f->message) + " <code>[" +
                Escape(f->code) + "]</code></li>";
    }
    return html + "</ul>";
}

std::string BaseName(const std::string& path) { return path.substr(path.find_last_of("/\\") + 1); }

std::string TypeCell(const ColumnEntry& c) {
    std::string type = c.valTypeKeyword;
    if (!c.subTypeKeyword.empty()) type += " / " + c.subTypeKeyword;
    return Escape(type) +
           (c.effectiveType != 0 ? " <span class=\"loc\">(" + std::to_string(c.effectiveType) + ")</span>" : "");
}

std::string FlagsCell(const ColumnEntry& c) {
    std::string flags = c.option ? "option" : "standard";
    if (c.blank) flags += ", blank";
    if (c.repeat) flags += ", repeat";
    return flags;
}

}  // namespace

std::string HtmlReport(const std::vector<ColumnEntry>& cols, const FindingList& findings) {
    std::vector<std::vector<const Finding*>> byColumn(cols.size());
    std::vector<const Finding*> general;
    for (const Finding& f : findings.All()) {
        if (f.column >= 0 && static_cast<std::size_t>(f.column) < cols.size()) {
            byColumn[static_cast<std::size_t>(f.column)].push_back(&f);
        } else {
            general.push_back(&f);
        }
    }

    std::string html = "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
                       "<title>qvkdc check</title><style>";
    html += kStyle;
    html += "</style></head>\n<body>\n<h1>Columns of the export, checked</h1>\n<p class=\"summary\">" +
            Escape(findings.Summary()) + "</p>\n";
    if (!general.empty()) {
        html += "<h2>Files and model</h2>\n" + FindingItems(general, true) + "\n";
    }
    html += "<h2>Columns</h2>\n<table id=\"columns\"><thead><tr><th>#</th><th>Title</th><th>Item</th>"
            "<th>Key</th><th>Type</th><th>Flags</th><th>Defined at</th><th>Findings</th></tr></thead>"
            "<tbody>\n";
    for (std::size_t i = 0; i < cols.size(); ++i) {
        const ColumnEntry& c = cols[i];
        const std::vector<const Finding*>& own = byColumn[i];
        Severity worst = Severity::kNote;
        for (const Finding* f : own) worst = std::min(worst, f->severity);
        html += "<tr id=\"column-" + std::to_string(i + 1) + "\"" +
                (own.empty() || worst == Severity::kNote ? std::string()
                                                          : std::string(" class=\"") + SeverityName(worst) + "\"") +
                "><td class=\"num\">" + std::to_string(i + 1) + "</td><td>" + Escape(c.title) + "</td><td><code>" +
                Escape(c.item) + "</code></td><td class=\"num\">" + std::to_string(c.key) + "</td><td>" +
                TypeCell(c) + "</td><td>" + FlagsCell(c) + "</td><td class=\"loc\" title=\"" +
                Escape(c.definition.file) + "\">" +
                Escape(BaseName(c.definition.file) + ':' + std::to_string(c.definition.line)) + "</td><td>" +
                (own.empty() ? std::string() : FindingItems(own, false)) + "</td></tr>\n";
    }
    html += "</tbody></table>\n";

    std::set<std::string> shown;
    std::string selections;
    for (const ColumnEntry& c : cols) {
        if (c.choices.empty() || !shown.insert(c.item).second) continue;
        selections += "<h3>" + Escape(c.title) + " <code>" + Escape(c.item) +
                      "</code></h3>\n<table class=\"choices\"><thead><tr><th>Value</th><th>Text</th>"
                      "<th>Choice</th><th>Line</th></tr></thead><tbody>\n";
        for (const ChoiceEntry& choice : c.choices) {
            selections += "<tr><td class=\"num\">" + std::to_string(choice.value) + "</td><td>" +
                          Escape(choice.text) + "</td><td><code>" + Escape(choice.item) +
                          "</code></td><td class=\"num\">" + std::to_string(choice.at.line) + "</td></tr>\n";
        }
        selections += "</tbody></table>\n";
    }
    if (!selections.empty()) html += "<h2>Choices</h2>\n" + selections;
    return html + "</body></html>\n";
}
