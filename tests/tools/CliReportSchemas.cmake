# The JSON reports of qvkdc against their schemas in docs/schema/: each test
# runs one command that writes a report (into a work folder of its own) and
# validates the report with validate_report.py, which skips the test when
# Python's jsonschema module is not installed. Included by
# tests/CMakeLists.txt when Python 3 is found.
#
# qvkdc_report_schema_test(NAME SCHEMA EXIT [FRESH dir...] [TOUCH file...]
#                          ARGS arg...)
# runs `qvkdc ARGS` and expects exit code EXIT; in FRESH, TOUCH and ARGS,
# @WORK@ stands for the test's work folder and @REPORT@ for the report file
# (@WORK@/report.json), and FRESH folders are emptied and TOUCH files made
# before the run.
function(qvkdc_report_schema_test NAME SCHEMA EXIT)
  cmake_parse_arguments(PARSE_ARGV 3 RS "" "" "FRESH;TOUCH;ARGS")
  set(work ${CMAKE_CURRENT_BINARY_DIR}/report-schemas/${NAME})
  set(options --fresh ${work})
  foreach(dir IN LISTS RS_FRESH)
    list(APPEND options --fresh ${dir})
  endforeach()
  foreach(file IN LISTS RS_TOUCH)
    list(APPEND options --touch ${file})
  endforeach()
  list(TRANSFORM options REPLACE "@WORK@" "${work}")
  list(TRANSFORM RS_ARGS REPLACE "@WORK@" "${work}")
  list(TRANSFORM RS_ARGS REPLACE "@REPORT@" "${work}/report.json")
  add_test(NAME ReportSchema.${NAME}
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/tools/validate_report.py
            ${PROJECT_SOURCE_DIR}/docs/schema/${SCHEMA} ${work}/report.json
            ${options} --expect-exit ${EXIT} -- $<TARGET_FILE:qvkdc> ${RS_ARGS})
  set_tests_properties(ReportSchema.${NAME} PROPERTIES SKIP_RETURN_CODE 77)
endfunction()

set(_shop ${PROJECT_SOURCE_DIR}/examples/shop)
set(_export export --model ${_shop}/model.json --report @REPORT@ --quiet)
# Every outcome of an export: finished (written, rejected, no processes, no
# rows), failed (no tables under the root), declined to overwrite, refused.
qvkdc_report_schema_test(ExportFinished export-report.schema.json 0 FRESH @WORK@/out
  ARGS ${_export} --root ${_shop} --out @WORK@/out --overwrite)
qvkdc_report_schema_test(ExportFailed export-report.schema.json 1 FRESH @WORK@/out
  ARGS ${_export} --root @WORK@ --out @WORK@/out)
qvkdc_report_schema_test(ExportDeclined export-report.schema.json 3 TOUCH @WORK@/out/SHOP.csv
  ARGS ${_export} --root ${_shop} --out @WORK@/out --name SHOP --plans 0)
qvkdc_report_schema_test(ExportOutIsAFile export-report.schema.json 2
  ARGS ${_export} --root ${_shop} --out ${_shop}/model.json)
qvkdc_report_schema_test(ExportModelUnreadable export-report.schema.json 2
  ARGS export --model @WORK@/missing.json --report @REPORT@ --out @WORK@)

# The check's report: a clean check with its column table and choices, and
# one that stops at the tables.
set(_check check --model ${_shop}/model.json --format json --report @REPORT@)
qvkdc_report_schema_test(CheckShop check-report.schema.json 1 ARGS ${_check} --root ${_shop})
qvkdc_report_schema_test(CheckNoTables check-report.schema.json 1 FRESH @WORK@/MIRVANE/CAM/KR/Tables
  ARGS ${_check} --root @WORK@)

# The diff's report: the demo shop against itself, against the worked
# example's tables (every kind of change), with a side whose export fails,
# and against an empty output folder (every file added).
set(_diff diff --model ${_shop}/model.json --format json --report @REPORT@)
qvkdc_report_schema_test(DiffSame diff-report.schema.json 0 ARGS ${_diff} --root ${_shop} --base ${_shop})
qvkdc_report_schema_test(DiffTables diff-report.schema.json 1
  ARGS ${_diff} --root ${PROJECT_SOURCE_DIR}/tests/docs/example --base ${_shop})
qvkdc_report_schema_test(DiffFailingSide diff-report.schema.json 1 FRESH @WORK@/MIRVANE/CAM/KR/Tables
  ARGS ${_diff} --root @WORK@ --base ${_shop})
qvkdc_report_schema_test(DiffFolder diff-report.schema.json 1 FRESH @WORK@/out
  ARGS ${_diff} --root ${_shop} --out @WORK@/out --name SHOP)
