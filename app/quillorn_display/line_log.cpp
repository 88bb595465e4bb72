#include "app/quillorn_display/line_log.h"

#include <cerrno>
#include <climits>
#include <cwchar>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/core/persistent.h"

namespace zu {

std::string WideToLocale(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    std::mbstate_t state{};
    char buffer[MB_LEN_MAX];
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            out += '?';
            continue;
        }
        const size_t n = std::wcrtomb(buffer, static_cast<wchar_t>(c), &state);
        if (n == static_cast<size_t>(-1)) {
            out += '?';
            state = {};
        } else {
            out.append(buffer, n);
        }
    }
    return out;
}

std::string IoErrorText(int error) {
    switch (error) {
        // A path through a regular file names no file that could be there.
        case ENOENT:
        case ENOTDIR: return "File not found";
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR: return "File access denied";
        case ENOSPC:
        case EDQUOT: return "Disk full";
        default: return "I/O error " + std::to_string(error);
    }
}

namespace {

[[noreturn]] void RaiseIoError(int error) { throw EzuError(IoErrorText(error)); }

void WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            RaiseIoError(error);
        }
        done += static_cast<size_t>(n);
    }
}

}  // namespace

void AppendLogLines(const std::string& fileName, std::span<const std::u16string> lines) {
    // Create only when missing: a file that exists but cannot be opened for appending is
    // reported, never emptied, so no earlier lines are lost. Opening never blocks (a FIFO
    // without a reader would hold the display forever), and only a regular file, perhaps
    // behind a symbolic link, is written: a FIFO or a device in its place is reported.
    const int fd =
        ::open(fileName.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0666);
    if (fd < 0) {
        if (errno == ENXIO) throw EzuError(fileName + " is not a regular file");  // a FIFO with no reader
        RaiseIoError(errno);
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw EzuError(fileName + " is not a regular file");
    }
    for (const std::u16string& line : lines) {
        WriteAll(fd, WideToLocale(line) + "\r\n");
    }
    if (::close(fd) != 0 && errno != EINTR) RaiseIoError(errno);
}

}  // namespace zu
