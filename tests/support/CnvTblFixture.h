// CnvTblFixture: a table root in a temporary current directory, the stand-in
// host reset with every trace level on, and a conversion table set to test.
#ifndef QVKDC_TESTS_SUPPORT_CNVTBLFIXTURE_H
#define QVKDC_TESTS_SUPPORT_CNVTBLFIXTURE_H

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "qvhostsim/qvhostsim.h"
#include "support/TableRoot.h"
#include "tables/CQvkdcCnvTblCtrl.h"

class CnvTblFixture : public ::testing::Test {
 protected:
    void SetUp() override {
        QvsimReset();
        QvsimTraceAll(1, 1);
    }
    void TearDown() override { QvsimReset(); }

    // The worked example: item itemA (TitleA, key 250, priority 3, "Select"
    // with sub type "Integer"), a selection column itemMode with the choices
    // On = 1 and Off = 0, and the tool-set form "TS-FORM".
    static TableRoot::Tables ExampleTables() {
        TableRoot::Tables t;
        t.exterior = {{"TitleA", "itemA"},
                      {"Mode", "itemMode"},
                      {"Mode:On", "selOn"},
                      {"Mode:Off", "selOff"}};
        t.processParameters = {{"itemA", "250", "3"}};
        t.parameterSetting = {{"itemA", "Select", "o", "", "Integer"}};
        t.selectionToInt = {{"selOn", "1"}, {"selOff", "0"}};
        t.variable = {{"TS-FORM", "", "akw_tls_nm"}};
        t.planCsv = {{"1", "itemA"}};
        return t;
    }

    static std::string Trace() { return QvsimTraceText(); }
    static bool TraceHas(std::string_view text) {
        return std::string_view(QvsimTraceText()).find(text) !=
               std::string_view::npos;
    }
    // Number of times text occurs in the trace.
    static int TraceCount(std::string_view text) {
        const std::string_view trace = QvsimTraceText();
        int n = 0;
        for (std::size_t p = trace.find(text); p != std::string_view::npos;
             p = trace.find(text, p + text.size())) {
            ++n;
        }
        return n;
    }

    TableRoot root;
    CQvkdcCnvTblCtrl tables;
};

#endif  // QVKDC_TESTS_SUPPORT_CNVTBLFIXTURE_H
