#include "ByteReader.h"

#include "bass.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tarvo::engine {

std::unique_ptr<ByteReader> ByteReader::open(const Source& source, int& error) {
    std::unique_ptr<ByteReader> r(new ByteReader());
    if (source.inMemory) {
        if (!source.data || source.length == 0) {
            error = BASS_ERROR_ILLPARAM;
            return nullptr;
        }
        r->mem_ = source.data;
        r->start_ = source.offset;
        r->size_ = source.length;
    } else {
        r->fd_ = ::open(source.path.c_str(), O_RDONLY | O_CLOEXEC);
        if (r->fd_ < 0) {
            error = BASS_ERROR_FILEOPEN;
            return nullptr;
        }
        struct stat st {};
        if (::fstat(r->fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
            error = BASS_ERROR_FILEOPEN; // a directory, a device, ...
            return nullptr;
        }
        const auto fileSize = static_cast<uint64_t>(st.st_size);
        if (source.offset > fileSize) {
            error = BASS_ERROR_ILLPARAM;
            return nullptr;
        }
        r->start_ = source.offset;
        r->size_ = fileSize - source.offset;
        if (source.length != 0) {
            r->size_ = std::min(r->size_, source.length);
        }
    }
    if (r->size_ == 0) {
        error = BASS_ERROR_FILEFORM;
        return nullptr;
    }
    return r;
}

ByteReader::~ByteReader() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

int64_t ByteReader::readAt(uint64_t at, void* buffer, size_t n) const {
    if (at >= size_) {
        return 0;
    }
    n = static_cast<size_t>(std::min<uint64_t>(n, size_ - at));
    if (mem_) {
        std::memcpy(buffer, mem_ + start_ + at, n);
        return static_cast<int64_t>(n);
    }
    ssize_t got;
    do {
        got = ::pread(fd_, buffer, n, static_cast<off_t>(start_ + at));
    } while (got < 0 && errno == EINTR);
    return got < 0 ? -1 : static_cast<int64_t>(got);
}

int64_t ByteReader::read(void* buffer, size_t n) {
    const int64_t got = readAt(pos_, buffer, n);
    if (got > 0) {
        pos_ += static_cast<uint64_t>(got);
    }
    return got;
}

int64_t ByteReader::seek(int64_t offset, int whence) {
    int64_t target;
    switch (whence) {
    case SEEK_SET:
        target = offset;
        break;
    case SEEK_CUR:
        target = static_cast<int64_t>(pos_) + offset;
        break;
    case SEEK_END:
        target = static_cast<int64_t>(size_) + offset;
        break;
    default:
        return -1;
    }
    if (target < 0) {
        return -1;
    }
    pos_ = static_cast<uint64_t>(target);
    return target;
}

} // namespace tarvo::engine
