/*
 * Control interface of the stand-in host.
 *
 * The stand-in host implements the host libraries' calls (trace facility,
 * message manager, model database, table reader, parameter and tool
 * services) over a model file, the way the CAM application's own libraries
 * answer them. The command-line host and the tests drive it through these
 * calls: load a model, switch tracing, read back the trace and the message
 * list, count the host memory still held, and make host calls fail on
 * purpose.
 *
 * All state is process-wide. Texts returned stay valid until the next call
 * that changes the state they come from.
 *
 * No exception leaves a call of this host, neither these calls nor the host
 * calls the library makes: a call that runs out of memory fails the way it
 * reports failure (a load of a model answers "NAME: cannot be loaded: out
 * of memory"; a trace line is dropped; ReadTable answers -1).
 */
#ifndef QVHOSTSIM_QVHOSTSIM_H
#define QVHOSTSIM_QVHOSTSIM_H

#include <stddef.h>

#include "qvkdc/qvkdc.h"

/* Linkage of the stand-in host's calls, as the library's host declarations
 * have it; spelled here in C89 terms, so that C programs can include this
 * header alone. */
#ifndef QVHOST_API
#  if defined(_WIN32)
#    if defined(QVHOST_BUILDING)
#      define QVHOST_API __declspec(dllexport)
#    else
#      define QVHOST_API __declspec(dllimport)
#    endif
#  else
#    define QVHOST_API __attribute__((visibility("default")))
#  endif
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Back to the start state: no model, default messages, model files read in
 * blocks of 1 MiB, tracing off with every level 0, no open frame, stack
 * level 0, empty trace and message list, no trace file (nor its failure),
 * no faults, call counts and bad frees 0, no host errors, tables read from
 * the file system. Host
 * blocks still held stay counted (and can still be given back). */
QVHOST_API void QvsimReset(void);

/* ---- model ----
 *
 * Model file (JSON):
 *   { "encoding": CODEPAGE,                                  optional, first
 *     "plans": [PLAN, ...],                                  required
 *     "toolTexts": {"TOOLNAME": TEXT | {"status": N}, ...},  optional
 *     "messages": {"NUMBER": TEXT, ...} }                    optional
 *   PLAN = { "id": [objid, aplsec, insid, entid],            required
 *     "name": TEXT,                                          optional, ""
 *     "machine": {"names": [TEXT, TEXT]},                    optional
 *     "processes": [PROCESS, ...] | null,                    optional
 *     "faults": [CALL, ...] }                                optional
 *   PROCESS = { "id": [4 ints], "type": INT,                 required
 *     "name": TEXT,                                          optional, ""
 *     "tool": {"type": INT, "state": INT, "name": TEXT} | null,  optional
 *     "candidateTools": [TEXT, ...],                         at most 5
 *     "params": {"KEY": VALUE, ...},                         optional
 *     "faults": [CALL, ...] }                                optional
 *   VALUE = integer (int) | number with a fraction or exponent (double) |
 *           TEXT | null (status 0, no value) | {"status": N} (no value)
 *
 * How the host calls answer from it:
 * - QdgmRetLstRO: the plan's processes in file order, in a list of its own
 *   for each call (also for no process: count 0 and a list that must still
 *   be given back). Negative for an unknown plan and for a plan whose
 *   "processes" is absent or null.
 * - QdgmRetIdnamLN: the name of a plan or process, cut to 127 bytes.
 * - QdgmRetLstRM: the plan whose "processes" hold the process; for an
 *   unknown process the result is 0 with *capacity set to 0.
 * - QdgmGetPrcs: a record with the process's type and, when "tool" is given,
 *   a tool record (its name holds at most 63 bytes, or the file is refused).
 * - QvlbpPrcInqPrm: the parameter of the process whose record *datSP is
 *   (only records handed out and not yet given back are known; anything else
 *   gives status -1). A key not listed gives status 0 and leaves *value as
 *   it was, as do null and {"status": N} (status N). A value stays valid
 *   until the next model load or reset; each lies in zero-padded, 8-aligned
 *   storage of at least 8 bytes, texts NUL-terminated.
 * - QvptfInqLnN: the text listed under the tool name, cut to 127 bytes;
 *   {"status": N} gives status N and leaves the text as it was; a name not
 *   listed gives an empty text and status 0.
 * - QvlbuGetMaId: st 0 when the plan has "machine", else st 1;
 *   QvlbuMagMcaLNF then gives the two names, each cut to 255 bytes.
 * - QvlbuGetCanTool: the candidate tools first to fifth, each cut to 31
 *   bytes; missing ones are empty.
 * - "faults" makes the named calls fail for that plan ("QdgmRetLstRO",
 *   "QdgmRetIdnamLN") or process ("QdgmInqNctyp", "QdgmGetPrcs",
 *   "QdgmRetIdnamLN", "QdgmRetLstRM", "QvlbpPrcInqPrm") every time.
 * - "messages" lays texts over the default message texts of group 577685.
 * Ids are unique over all plans and processes. Texts are passed byte for
 * byte as the file holds them after JSON unescaping (UTF-8), or, when the
 * file names an "encoding" (a code page a host's 8-bit texts can be in: an
 * ANSI or OEM code page of Windows, "windows-1252", "1251", "shift_jis",
 * "cp850", ..., or UTF-8, "utf-8" or "65001"; it must be the first member),
 * in that code page: a name 表 in a file of "shift_jis" is the bytes 0x95
 * 0x5C. A text with a character the code page has not, and any other
 * "encoding" (UTF-16, UTF-32, UCS-2, "", an unknown name), refuse the
 * file. Unknown
 * fields, wrong types, duplicate ids, more than 5 candidate tools, an
 * unknown call in "faults", a member given twice in one object, a
 * parameter key, tool name or message number given twice, and a number too
 * large for a double (1e999, wherever it stands) refuse the whole file; the
 * reason names the first fault in file order. */

/* Loads a model file (JSON) and replaces the current model. Returns 0, or -1
 * with a one-line reason naming the file and the place in err (errSize
 * bytes, NUL-terminated), e.g. "model.json: plans[0].id: expected four
 * ints", "model.json: not JSON: <parser message>", "model.json: line 1,
 * column 19: number overflow parsing '1e999'", "model.json: cannot be
 * read: No such file or directory" (the system's reason, or what is there
 * instead of a file: "is a folder", "is a link to nothing", ...; the open
 * never waits, not for a pipe either); the current model is then left as
 * it was. A control character of the file's texts or name is written as an
 * escape ("\n", "\x01"). */
QVHOST_API int QvsimLoadModelFile(const char* path, char* err, int errSize);
/* The same for a model given as text; `name` stands for the file in err. */
QVHOST_API int QvsimLoadModelText(const char* json, const char* name,
                                  char* err, int errSize);
/* QvsimLoadModelFile reads the file in blocks of `bytes` bytes (0: 1 MiB,
 * the default, also after QvsimReset); a file loads the same whatever the
 * size, which tests check by moving the block ends around. */
QVHOST_API void QvsimModelReadBlock(size_t bytes);
/* The code page the model's texts are in, as the file's "encoding" names
 * it; "" when it names none (the texts are UTF-8). */
QVHOST_API const char* QvsimModelEncoding(void);
/* Number of plans of the model, and the id of plan i (0-based, file order).
 * QvsimPlanId returns 0, or -1 when i is out of range. */
QVHOST_API int QvsimPlanCount(void);
QVHOST_API int QvsimPlanId(int i, ModelId* id);
/* What the model holds as parameter `key` of a process, for checks of a
 * model against the column types (the host calls hand out only a pointer):
 * 1 an integer, 2 a number with a fraction or exponent, 3 a text, 0 no
 * value (the key is not listed, or its value is null or {"status": N}),
 * -1 no such process. */
QVHOST_API int QvsimParamKind(const ModelId* process, int key);
/* The line of the model file (or text), from 1, counted by line feeds, on
 * which the object of the plan or process of that id begins (its "{"), so
 * that a host can point at it; 0 for an id that is no plan or process of
 * the model, or null. */
QVHOST_API int QvsimModelLine(const ModelId* id);

/* ---- table files ----
 *
 * The table reader (CQvlbwTableA) reads a file whole, then parses it: one
 * row per line (LF, CR LF or a lone CR ends a line, empty lines are
 * skipped), cells separated by tabs, a cell in double quotes may hold tabs
 * and line breaks ("" is one quote), a UTF-8 byte-order mark at the start
 * is skipped. A file that starts with a UTF-16 byte-order mark is refused
 * (ReadTable answers -1); while ZrlMainSw is 1 the trace gets the line
 * "ReadTable: PATH is UTF-16 text; save it as 8-bit text".
 *
 * ReadTable gets the bytes of its file from the table source. The default
 * source is the file system, where only a regular file can be read: a
 * folder, a pipe or a device cannot, and the open never waits for a
 * writer. A source set here answers instead: called with the path as
 * ReadTable got it, it returns 0 with the file's bytes in *data and *size
 * (valid until ReadTable returns), or anything else when the file cannot be
 * read; it must not throw. A null source is the file system again. */
typedef int (*QvsimTableSource)(void* context, const char* path,
                                const char** data, size_t* size);
QVHOST_API void QvsimSetTableSource(QvsimTableSource source, void* context);

/* ---- trace facility ----
 *
 * One line per trace call:
 *   ZrlInt      ">> NAME [ID]"
 *   ZrlTrceMk   "<< NAME [ID]"
 *   ZrlVal      "LABEL = VALUE", VALUE printed with the call's format
 *   ZrlChr      the text as given; a text with line feeds keeps them, and a
 *               line feed ends it unless it ends with one already
 *   ZrlSnp      "LABEL = V1 V2 ...", each value printed with the call's
 *               integer format ("%x": 4 ints 1 2 3 -1 give "1 2 3 ffffffff")
 * Every line starts with 2 * (stack level - 1) blanks (none at level 0 or
 * 1); a multi-line ZrlChr text is indented at its start only. The facility
 * writes every line it is asked for; the switches are for the library to
 * read. */

/* Sets ZrlMainSw and every level of ZrlProgSw to `level` (0 or 1 in use). */
QVHOST_API void QvsimTraceAll(int mainSw, int level);
/* Sets the level of one trace id. */
QVHOST_API void QvsimTraceId(int id, int level);
/* Also appends every trace line to the file at path (null: stop), flushed
 * line by line. The file is created anew and written in binary ("\n" line
 * ends). Returns 0, or -1 when it cannot be opened. */
QVHOST_API int QvsimTraceFile(const char* path);
/* Writes every trace line to the file at path instead, for long traces: the
 * lines go out in large writes (when 1 MiB has gathered, and when the file
 * is closed by either call or by a reset) and, but for the notes (the lines
 * that begin with "[ERR]" or "[INF]"), are not kept for QvsimTraceText, so
 * memory does not grow with the trace. Null closes it. The same file format
 * and results as QvsimTraceFile. */
QVHOST_API int QvsimTraceFileBuffered(const char* path);
/* The system's reason ("No such file or directory", "No space left on
 * device", "File too large") why the trace file could not be opened, or
 * for the first write, flush or close of it that failed, since the file
 * was set; "" while none failed. It stays after the file is
 * closed (QvsimTraceFile(NULL)), until a new trace file is set or a reset.
 * From the first failure on, no more lines go to the file, which so holds
 * at most what came before; the lines kept in memory are not affected. */
QVHOST_API const char* QvsimTraceFileError(void);
/* Whole trace written since the last reset or QvsimTraceClear. */
QVHOST_API const char* QvsimTraceText(void);
QVHOST_API void QvsimTraceClear(void);

/* ---- message manager ---- */

/* Message texts: group 577685 only; 1 "Machine", 2 "Controller",
 * 3 "Message", 4 and 9999 a sentence each, unless the model file's
 * "messages" says otherwise. ZrlErrGet copies the text, cut to 255 bytes,
 * and leaves the buffer as it was for an unknown group or number.
 * QvmsgMgrInit starts a new list without a title. */

/* Title line given to QvmsgSetClmTtl since the last QvmsgMgrInit, or null
 * when none was set. */
QVHOST_API const char* QvsimMsgTitle(void);
/* Number of message lines, and line i (null when out of range). */
QVHOST_API int QvsimMsgCount(void);
QVHOST_API const char* QvsimMsgAt(int i);
/* Kind passed with line i; -1 when out of range or passed as null. */
QVHOST_API int QvsimMsgKindAt(int i);
/* Number of QvmsgMgrInit calls since reset. */
QVHOST_API int QvsimMsgInitCount(void);

/* ---- host memory ---- */

/* Number of process id lists and process records handed out and not yet
 * given back. */
QVHOST_API int QvsimHeldBlocks(void);
/* Number of QmemFreId / QmemFrePrcs calls since reset with a pointer that
 * was not handed out by that kind of call or was given back before; such a
 * call frees nothing. A null pointer is ignored and not counted. */
QVHOST_API int QvsimBadFrees(void);
/* Host calls since reset with an argument that the host's own libraries do
 * not accept, one line each, or "" when there was none. The calls checked:
 * ZrlTrceMk, whose first argument must be 1 ("ZrlTrceMk: kind 0, expected
 * 1, at << NAME [ID]"). */
QVHOST_API const char* QvsimHostErrors(void);

/* ---- fault injection ---- */

/* Makes the nth call (1-based, counted from now) of the named host call fail
 * once, the way that call reports failure: a negative result, or status -1
 * for QvlbpPrcInqPrm and QvptfInqLnN, with the outputs left untouched. The
 * calls that can fail: "QdgmRetLstRO", "QdgmInqNctyp", "QdgmGetPrcs",
 * "QdgmRetIdnamLN", "QdgmRetLstRM", "QvlbpPrcInqPrm", "QvptfInqLnN",
 * "ReadTable". n = 0 clears it. Returns 0, or -1 for another name or a
 * negative n. */
QVHOST_API int QvsimFailCall(const char* call, int nth);
/* Number of calls of the named host call since reset: the calls above, and
 * "QmemFreId", "QmemFrePrcs", "QvlbuGetMaId", "QvlbuMagMcaLNF",
 * "QvlbuGetCanTool", "ZrlErrGet", "QvmsgMgrInit", "QvmsgSetClmTtl",
 * "QvmsgAddMsg", "FindRow", "MoveFirst", "GetNextRow"; 0 for other names. */
QVHOST_API int QvsimCallCount(const char* call);

#ifdef __cplusplus
}
#endif

#endif /* QVHOSTSIM_QVHOSTSIM_H */
