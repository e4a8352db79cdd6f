// ReplacingFile: writes a file that takes the place of its target whole, or
// not at all.
//
// Open looks at the target first, as a writer must: a folder, a file that
// cannot be written or one another writer holds fails there, before
// anything is written. An existing target is then held until the end, so
// that no other writer opens it meanwhile (an exclusive flock on POSIX, no
// sharing on Windows); a target that did not exist is not replaced should
// another writer make it meanwhile: the commit fails. The bytes go to a new
// temporary file in the target's folder, named after the target
// (TemporaryName), which the writer holds locked until its end, so that a
// second writer of the target fails at Open even when the target is new;
// Commit moves it over the target once it is complete and on disk, so that a
// process stopped at any moment leaves the earlier file or the new one,
// whole, and at most a temporary file. Every failure, and an object that
// goes without Commit, removes the temporary file and leaves the target as
// it was. Open first removes, in the target's folder, the temporary files
// that writers stopped before their end left (RemoveLeftovers): a writer
// holds its temporary file locked (POSIX flock; on Windows it is open and
// shared with nobody), so a live writer's file is never touched.
//
// A target that is a symbolic link is followed: the file it leads to is
// replaced, in that file's folder, and the link stays (on Windows, a link
// that leads nowhere is replaced by the file). A target that exists and is
// no regular file (a pipe, a device) is written directly. The new file gets
// the mode (POSIX) or the attributes (Windows) of the file it replaces; a
// new target gets what a newly created file gets.
//
// One implementation per platform (ReplacingFilePosix.cpp,
// ReplacingFileWindows.cpp), chosen by the build; bytes are written as they
// are given. Each step returns a Status with the system's reason.
#ifndef QVKDC_EXAMINE_REPLACINGFILE_H
#define QVKDC_EXAMINE_REPLACINGFILE_H

#include <cstdint>
#include <string>
#include <string_view>

#include "Status.h"

class ReplacingFile {
 public:
    ReplacingFile() = default;
    // Abandons the file unless it was committed.
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Opens target (a path as the platform's file calls take it) to be
    // replaced, and creates the temporary file. Returns ok, or the system's
    // reason, having written and left nothing. REQUIRES: not open.
    Status Open(const std::string& target);
    bool IsOpen() const { return open_; }
    // Appends bytes. Returns ok, or the reason; after a failure every Write
    // and the Commit fail with the first reason.
    Status Write(std::string_view bytes);
    // Completes the file on disk, closes it and moves it over the target,
    // then lets the target go. Returns ok, or the reason: then the
    // temporary file is gone and the target is as it was. Either way the
    // object is no longer open.
    Status Commit();
    // Removes the temporary file and lets the target go, as it was. Does
    // nothing when not open.
    void Abandon();

    // A name for a temporary file: "~qvkdc-", six characters of [0-9a-z]
    // made from seed, and ".tmp" (17 bytes, whatever the target's name).
    static std::string TemporaryName(std::uint64_t seed);
    // Whether name (the last part of a path) is one TemporaryName gives.
    static bool IsTemporaryName(std::string_view name);

    // Why Open fails when another writer is writing the target.
    static constexpr const char* kAnotherWriter = "another program is writing the file";
    // Why Commit fails when another writer made the target, which did not
    // exist at Open, meanwhile.
    static constexpr const char* kMadeMeanwhile = "another program made the file while it was being written";

    // A temporary file not written to for this long, that no writer holds,
    // is a leftover. The wait covers the moments a live writer's file is
    // not locked: between its creation and its lock, and between its close
    // and its move over the target.
    static constexpr int kLeftoverSeconds = 10;
    // Removes the leftover temporary files (TemporaryName) in folder: ""
    // for the working directory, else a path ending in its separator.
    // Returns how many were removed. Open does it for the target's folder
    // at most once a minute a folder in one process.
    static int RemoveLeftovers(const std::string& folder);

 private:
    // Keeps status as the first failure, unless there was one; returns the
    // first failure.
    Status Fail(Status status);
    // The seed of the temporary file of the target named name (the last
    // part of its path) in its folder: every writer of one target uses one
    // name, however it spells the folder.
    static std::uint64_t SeedOf(std::string_view name);
    // Removes folder's leftovers unless this process did in the last
    // minute.
    static void RemoveLeftoversOnce(const std::string& folder);

    bool open_ = false;
    bool direct_ = false;              // the target itself is written: no regular file
    std::intptr_t held_ = -1;          // the existing target, held open; -1: none
    std::intptr_t out_ = -1;           // where the bytes go; -1: none
    std::string target_;               // the file replaced, links followed
    std::string temporary_;            // the temporary file's path
    Status error_;                     // the first failure; ok: none
};

#endif  // QVKDC_EXAMINE_REPLACINGFILE_H
