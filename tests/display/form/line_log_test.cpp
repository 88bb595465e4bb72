#include "app/quillorn_display/line_log.h"

#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/core/persistent.h"

namespace zu {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs with the given LC_CTYPE and puts the previous one back.
class LocaleScope {
public:
    explicit LocaleScope(const char* name) : m_old(std::setlocale(LC_CTYPE, nullptr)) {
        m_ok = std::setlocale(LC_CTYPE, name) != nullptr;
    }
    ~LocaleScope() { std::setlocale(LC_CTYPE, m_old.c_str()); }
    bool Ok() const { return m_ok; }

private:
    std::string m_old;
    bool m_ok;
};

class LineLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() / ("zu_line_log_" + std::to_string(::getpid()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        m_file = m_dir / "tst.txt";
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(m_dir, fs::perms::owner_all, ec);
        fs::remove_all(m_dir, ec);
    }
    fs::path m_dir;
    fs::path m_file;
};

TEST_F(LineLogTest, CreatesThenAppendsWithCrLf) {
    const std::u16string first[] = {u"ABC", u"DEF"};
    AppendLogLines(m_file.string(), first);
    EXPECT_EQ(ReadFile(m_file), "ABC\r\nDEF\r\n");
    const std::u16string second[] = {u"g h ", u""};
    AppendLogLines(m_file.string(), second);
    EXPECT_EQ(ReadFile(m_file), "ABC\r\nDEF\r\ng h \r\n\r\n");
}

TEST_F(LineLogTest, KeepsNulCharactersAndWritesUtf8InAUtf8Locale) {
    LocaleScope locale("C.UTF-8");
    ASSERT_TRUE(locale.Ok());
    const std::u16string lines[] = {std::u16string(u"a\0b", 3), u"\u00e9\u20ac\U0001F600"};
    AppendLogLines(m_file.string(), lines);
    EXPECT_EQ(ReadFile(m_file), std::string("a\0b\r\n", 5) + "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\r\n");
}

TEST(WideToLocale, ReplacesWhatTheEncodingCannotExpress) {
    {
        LocaleScope locale("C.UTF-8");
        ASSERT_TRUE(locale.Ok());
        // Unpaired surrogates, leading and trailing.
        EXPECT_EQ(WideToLocale(u"x\xD800y\xDC00"), "x?y?");
    }
    LocaleScope locale("C");
    EXPECT_EQ(WideToLocale(u"caf\u00e9 \U0001F600!"), "caf? ?!");
}

TEST_F(LineLogTest, ReportsAFileItCannotOpenAndNeverEmptiesIt) {
    // A log path that runs through a regular file cannot be opened by anyone, root included;
    // the file in the way keeps its bytes.
    { std::ofstream(m_file, std::ios::binary) << "kept\r\n"; }
    const std::u16string lines[] = {u"a", u"b"};
    try {
        AppendLogLines((m_file / "tst.txt").string(), lines);
        FAIL() << "no error";
    } catch (const EzuError& e) {
        EXPECT_STREQ(e.what(), "File not found");
    }
    EXPECT_EQ(ReadFile(m_file), "kept\r\n");
    // A read-only file stops everyone but root, who may write it anyway.
    if (::geteuid() != 0) {
        fs::permissions(m_file, fs::perms::owner_read);
        EXPECT_THROW(AppendLogLines(m_file.string(), lines), EzuError);
        EXPECT_EQ(ReadFile(m_file), "kept\r\n");
    }
}

TEST_F(LineLogTest, ReportsADirectoryInItsPlace) {
    fs::create_directory(m_file);
    const std::u16string lines[] = {u"a", u"b"};
    try {
        AppendLogLines(m_file.string(), lines);
        FAIL() << "no error";
    } catch (const EzuError& e) {
        EXPECT_STREQ(e.what(), "File access denied");
    }
    EXPECT_TRUE(fs::is_directory(m_file));
}

TEST_F(LineLogTest, WritesOnlyRegularFilesAndNeverBlocks) {
    const std::u16string lines[] = {u"a", u"b"};
    // A FIFO without a reader, and a device: refused at once, nothing written.
    ASSERT_EQ(::mkfifo(m_file.c_str(), 0600), 0);
    for (const std::string& name : {m_file.string(), std::string("/dev/full")}) {
        try {
            AppendLogLines(name, lines);
            ADD_FAILURE() << "no error for " << name;
        } catch (const EzuError& e) {
            EXPECT_EQ(e.what(), name + " is not a regular file");
        }
    }
    EXPECT_TRUE(fs::is_fifo(m_file));
    // A FIFO that has a reader is no log either.
    const int reader = ::open(m_file.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_THROW(AppendLogLines(m_file.string(), lines), EzuError);
    char buffer[8];
    EXPECT_LE(::read(reader, buffer, sizeof buffer), 0);
    ::close(reader);
    // A symbolic link to a regular file is followed and the file appended to.
    fs::remove(m_file);
    std::ofstream(m_dir / "real.txt") << "kept\r\n";
    fs::create_symlink(m_dir / "real.txt", m_file);
    AppendLogLines(m_file.string(), lines);
    EXPECT_EQ(ReadFile(m_dir / "real.txt"), "kept\r\na\r\nb\r\n");
}

TEST(IoErrorText, NamesCommonErrorsAndNumbersTheRest) {
    EXPECT_EQ(IoErrorText(EACCES), "File access denied");
    EXPECT_EQ(IoErrorText(ENOENT), "File not found");
    EXPECT_EQ(IoErrorText(ENOTDIR), "File not found");
    EXPECT_EQ(IoErrorText(ENOSPC), "Disk full");
    EXPECT_EQ(IoErrorText(EIO), "I/O error " + std::to_string(EIO));
}

}  // namespace
}  // namespace zu
