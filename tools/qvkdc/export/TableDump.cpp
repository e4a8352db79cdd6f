#include "export/TableDump.h"

#include <string_view>

#include "CnvTblFiles.h"
#include "ExamineTables.h"

namespace {

void AppendInt(std::string& out, int value) { out += std::to_string(value); }

// "CODE (NAME)", or the bare code when it has no name.
void AppendNamed(std::string& out, int code, std::string_view name) {
    AppendInt(out, code);
    if (name.empty()) return;
    out += " (";
    out += name;
    out += ')';
}

// The keyword of a type code: a sub type's when the column has one.
// Names are the library's keywords; 0 is no type.
std::string_view TypeName(int code) {
    if (code == 0) return "none";
    const ValueType* type = ValueTypeOfCode(code);
    return type != nullptr ? type->keyword : std::string_view();
}

// Where a column comes from: the table or the option file, by their names.
std::string_view FlagName(CnvColFlg colFlg) {
    switch (colFlg) {
        case CnvColFlg::kPlanCsv:
            return kCnvTblFiles[kPlanCSVTableFile].name;
        case CnvColFlg::kOption:
            break;
    }
    const std::string_view option = kOptionFilePath;
    return option.substr(option.find_last_of('\\') + 1);
}

}  // namespace

void DumpColumns(const ExaminedTables& tables, std::string* out) {
    out->assign("ColFlg\tItName\tExName\tPrmKey\tPriority\tValType\tSubType\tIsBlank\tIsRepeat\n");
    for (const ExaminedColumn& c : tables.Columns()) {
        AppendNamed(*out, static_cast<int>(c.trail.colFlg), FlagName(c.trail.colFlg));
        *out += '\t';
        *out += c.itName;
        *out += '\t';
        *out += c.exName;
        *out += '\t';
        AppendInt(*out, c.prmKey);
        *out += '\t';
        AppendInt(*out, c.priority);
        *out += '\t';
        AppendNamed(*out, c.valType, TypeName(c.valType));
        *out += '\t';
        AppendNamed(*out, c.subType, TypeName(c.subType));
        for (const int mark : {c.isBlank, c.isRepeat}) {
            *out += '\t';
            AppendNamed(*out, mark, mark == 1 ? kMarkSet : "");
        }
        *out += '\n';
    }
}

void DumpChoices(const ExaminedTables& tables, std::string* out) {
    out->assign("ColItName\tSlctItName\tSlctExName\tSlctVal\n");
    const int n = tables.ChoiceItemCount();
    for (int i = 0; i < n; ++i) {
        const ExaminedChoices& item = tables.ChoiceItem(i);
        for (int j = 0; j < item.Count(); ++j) {
            const ExaminedChoice choice = item.At(j);
            *out += item.ItName();
            *out += '\t';
            *out += choice.itName;
            *out += '\t';
            *out += choice.exName;
            *out += '\t';
            AppendInt(*out, choice.value);
            *out += '\n';
        }
    }
}
