// A record that cannot be saved: one line on standard error naming the cause,
// the console exactly as after a successful save, exit status 0, and nothing
// that was there before is lost.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "support/expected_data.hpp"
#include "support/named_case.hpp"
#include "support/run_binary.hpp"
#include "support/strace_launcher.hpp"
#include "support/text.hpp"

namespace parabeam::testing {
namespace {
namespace fs = std::filesystem;

struct FailedSave : NamedCase {
    // Sets the directory up; returns a reason to skip, or "" to go on.
    std::function<std::string(const fs::path& dir)> prepare;
    std::string reason; // the cause the message must name
    // Checks that what was there before is still there, unchanged.
    std::function<void(const fs::path& dir)> expectUnchanged;
    std::optional<std::uint64_t> fileSizeLimit{};
    bool lockedMeanwhile = false; // the test holds the file's lock during the run
    bool locksRefused = false;    // the file system takes no locks (ENOLCK)
};

std::string makeReadOnly(const fs::path& dir) {
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                             fs::perms::group_exec | fs::perms::others_read |
                             fs::perms::others_exec);
    // Privileged users write into read-only directories anyway: find out.
    const fs::path probe = dir / "probe";
    const int file = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (file < 0) return "";
    ::close(file);
    ::unlink(probe.c_str());
    return "this user can write into a read-only directory";
}

std::string symlinkTo(const fs::path& dir, const fs::path& target) {
    fs::create_symlink(target, dir / "data-values.dat");
    return "";
}

void expectSymlinkTo(const fs::path& dir, const fs::path& target) {
    const fs::path link = dir / "data-values.dat";
    ASSERT_TRUE(fs::is_symlink(fs::symlink_status(link)));
    EXPECT_EQ(fs::read_symlink(link), target);
}

// Above the console output, which is a file limited in the same way.
constexpr std::uint64_t kSizeLimit = 8192;

// Records of earlier runs, `size` bytes in all.
std::string earlierRecords(std::size_t size) {
    return std::string(size - 1, 'r') + "\n";
}

auto existingRecords(std::size_t size) {
    return [size](const fs::path& dir) {
        writeFile(dir / "data-values.dat", earlierRecords(size));
        return std::string();
    };
}

auto onlyEarlierRecords(std::size_t size) {
    return [size](const fs::path& dir) {
        const std::string kept = readFile(dir / "data-values.dat");
        EXPECT_TRUE(kept == earlierRecords(size))
            << kept.size() << " bytes, ending "
            << kept.substr(kept.size() - std::min<std::size_t>(kept.size(), 16));
    };
}

const FailedSave kFailures[] = {
    {{"ReadOnlyDirectory"},
     makeReadOnly,
     std::strerror(EACCES),
     [](const fs::path& dir) { EXPECT_TRUE(fs::is_empty(dir)); }},
    {{"DirectoryOfThatName"},
     [](const fs::path& dir) {
         fs::create_directory(dir / "data-values.dat");
         writeFile(dir / "data-values.dat" / "kept.txt", "kept\n");
         return std::string();
     },
     std::strerror(EISDIR),
     [](const fs::path& dir) {
         ASSERT_TRUE(fs::is_directory(dir / "data-values.dat"));
         EXPECT_EQ(readFile(dir / "data-values.dat" / "kept.txt"), "kept\n");
         EXPECT_EQ(std::distance(fs::directory_iterator(dir / "data-values.dat"),
                                 fs::directory_iterator()),
                   1);
     }},
    {{"LinkToFullDevice"},
     [](const fs::path& dir) {
         if (!fs::exists("/dev/full")) return std::string("no /dev/full here");
         return symlinkTo(dir, "/dev/full");
     },
     std::strerror(ENOSPC),
     [](const fs::path& dir) { expectSymlinkTo(dir, "/dev/full"); }},
    {{"LinkIntoMissingDirectory"},
     [](const fs::path& dir) { return symlinkTo(dir, "missing/record.dat"); },
     std::strerror(ENOENT),
     [](const fs::path& dir) {
         expectSymlinkTo(dir, "missing/record.dat");
         EXPECT_FALSE(fs::exists(dir / "missing"));
     }},
    {{"LinkToItself"},
     [](const fs::path& dir) { return symlinkTo(dir, "data-values.dat"); },
     std::strerror(ELOOP),
     [](const fs::path& dir) { expectSymlinkTo(dir, "data-values.dat"); }},
    // Nobody reads the FIFO: opening it for writing must not wait for a reader.
    {{"FifoOfThatName"},
     [](const fs::path& dir) {
         if (::mkfifo((dir / "data-values.dat").c_str(), 0600) != 0)
             return std::string("no FIFO here");
         return std::string();
     },
     std::strerror(ENXIO),
     [](const fs::path& dir) { EXPECT_TRUE(fs::is_fifo(dir / "data-values.dat")); }},
    // The write is refused as a whole; the limit's signal must not end the run.
    {{"FileAtTheSizeLimit"},
     existingRecords(kSizeLimit),
     std::strerror(EFBIG),
     onlyEarlierRecords(kSizeLimit),
     kSizeLimit},
    // Room for six bytes, as on a nearly full disk: they are taken back, or the
    // next run's record would follow a torn one.
    {{"SixBytesBelowTheSizeLimit"},
     existingRecords(kSizeLimit - 6),
     std::strerror(EFBIG),
     onlyEarlierRecords(kSizeLimit - 6),
     kSizeLimit},
    // Without locks nothing is ever cut back, since the bytes past the
    // record's start might be another program's: a record that would pass the
    // limit must not be begun. Room for 500 of its bytes.
    {{"SizeLimitWithoutLocks"},
     existingRecords(kSizeLimit - 500),
     std::strerror(EFBIG),
     onlyEarlierRecords(kSizeLimit - 500),
     kSizeLimit,
     false,
     true},
    // Another program holds the file's lock for the whole run: the save waits
    // a few seconds, then gives up without writing.
    {{"FileLockedByAnotherProgram"},
     existingRecords(2100),
     "the file is busy (another program kept it locked for 5 seconds)",
     onlyEarlierRecords(2100),
     {},
     true},
};

// A POSIX lock on the whole file, held by this process until it goes.
class HeldLock {
  public:
    explicit HeldLock(const fs::path& file) : file_(::open(file.c_str(), O_RDWR | O_CLOEXEC)) {
        struct flock whole {};
        whole.l_type = F_WRLCK;
        whole.l_whence = SEEK_SET;
        EXPECT_EQ(::fcntl(file_, F_SETLK, &whole), 0) << std::strerror(errno);
    }
    ~HeldLock() { ::close(file_); }
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;

  private:
    int file_;
};

// The run under strace, every lock asked for on the record file refused as
// where the file system has none: the file's first two fcntl() calls make it
// blocking, the third is the lock.
std::vector<std::string> refusingLocks(const fs::path& dir) {
    const fs::path file = fs::canonical(dir) / "data-values.dat"; // as strace resolves it
    return straceLauncher(
        {"-o", "/dev/null", "-P", file.string(), "-e", "inject=fcntl:error=ENOLCK:when=3+"});
}

class FailedSaves : public ::testing::TestWithParam<FailedSave> {};

TEST_P(FailedSaves, OneMessageSameConsoleExitZeroNothingLost) {
    TempDir dir;
    const std::string skip = GetParam().prepare(dir.path());
    if (!skip.empty()) GTEST_SKIP() << skip;

    std::optional<HeldLock> lock;
    if (GetParam().lockedMeanwhile) lock.emplace(dir.path() / "data-values.dat");
    std::vector<std::string> launcher;
    if (GetParam().locksRefused) {
        if (!straceCanInject()) GTEST_SKIP() << "strace cannot make calls fail here";
        launcher = refusingLocks(dir.path());
    }
    const RunResult run = runBinary({.input = kWorkedExampleAnswers,
                                     .workingDirectory = dir.path(),
                                     .fileSizeLimit = GetParam().fileSizeLimit,
                                     .launcher = launcher});
    ASSERT_TRUE(run.exited) << "signal " << run.signal;
    EXPECT_EQ(run.exitStatus, 0);
    const std::string transcript = expectedData("worked_example_transcript.txt");
    EXPECT_TRUE(run.out == transcript) << firstDifference(transcript, run.out);
    EXPECT_EQ(run.err, "parabeam: could not save the record to data-values.dat: " +
                           GetParam().reason + "\n");
    GetParam().expectUnchanged(dir.path());
}

INSTANTIATE_TEST_SUITE_P(Causes, FailedSaves, ::testing::ValuesIn(kFailures),
                         [](const auto& info) { return std::string(info.param.name); });

// The limit is the largest size the file may have: a record that ends on it
// exactly is saved, with the lock or without.
class RecordEndingAtTheSizeLimit : public ::testing::TestWithParam<bool> {};

TEST_P(RecordEndingAtTheSizeLimit, IsSaved) {
    TempDir dir;
    const std::string record = expectedData("worked_example_record.txt");
    existingRecords(kSizeLimit - record.size())(dir.path());
    std::vector<std::string> launcher;
    if (GetParam()) {
        if (!straceCanInject()) GTEST_SKIP() << "strace cannot make calls fail here";
        launcher = refusingLocks(dir.path());
    }
    const RunResult run = runBinary({.input = kWorkedExampleAnswers,
                                     .workingDirectory = dir.path(),
                                     .fileSizeLimit = kSizeLimit,
                                     .launcher = launcher});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.err, "");
    const std::string saved = readFile(dir.path() / "data-values.dat");
    EXPECT_TRUE(saved == earlierRecords(kSizeLimit - record.size()) + record)
        << saved.size() << " bytes";
}

INSTANTIATE_TEST_SUITE_P(Locks, RecordEndingAtTheSizeLimit, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Refused" : "Taken"; });

} // namespace
} // namespace parabeam::testing
