#include "export/TableDump.h"

#include <string_view>

#include "model/CQvkdcOutColRowMng.h"
#include "model/CQvkdcOutColTblMng.h"
#include "model/CQvkdcSlctValTblMng.h"
#include "model/IntText.h"
#include "CnvTblFiles.h"

namespace {

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
std::string_view TypeName(int code, bool subType) {
    if (code == 0) return "none";
    return subType ? CQvkdcOutColRowMng::SubTypeKeyword(code) : CQvkdcOutColRowMng::ValTypeKeyword(code);
}

// Where a column comes from: the table or the option file, by their names.
std::string_view FlagName(int colFlg) {
    if (colFlg == 1) return kCnvTblFiles[kPlanCSVTableFile].name;
    if (colFlg != 2) return {};
    std::string_view option = kOptionFilePath;
    return option.substr(option.find_last_of('\\') + 1);
}

}  // namespace

void DumpColumns(const CQvkdcOutColTblMng& table, std::string* out) {
    out->assign("ColFlg\tItName\tExName\tPrmKey\tPriority\tValType\tSubType\tIsBlank\tIsRepeat\n");
    const int n = table.GetColCnt();
    for (int i = 0; i < n; ++i) {
        const CQvkdcOutColRowMng& row = *table.GetColRow(i);
        const bool hasSub = row.GetSubType() != 0;
        AppendNamed(*out, row.GetColFlg(), FlagName(row.GetColFlg()));
        *out += '\t';
        *out += row.ItNameRef();
        *out += '\t';
        *out += row.ExNameRef();
        *out += '\t';
        AppendInt(*out, row.GetPrmKey());
        *out += '\t';
        AppendInt(*out, row.GetPriority());
        *out += '\t';
        AppendNamed(*out, row.GetValType(), TypeName(row.GetValType(), hasSub));
        *out += '\t';
        AppendNamed(*out, row.GetSubType(), TypeName(row.GetSubType(), true));
        for (const int mark : {row.GetIsBlank(), row.GetIsRepeat()}) {
            *out += '\t';
            AppendNamed(*out, mark, mark == 1 ? "o" : "");
        }
        *out += '\n';
    }
}

void DumpChoices(const CQvkdcSlctValTblMng& table, std::string* out) {
    out->assign("ColItName\tSlctItName\tSlctExName\tSlctVal\n");
    const int n = table.GetRowCnt();
    for (int i = 0; i < n; ++i) {
        const CQvkdcSlctValRowMng& row = *table.GetRow(i);
        const std::vector<std::string>& itNames = row.GetSlctItNameArr();
        const std::vector<std::string>& exNames = row.GetSlctExNameArr();
        const std::vector<int>& values = row.GetSlctValArr();
        for (std::size_t j = 0; j < values.size(); ++j) {
            *out += row.ColItNameRef();
            *out += '\t';
            *out += itNames[j];
            *out += '\t';
            *out += exNames[j];
            *out += '\t';
            AppendInt(*out, values[j]);
            *out += '\n';
        }
    }
}
