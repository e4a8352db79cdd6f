// TestDrive: the root of a drive that this test process has to itself while
// the object lives, for paths that Windows resolves against the root of the
// current drive ("\MIRVANE\...").
//
// The drives are those of QVKDC_TEST_DRIVES (letters), mapped to empty test
// folders outside the test program: the Wine prefix of the cross build maps
// them (cmake/Wine.cmake); on Windows itself, map them with subst. Tests
// run in parallel processes: a process holds its drive by a lock file at the
// root, open with no sharing, and waits while every drive is held.
// Everything else at the root is removed when the drive is taken and when it
// is given back.
#ifndef QVKDC_TESTS_WINDOWS_TESTDRIVE_H
#define QVKDC_TESTS_WINDOWS_TESTDRIVE_H

#include <string>

class TestDrive {
 public:
    TestDrive();
    ~TestDrive();
    TestDrive(const TestDrive&) = delete;
    TestDrive& operator=(const TestDrive&) = delete;

    // The root, such as "K:\", or empty when no drive could be had (none is
    // mapped, or all stayed held for a minute).
    const std::string& Root() const { return root_; }

 private:
    void ClearRoot() const;

    void* lock_ = nullptr;
    std::string root_;
};

#endif  // QVKDC_TESTS_WINDOWS_TESTDRIVE_H
