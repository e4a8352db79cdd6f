#include "report/JsonReport.h"

#include "report/JsonWriter.h"

namespace {

class JsonReportWriter {
 public:
    JsonReportWriter(const ReportFacts& facts, ReportWriter* out) : facts_(facts), json_(out) {}

    void Write(const FindingList& findings, const ColumnReport& columns) {
        json_.BeginObject();
        json_.Key("columns");
        json_.BeginArray();
        ColumnEntry entry;
        for (std::size_t i = 0; i < columns.Count(); ++i) {
            columns.Get(i, &entry);
            Column(entry);
        }
        json_.EndArray();
        json_.Member("errors", findings.Count(Severity::kError));
        json_.Key("findings");
        json_.BeginArray();
        for (const Finding& f : findings.All()) {
            json_.BeginObject();
            json_.Member("code", FindingCodeName(f.code));
            json_.Key("column");
            if (f.column >= 0) {
                json_.Int(f.column + 1);
            } else {
                json_.Null();
            }
            Text("file", f.file);
            json_.Member("line", f.line);
            Text("message", f.message);
            json_.Member("severity", SeverityName(f.severity));
            json_.EndObject();
        }
        json_.EndArray();
        json_.Member("formatVersion", kCheckReportFormat);
        json_.Member("ignored", findings.Ignored());
        json_.Member("notes", findings.Count(Severity::kNote));
        json_.Key("run");
        json_.BeginObject();
        json_.Member("date", facts_.date);
        json_.Member("encoding", facts_.encoding->Name());
        json_.Key("model");
        if (facts_.model.empty()) {
            json_.Null();
        } else {
            json_.String(facts_.Utf8(facts_.model, &converted_));
        }
        Text("root", facts_.root);
        json_.Member("version", facts_.version);
        json_.EndObject();
        json_.Member("warnings", findings.Count(Severity::kWarning));
        json_.EndObject();
    }

 private:
    // A member whose value is a text of the tables, the model or a file name.
    void Text(std::string_view name, std::string_view text) { json_.Member(name, facts_.Utf8(text, &converted_)); }

    void At(std::string_view name, const SourceAt& at) {
        json_.Key(name);
        if (!at.Known()) {
            json_.Null();
            return;
        }
        at.Text(&place_);
        json_.String(facts_.Utf8(place_, &converted_));
    }

    void Column(const ColumnEntry& c) {
        json_.BeginObject();
        json_.Key("at");
        json_.BeginObject();
        At("definition", c.definition);
        At("key", c.keyAt);
        At("title", c.titleAt);
        At("type", c.typeAt);
        json_.EndObject();
        json_.Key("choices");
        json_.BeginArray();
        for (const ChoiceEntry& ch : c.choices) {
            json_.BeginObject();
            At("at", ch.at);
            Text("item", ch.item);
            json_.Member("shadowed", ch.shadowed);
            Text("text", ch.text);
            json_.Member("value", ch.value);
            json_.EndObject();
        }
        json_.EndArray();
        json_.Member("effectiveType", c.effectiveType);
        json_.Key("flags");
        json_.BeginObject();
        json_.Member("blank", c.blank);
        json_.Member("origin", c.option ? "option" : "table");
        json_.Member("repeat", c.repeat);
        json_.EndObject();
        Text("item", c.item);
        json_.Member("key", c.key);
        json_.Member("number", c.number);
        json_.Member("priority", c.priority);
        json_.Key("subType");
        json_.BeginObject();
        json_.Member("code", c.subTypeCode);
        Text("keyword", c.subTypeKeyword);
        json_.EndObject();
        Text("title", c.title);
        json_.Key("valueType");
        json_.BeginObject();
        json_.Member("code", c.valTypeCode);
        Text("keyword", c.valTypeKeyword);
        json_.EndObject();
        json_.EndObject();
    }

    const ReportFacts& facts_;
    JsonWriter json_;
    std::string place_;      // "FILE:LINE", reused
    std::string converted_;  // a text converted to UTF-8, reused
};

}  // namespace

void JsonReport(const FindingList& findings, const ColumnReport& columns, const ReportFacts& facts,
                ReportWriter* out) {
    JsonReportWriter(facts, out).Write(findings, columns);
    out->Put('\n');
}
