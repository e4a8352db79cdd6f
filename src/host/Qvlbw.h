// Qvlbw, the host's table reader and its row buffer.
//
// A CQvlbwTableA holds the rows of one tab-separated table file and a row
// cursor. The library constructs and destroys readers and row buffers through
// the host's exported constructors and destructors; every other operation of
// the reader is virtual and called through the host's table of operations in
// the slot order below.
#ifndef QVKDC_HOST_QVLBW_H
#define QVKDC_HOST_QVLBW_H

#include "QvHostApi.h"

class CQvlbwTableImpl;

// Ordered array of 8-bit strings; index 0 is column 1 of a row.
class QVHOST_API CQvlbwStringArray {
 public:
    CQvlbwStringArray();
    ~CQvlbwStringArray();
    CQvlbwStringArray(const CQvlbwStringArray&) = delete;
    CQvlbwStringArray& operator=(const CQvlbwStringArray&) = delete;

    // Number of strings.
    int GetSize() const;
    // REQUIRES: 0 <= index < GetSize(). The text stays valid until the array
    // is next filled or destroyed.
    const char* GetAt(int index) const;
    // Used by the host to fill the array.
    void RemoveAll();
    void Add(const char* text, int length);

 private:
    struct Impl;
    Impl* impl_;
};

class QVHOST_API CQvlbwTableA {
 public:
    // A reader whose file was never read: it holds no data.
    CQvlbwTableA();
    CQvlbwTableA(const CQvlbwTableA&) = delete;
    CQvlbwTableA& operator=(const CQvlbwTableA&) = delete;

    // Slot 0.
    virtual ~CQvlbwTableA();
    // Slot 1. Reads the file at path (a path of the file system). 0 = the
    // file's rows are held and the cursor stands before the first row;
    // anything else = failure.
    virtual int ReadTable(const char* path);
    // Slots 2 to 4: operations the library does not call.
    virtual int GetRowCount();
    virtual int GetColCount();
    virtual int IsRead();
    // Slot 5. The first row in file order whose cell in keyCol (1-based)
    // equals key, into row. 1 = found; 0 = no such row; -2 = the file was
    // never read. The cursor does not move.
    virtual int FindRow(int keyCol, const char* key, CQvlbwStringArray* row);
    // Slot 6. Puts the cursor before the first row.
    virtual void MoveFirst();
    // Slot 7. Non-zero = the next row in file order is in row and the cursor
    // stands on it; 0 = no further row (always 0 when no data is held).
    virtual int GetNextRow(CQvlbwStringArray* row);

    // Not a slot, and not called by the library: an addition of the
    // stand-in host for the command-line host's table check. Line of the
    // file (1-based) on which the row that GetNextRow delivered last
    // starts; 0 before the first row, after the last and without data.
    int GetCurRowLine() const;
    // The same for the row that FindRow found last; 0 when it found none.
    int GetFoundRowLine() const;

 private:
    CQvlbwTableImpl* impl_;
};

#endif  // QVKDC_HOST_QVLBW_H
