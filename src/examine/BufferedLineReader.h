// BufferedLineReader: the line splitting that every LineReader shares.
//
// A subclass hands out the file's bytes block by block (NextBlock); this
// class cuts them into lines. A line ends at LF; a CR right before the LF
// belongs to the line end; a last line without LF still counts. Lines are
// cut by length, never by terminator, so a NUL byte is an ordinary byte of
// its line and the line end after it is found all the same.
#ifndef QVKDC_EXAMINE_BUFFEREDLINEREADER_H
#define QVKDC_EXAMINE_BUFFEREDLINEREADER_H

#include <string>
#include <string_view>

#include "FileSystem.h"

class BufferedLineReader : public LineReader {
 public:
    int ReadLine(std::string* line) final;
    const Status& ReadError() const final { return error_; }

 protected:
    // The next block of bytes into *block, which stays valid until the next
    // call. Returns 1 (a block of at least one byte), 0 at the end of the
    // file, -1 on a read error, with its reason in *error.
    virtual int NextBlock(std::string_view* block, Status* error) = 0;

 private:
    std::string_view block_;  // the bytes of the current block not yet read
    Status error_;            // why the last block could not be read
    bool end_ = false;
};

#endif  // QVKDC_EXAMINE_BUFFEREDLINEREADER_H
