// CnvTblFixture: a table root in a temporary current directory, the stand-in
// host reset with every trace level on, and a conversion table set to test.
#ifndef QVKDC_TESTS_SUPPORT_CNVTBLFIXTURE_H
#define QVKDC_TESTS_SUPPORT_CNVTBLFIXTURE_H

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "qvhostsim/qvhostsim.h"
#include "support/HostFixture.h"
#include "support/TableRoot.h"
#include "tables/CQvkdcCnvTblCtrl.h"

class CnvTblFixture : public HostTest {
 protected:
    void SetUp() override {
        HostTest::SetUp();
        QvsimTraceAll(1, 1);
    }

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

    // The value and text lines of the trace, in order, without indentation
    // and without the frames' entry and exit lines.
    static std::vector<std::string> TraceBody() {
        std::vector<std::string> lines;
        const std::string_view trace = QvsimTraceText();
        std::size_t p = 0;
        while (p < trace.size()) {
            std::size_t end = trace.find('\n', p);
            if (end == std::string_view::npos) end = trace.size();
            std::string_view line = trace.substr(p, end - p);
            p = end + 1;
            line.remove_prefix(std::min(line.find_first_not_of(' '), line.size()));
            if (line.substr(0, 3) == ">> " || line.substr(0, 3) == "<< ") continue;
            lines.emplace_back(line);
        }
        return lines;
    }

    TableRoot root;
    CQvkdcCnvTblCtrl tables;
};

#endif  // QVKDC_TESTS_SUPPORT_CNVTBLFIXTURE_H
