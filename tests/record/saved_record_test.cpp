// Saving the record to data-values.dat, by whole runs of the program: records
// appended run after run, saves that fail, and saves side by side.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <future>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "support/expected_data.hpp"
#include "support/in_memory_run.hpp"
#include "support/named_case.hpp"
#include "support/run_binary.hpp"
#include "support/strace_launcher.hpp"
#include "support/text.hpp"

namespace parabeam::testing {
namespace {

// Whole runs and the file data-values.dat they append to.
namespace whole_runs {

namespace fs = std::filesystem;

const char* const kCaseB = kExampleRuns[1].answers;

std::vector<std::string> directoryEntries(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    return names;
}

RunResult runIn(const fs::path& dir, const char* answers) {
    RunResult run = runBinary({.input = answers, .workingDirectory = dir});
    EXPECT_TRUE(run.exited);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.err, "");
    return run;
}

void expectFile(const fs::path& file, const std::string& expected) {
    const std::string actual = readFile(file);
    EXPECT_TRUE(actual == expected) << firstDifference(expected, actual);
}

class OneRun : public ::testing::TestWithParam<ExampleRun> {};

// The record's bytes are record_text_test's; here, that the run saves them.
TEST_P(OneRun, CreatesTheFileWithExactlyOneRecord) {
    TempDir dir;
    runIn(dir.path(), GetParam().answers);
    expectFile(dir.path() / "data-values.dat", runInMemory(GetParam().answers).record);
    EXPECT_EQ(directoryEntries(dir.path()), std::vector<std::string>{"data-values.dat"});
}

INSTANTIATE_TEST_SUITE_P(Runs, OneRun, ::testing::ValuesIn(kExampleRuns),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RecordFile, TwoRunsLeaveTwoRecordsFirstRunFirst) {
    TempDir dir;
    runIn(dir.path(), kWorkedExampleAnswers);
    runIn(dir.path(), kCaseB);
    expectFile(dir.path() / "data-values.dat",
               expectedData("worked_example_record.txt") + expectedData("case_b_record.txt"));
}

// Whatever the file held before stays, byte for byte, and the record follows it
// directly, even when the old content does not end with a line feed.
class ExistingContent : public ::testing::TestWithParam<std::string> {};

TEST_P(ExistingContent, IsKeptAndTheRecordAppendedAfterIt) {
    TempDir dir;
    writeFile(dir.path() / "data-values.dat", GetParam());
    runIn(dir.path(), kWorkedExampleAnswers);
    expectFile(dir.path() / "data-values.dat",
               GetParam() + expectedData("worked_example_record.txt"));
}

INSTANTIATE_TEST_SUITE_P(Contents, ExistingContent,
                         ::testing::Values(std::string(""), std::string("notes kept by hand\n"),
                                           std::string("no line feed at the end"),
                                           std::string("\r\n\x00\xff binary\x00", 12),
                                           std::string(70000, 'x') + "\n"));

// Standard output a pipe nobody reads: the program is not ended by the broken
// pipe, still saves its record and exits with 0.
TEST(RecordFile, ClosedStandardOutputStillAppendsTheRecord) {
    TempDir dir;
    const RunResult run = runBinary(
        {.input = kWorkedExampleAnswers, .workingDirectory = dir.path(), .closedStdout = true});
    ASSERT_TRUE(run.exited) << "ended by signal " << run.signal;
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.err, "");
    expectFile(dir.path() / "data-values.dat", expectedData("worked_example_record.txt"));
}

// A run whose input ends early still saves a record (of whatever was read).
TEST(RecordFile, NoInputAtAllStillAppendsOneRecord) {
    TempDir dir;
    const RunResult run = runBinary({.input = std::nullopt, .workingDirectory = dir.path()});
    ASSERT_TRUE(run.exited);
    EXPECT_EQ(run.exitStatus, 0);
    const std::string saved = readFile(dir.path() / "data-values.dat");
    const auto lines = splitLines(saved);
    ASSERT_EQ(lines.size(), 16u);
    EXPECT_EQ(lines[15], std::string(118, '-'));
}

// Unit words of the full 19 bytes are written whole, wherever they stand.
TEST(RecordFile, LongestUnitWordsWrittenWhole) {
    const std::string unit19 = "abcdefghijklmnopqrs";
    TempDir dir;
    runIn(dir.path(), ("3 9 2 4 2 0 5 " + unit19 + " " + unit19 + " " + unit19 + "\n").c_str());
    const std::string saved = readFile(dir.path() / "data-values.dat");
    const auto lines = splitLines(saved);
    ASSERT_EQ(lines.size(), 16u);
    EXPECT_EQ(lines[5],
              " The Total Horizontal Distance Of The Rectangular Beam Only Is = 6 " + unit19);
    EXPECT_EQ(lines[7], " The Entire Weight Of The Triangular Beam Is = 4 " + unit19);
    EXPECT_EQ(lines[14], " Derived Values 2 :: ==> By = 8.66667 " + unit19);
}

} // namespace whole_runs

// A record that cannot be saved: one line on standard error naming the cause,
// the console exactly as after a successful save, exit status 0, and nothing
// that was there before is lost.
namespace failed_saves {

namespace fs = std::filesystem;

struct FailedSave : NamedCase {
    // Sets the directory up; returns a reason to skip, or "" to go on.
    std::function<std::string(const fs::path& dir)> prepare;
    std::string reason; // the cause the message must name
    // Checks that what was there before is still there, unchanged.
    std::function<void(const fs::path& dir)> expectUnchanged;
    std::optional<std::uint64_t> fileSizeLimit{};
    bool lockedMeanwhile = false; // the test holds the file's lock during the run
    // A fault strace injects into the record file's calls ("" for none).
    std::string injected{};
    bool writtenWhole = false; // the record went in whole before the failure
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

// The file's first two fcntl() calls make it blocking, the third is the lock.
constexpr const char* kLocksRefused = "fcntl:error=ENOLCK:when=3+"; // no locks on this file system

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
     kLocksRefused},
    // Another program holds the file's lock for the whole run: the save waits
    // a few seconds, then gives up without writing.
    {{"FileLockedByAnotherProgram"},
     existingRecords(2100),
     "the file is busy (another program kept it locked for 5 seconds)",
     onlyEarlierRecords(2100),
     {},
     true},
    // Signals that interrupt every attempt at the lock: the wait still ends.
    {{"EveryLockAttemptInterrupted"},
     existingRecords(2100),
     "the file is busy (another program kept it locked for 5 seconds)",
     onlyEarlierRecords(2100),
     {},
     false,
     "fcntl:error=EINTR:when=3+"},
    // A network file system's write-back fails at the close: the record is in
    // the file, and the line says so rather than that nothing was saved.
    {{"CloseFailsAfterTheWholeRecord"},
     existingRecords(2100),
     std::strerror(EIO),
     [](const fs::path& dir) {
         const std::string kept = readFile(dir / "data-values.dat");
         EXPECT_TRUE(kept == earlierRecords(2100) + expectedData("worked_example_record.txt"));
     },
     {},
     false,
     "close:error=EIO",
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

// The run under strace, with `fault` injected into the record file's calls.
std::vector<std::string> injecting(const fs::path& dir, const std::string& fault) {
    const fs::path file = fs::canonical(dir) / "data-values.dat"; // as strace resolves it
    return straceLauncher({"-o", "/dev/null", "-P", file.string(), "-e", "inject=" + fault});
}

class FailedSaves : public ::testing::TestWithParam<FailedSave> {};

TEST_P(FailedSaves, OneMessageSameConsoleExitZeroNothingLost) {
    TempDir dir;
    const std::string skip = GetParam().prepare(dir.path());
    if (!skip.empty()) GTEST_SKIP() << skip;

    std::optional<HeldLock> lock;
    if (GetParam().lockedMeanwhile) lock.emplace(dir.path() / "data-values.dat");
    std::vector<std::string> launcher;
    if (!GetParam().injected.empty()) {
        if (!straceCanInject()) GTEST_SKIP() << "strace cannot make calls fail here";
        launcher = injecting(dir.path(), GetParam().injected);
    }
    const RunResult run = runBinary({.input = kWorkedExampleAnswers,
                                     .workingDirectory = dir.path(),
                                     .fileSizeLimit = GetParam().fileSizeLimit,
                                     .launcher = launcher});
    ASSERT_TRUE(run.exited) << "signal " << run.signal;
    EXPECT_EQ(run.exitStatus, 0);
    const std::string transcript = expectedData("worked_example_transcript.txt");
    EXPECT_TRUE(run.out == transcript) << firstDifference(transcript, run.out);
    EXPECT_EQ(run.err, GetParam().writtenWhole
                           ? "parabeam: the record was written to data-values.dat, but closing "
                             "the file failed: " +
                                 GetParam().reason + " (the record may not have reached the disk)\n"
                           : "parabeam: could not save the record to data-values.dat: " +
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
        launcher = injecting(dir.path(), kLocksRefused);
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

} // namespace failed_saves

// Many runs saving together in one directory: every record arrives whole, none
// is lost, nothing else is left behind; a save that fails beside others takes
// back only its own bytes and says so in one whole line.
namespace side_by_side {

namespace fs = std::filesystem;

constexpr int kRuns = 50;

std::string lengthUnitOf(int run) {
    char unit[8];
    std::snprintf(unit, sizeof unit, "m%02d", run);
    return unit;
}

// The worked example's record with its length unit (lines 6 and 7) replaced.
std::string recordWithLengthUnit(const std::string& unit) {
    std::string record = expectedData("worked_example_record.txt");
    int replaced = 0;
    for (std::size_t at = record.find(" m\n"); at != std::string::npos;
         at = record.find(" m\n", at + 1)) {
        record.replace(at, 3, " " + unit + "\n");
        ++replaced;
    }
    EXPECT_EQ(replaced, 2);
    return record;
}

TEST(ConcurrentRuns, FiftyRunsLeaveFiftyWholeRecords) {
    TempDir dir;
    std::vector<std::future<RunResult>> runs;
    for (int run = 0; run < kRuns; ++run) {
        const std::string answers = "3 9 2 4 2 0 5 kN/m kN " + lengthUnitOf(run) + "\n";
        runs.push_back(std::async(std::launch::async, [answers, &dir] {
            return runBinary({.input = answers,
                              .workingDirectory = dir.path(),
                              .timeout = std::chrono::milliseconds(120000)});
        }));
    }
    for (auto& run : runs) {
        const RunResult result = run.get();
        EXPECT_TRUE(result.exited);
        EXPECT_EQ(result.exitStatus, 0);
        EXPECT_EQ(result.err, "");
    }

    std::vector<std::string> entries;
    for (const auto& entry : fs::directory_iterator(dir.path()))
        entries.push_back(entry.path().filename().string());
    EXPECT_EQ(entries, std::vector<std::string>{"data-values.dat"});

    // All units have the same length, so every record has the same size.
    const std::string saved = readFile(dir.path() / "data-values.dat");
    const std::size_t recordSize = recordWithLengthUnit(lengthUnitOf(0)).size();
    ASSERT_EQ(saved.size(), recordSize * kRuns);

    std::set<int> seen;
    for (int slot = 0; slot < kRuns; ++slot) {
        const std::string record =
            saved.substr(static_cast<std::size_t>(slot) * recordSize, recordSize);
        const auto lines = splitLines(record);
        ASSERT_EQ(lines.size(), 16u) << "record " << slot + 1;
        // Line 7 ends with the run's length unit.
        const std::string unit(lines[6].substr(lines[6].rfind(' ') + 1));
        int run = -1;
        ASSERT_EQ(std::sscanf(unit.c_str(), "m%d", &run), 1) << visible(lines[6]);
        const std::string expected = recordWithLengthUnit(lengthUnitOf(run));
        EXPECT_TRUE(record == expected)
            << "record " << slot + 1 << ": " << firstDifference(expected, record);
        EXPECT_TRUE(seen.insert(run).second) << "run " << run << " saved twice";
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(kRuns));
}

std::string failedSaveLine(int error) {
    return std::string("parabeam: could not save the record to data-values.dat: ") +
           std::strerror(error) + "\n";
}

// The records of runs that saved nothing yet, the file's size 2,100 bytes.
const std::string kEarlierRecords = std::string(2099, 'r') + "\n";

// Run A may write only part of its record (the file may grow 500 bytes), so
// its save fails; it is held up at one point of its save for a second while
// run B saves in full. B's record must stay whole and A's part must go.
struct Stall : NamedCase {
    std::vector<std::string> straceArguments; // given the record file's path
};

const Stall kStalls[] = {
    {{"BeforeTheCutBack"}, {"-e", "inject=ftruncate:delay_enter=1000000"}},
    {{"AfterThePartialWrite"}, {"-P", "", "-e", "inject=write:delay_exit=1000000:when=1"}},
};

class StalledFailingSave : public ::testing::TestWithParam<Stall> {};

TEST_P(StalledFailingSave, KeepsTheOtherRunsRecordAndNoTornBytes) {
    if (!straceCanInject()) GTEST_SKIP() << "strace cannot inject delays here";
    TempDir dir;
    const fs::path file = dir.path() / "data-values.dat";
    writeFile(file, kEarlierRecords);
    std::vector<std::string> launcher = straceLauncher({"-o", "/dev/null"});
    for (const std::string& argument : GetParam().straceArguments)
        launcher.push_back(argument.empty() ? file.string() : argument);

    auto stalled = std::async(std::launch::async, [&] {
        return runBinary({.input = "1 9 2 4 2 0 5 kN/m kN m\n",
                          .workingDirectory = dir.path(),
                          .fileSizeLimit = kEarlierRecords.size() + 500,
                          .launcher = launcher});
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(400)); // A is held up by now
    const RunResult other =
        runBinary({.input = kWorkedExampleAnswers, .workingDirectory = dir.path()});
    const RunResult failing = stalled.get();

    EXPECT_EQ(other.exitStatus, 0);
    EXPECT_EQ(other.err, "");
    EXPECT_EQ(failing.exitStatus, 0);
    EXPECT_EQ(failing.err, failedSaveLine(EFBIG));
    const std::string expected = kEarlierRecords + expectedData("worked_example_record.txt");
    const std::string saved = readFile(file);
    EXPECT_TRUE(saved == expected) << firstDifference(expected, saved);
}

INSTANTIATE_TEST_SUITE_P(RaceWindows, StalledFailingSave, ::testing::ValuesIn(kStalls),
                         [](const auto& info) { return std::string(info.param.name); });

// Pairs of runs at once, again and again: A may grow the file by 500 bytes
// only, so its save always fails (in part or as a whole); B's always succeeds.
// PARABEAM_STRESS_PAIRS sets how many pairs.
TEST(ConcurrentRuns, PairsOfAFailingAndASucceedingSaveKeepExactlyTheSuccessfulRecords) {
    const char* pairsAsked = std::getenv("PARABEAM_STRESS_PAIRS");
    const int pairs = pairsAsked != nullptr ? std::atoi(pairsAsked) : 100;
    TempDir dir;
    const fs::path file = dir.path() / "data-values.dat";
    writeFile(file, kEarlierRecords);
    std::string expected = kEarlierRecords;
    int failures = 0;
    for (int pair = 0; pair < pairs && failures < 5; ++pair) {
        const std::string unit = lengthUnitOf(pair % 100);
        const std::uint64_t limit = fs::file_size(file) + 500;
        auto failing = std::async(std::launch::async, [&] {
            return runBinary({.input = "1 9 2 4 2 0 5 kN/m kN m\n",
                              .workingDirectory = dir.path(),
                              .fileSizeLimit = limit});
        });
        const RunResult saving = runBinary(
            {.input = "3 9 2 4 2 0 5 kN/m kN " + unit + "\n", .workingDirectory = dir.path()});
        const RunResult failed = failing.get();
        expected += recordWithLengthUnit(unit);
        const bool asExpected = saving.err.empty() && failed.err == failedSaveLine(EFBIG);
        failures += asExpected ? 0 : 1;
        EXPECT_TRUE(asExpected) << "pair " << pair << ": " << visible(saving.err) << " / "
                                << visible(failed.err);
    }
    const std::string saved = readFile(file);
    EXPECT_TRUE(saved == expected) << firstDifference(expected, saved);
}

// The line is composed first, so that one write() takes it out whole.
TEST(FailedSaveLine, GoesOutInOneWrite) {
    if (!straceCanInject()) GTEST_SKIP() << "strace cannot trace here";
    TempDir dir;
    TempDir scratch;
    fs::create_symlink("/dev/full", dir.path() / "data-values.dat");
    const fs::path trace = scratch.path() / "trace";
    const RunResult run =
        runBinary({.input = kWorkedExampleAnswers,
                   .workingDirectory = dir.path(),
                   .launcher = straceLauncher({"-o", trace.string(), "-e", "trace=write,writev"})});
    EXPECT_EQ(run.err, failedSaveLine(ENOSPC));
    const std::string calls = readFile(trace);
    std::size_t writesToStandardError = 0;
    for (const auto line : splitLines(calls))
        writesToStandardError += line.starts_with("write(2,") || line.starts_with("writev(2,");
    EXPECT_EQ(writesToStandardError, 1u) << calls;
}

// Each failing run's line arrives whole where the standard errors of 200 runs
// failing at once meet.
TEST(ConcurrentRuns, TwoHundredFailingRunsWriteTwoHundredWholeLines) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    TempDir dir;
    TempDir shared;
    fs::create_symlink("/dev/full", dir.path() / "data-values.dat");
    const fs::path errors = shared.path() / "errors";
    std::vector<std::future<RunResult>> runs;
    for (int run = 0; run < 200; ++run) {
        runs.push_back(std::async(std::launch::async, [&] {
            return runBinary({.input = kWorkedExampleAnswers,
                              .workingDirectory = dir.path(),
                              .timeout = std::chrono::milliseconds(120000),
                              .errorsAppendedTo = errors});
        }));
    }
    for (auto& run : runs)
        EXPECT_EQ(run.get().exitStatus, 0);
    const std::string written = readFile(errors);
    const auto lines = splitLines(written);
    ASSERT_EQ(lines.size(), 200u);
    for (const auto& line : lines)
        EXPECT_EQ(std::string(line) + "\n", failedSaveLine(ENOSPC));
}

} // namespace side_by_side

} // namespace
} // namespace parabeam::testing
