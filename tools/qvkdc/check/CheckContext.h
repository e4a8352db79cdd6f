// CheckContext: what every check reads and where it reports.
#ifndef QVKDC_TOOLS_CHECK_CHECKCONTEXT_H
#define QVKDC_TOOLS_CHECK_CHECKCONTEXT_H

#include "check/CheckInputs.h"
#include "check/FindingList.h"
#include "check/TableBuild.h"

class TextEncoding;

struct CheckContext {
    const CheckInputs& in;
    TableBuild& build;
    FindingList& out;
    // The code page of the texts.
    const TextEncoding& encoding;

    // Shown name of the file a column is defined in, and of a table.
    const std::string& DefFile(const ExaminedColumn& c) const {
        return c.trail.colFlg == CnvColFlg::kPlanCsv ? in.Shown(kPlanCSVTableFile) : in.OptionFile().Display();
    }
    const std::string& Shown(CnvTblIndex table) const { return in.Shown(table); }
    // For a missing table: "; beside it is "NAME", which the export does not
    // read: rename it" when a file of a near name is there; "" otherwise.
    std::string NearFile(CnvTblIndex table) const {
        const std::string& near = in.NearName(table);
        if (near.empty()) return near;
        return "; beside it is \"" + near + "\", which the export does not read: rename it " +
               kCnvTblFiles[table].name + ".tsv";
    }
};

#endif  // QVKDC_TOOLS_CHECK_CHECKCONTEXT_H
