// ExportTables: small conversion tables for whole output runs.
//
// PlanCSVTable lists three columns: N (item itemN, key 100, integer), Mode
// (itemMode, key 200, selection with the choices "a,b" = 1 and "off" = 0)
// and Z (itemZ, key 300, quoted text). The option file can add Extra
// (itemX, key 400, real, both marks set). The tool-set form is "TS".
#ifndef QVKDC_TESTS_SUPPORT_EXPORTTABLES_H
#define QVKDC_TESTS_SUPPORT_EXPORTTABLES_H

#include "support/TableRoot.h"

inline TableRoot::Tables ExportTables() {
    TableRoot::Tables t;
    t.exterior = {{"N", "itemN"},          {"Mode", "itemMode"}, {"Mode:a,b", "selAB"},
                  {"Mode:off", "selOff"},  {"Z", "itemZ"},       {"Extra", "itemX"}};
    t.processParameters = {
        {"itemN", "100", "1"}, {"itemMode", "200", "2"}, {"itemZ", "300", "3"}, {"itemX", "400", "9"}};
    t.parameterSetting = {{"itemN", "Real", "", "", "Integer"},
                          {"itemMode", "Select", "", ""},
                          {"itemZ", "String", "", ""},
                          {"itemX", "Real", "o", "o"}};
    t.selectionToInt = {{"selAB", "1"}, {"selOff", "0"}};
    t.variable = {{"TS", "", "akw_tls_nm"}};
    t.planCsv = {{"1", "itemN"}, {"2", "itemMode"}, {"3", "itemZ"}};
    return t;
}

// The stand-in host's default message texts.
inline constexpr char kMsgTitleLine[] = "Machine\tController\tMessage";
inline constexpr char kMsgRejectedText[] =
    "The plan has a process of a type that cannot be exported; no file was written for it.";
inline constexpr char kMsgFailedLine[] =
    "-\t-\tThe CSV export failed; the trace names the cause.";

#endif  // QVKDC_TESTS_SUPPORT_EXPORTTABLES_H
