// PageStyle: the style sheet of the check's page, kept apart from the code
// that writes the page.
#ifndef QVKDC_TOOLS_REPORT_PAGESTYLE_H
#define QVKDC_TOOLS_REPORT_PAGESTYLE_H

inline constexpr const char* kPageStyle = R"(
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
ul.findings { margin: 0; padding-left: 18px; }
li.error { color: #a40e0e; }
li.warning { color: #7a5200; }
li.note { color: #3b4a66; }
code, .loc { font-family: monospace; font-size: 12px; }
:target { outline: 2px solid #3b6fd8; }
table.summary td:nth-child(4) { max-width: 70em; }
details { display: inline; }
details summary { cursor: pointer; color: #3b4a66; }
dl.codes dt { margin-top: 8px; }
dl.codes dd { margin-left: 18px; }
pre.src { margin: 2px 0 4px; padding: 2px 6px; background: #f3f5f9; color: #1d2330; white-space: pre-wrap; }
pre.src .ln { color: #8a93a6; margin-right: 8px; }
.tab { color: #3b6fd8; padding: 0 4px; }
.ctl { color: #a40e0e; }
div.csv { overflow: auto; max-height: 75vh; margin-bottom: 4px; }
table.preview { font-family: monospace; font-size: 12px; border-collapse: separate; border-spacing: 0; }
table.preview td, table.preview th { white-space: pre; background: #fff; }
table.preview thead th { position: sticky; top: 0; z-index: 2; background: #e8ecf4; }
table.preview th.ln { position: sticky; left: 0; z-index: 1; background: #f3f5f9; color: #8a93a6;
  text-align: right; min-width: 3em; box-sizing: border-box; }
table.preview thead th.ln { z-index: 3; }
table.preview td:nth-child(2) { position: sticky; left: 3em; z-index: 1; }
table.preview thead th:nth-child(2) { left: 3em; z-index: 3; }
table.preview th.flagged { background: #fde9c4; }
a.flag { color: #a40e0e; font-weight: bold; text-decoration: none; margin-left: 4px; }
table.preview td.empty { background: #fafafa; }
table.preview td.odd { background: #fff5d6; }
table.preview tr.split th.ln { background: #fde4e4; color: #a40e0e; }
table.preview td.splits { background: #fde4e4; outline: 1px solid #a40e0e; }
a.why { font-family: sans-serif; font-size: 11px; font-style: italic; color: #7a5200; }
p.more { margin: 0 0 12px; color: #4a5468; }
)";

#endif  // QVKDC_TOOLS_REPORT_PAGESTYLE_H
