// Reads a log file as text, plain or gzip-compressed: the file's first bytes tell, never its name.
#include "read/log_input.h"

#include <zlib.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace {

constexpr std::size_t kChunkBytes = 64 * 1024;
constexpr unsigned char kGzipMagic[2] = {0x1f, 0x8b};
// Window bits that make zlib read a gzip header and trailer around the deflated data.
constexpr int kGzipWindowBits = 16 + MAX_WBITS;

std::string systemReason(int error) { return error != 0 ? std::strerror(error) : "read error"; }

}  // namespace

LogInput::LogInput() = default;

LogInput::~LogInput() { close(); }

void LogInput::close() {
  if (zip_) inflateEnd(zip_.get());
  zip_.reset();
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  zipEnded_ = false;
  error_.clear();
  textBegin_ = textEnd_ = 0;
  textEnded_ = false;
  linesEnd_ = 0;
}

bool LogInput::open(const char* path) {
  close();
  errno = 0;
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) {
    error_ = systemReason(errno);
    return false;
  }
  return openStream(file);
}

bool LogInput::openStream(std::FILE* file) {
  close();
  file_ = file;
  if (!packed_) packed_.reset(new unsigned char[kChunkBytes]);
  if (!text_) text_.reset(new char[kChunkBytes]);
  errno = 0;
  const std::size_t n = std::fread(packed_.get(), 1, kChunkBytes, file_);
  if (n == 0 && std::ferror(file_)) return fail(systemReason(errno));
  if (n >= 2 && packed_[0] == kGzipMagic[0] && packed_[1] == kGzipMagic[1]) {
    zip_.reset(new z_stream_s{});
    if (inflateInit2(zip_.get(), kGzipWindowBits) != Z_OK) {
      zip_.reset();
      return fail("not enough memory to decompress");
    }
    zip_->next_in = packed_.get();
    zip_->avail_in = static_cast<uInt>(n);
    return true;
  }
  // A plain file: what was read to look at its start is the start of its text.
  std::memcpy(text_.get(), packed_.get(), n);
  textEnd_ = n;
  return true;
}

bool LogInput::fail(std::string reason) {
  close();
  error_ = std::move(reason);
  return false;
}

std::size_t LogInput::read(char* buffer, std::size_t size) {
  if (file_ == nullptr || failed() || size == 0) return 0;
  // Text the line reader had read ahead comes first.
  if (textBegin_ < textEnd_) {
    const std::size_t n = textEnd_ - textBegin_ < size ? textEnd_ - textBegin_ : size;
    std::memcpy(buffer, text_.get() + textBegin_, n);
    textBegin_ += n;
    return n;
  }
  return zip_ ? inflateInto(buffer, size) : readRaw(buffer, size);
}

std::size_t LogInput::readRaw(char* buffer, std::size_t size) {
  errno = 0;
  const std::size_t n = std::fread(buffer, 1, size, file_);
  if (n == 0 && std::ferror(file_)) error_ = systemReason(errno);
  return n;
}

std::size_t LogInput::inflateInto(char* buffer, std::size_t size) {
  z_stream_s& z = *zip_;
  z.next_out = reinterpret_cast<unsigned char*>(buffer);
  z.avail_out = static_cast<uInt>(size < kChunkBytes ? size : kChunkBytes);
  const uInt wanted = z.avail_out;
  while (z.avail_out > 0 && !zipEnded_) {
    if (z.avail_in == 0) {
      errno = 0;
      const std::size_t n = std::fread(packed_.get(), 1, kChunkBytes, file_);
      if (n == 0) {
        error_ = std::ferror(file_) ? systemReason(errno) : "the compressed data ends early (a truncated file)";
        break;
      }
      z.next_in = packed_.get();
      z.avail_in = static_cast<uInt>(n);
    }
    const int rc = inflate(&z, Z_NO_FLUSH);
    if (rc == Z_STREAM_END) {
      // gzip allows several members one after the other (files joined with cat).
      if (z.avail_in == 0) {
        errno = 0;
        const std::size_t n = std::fread(packed_.get(), 1, kChunkBytes, file_);
        if (n == 0) {
          if (std::ferror(file_)) error_ = systemReason(errno);
          zipEnded_ = true;
          break;
        }
        z.next_in = packed_.get();
        z.avail_in = static_cast<uInt>(n);
      }
      inflateReset(&z);
    } else if (rc != Z_OK && (rc != Z_BUF_ERROR || z.avail_in > 0)) {
      // Z_BUF_ERROR with input left would make no progress: no valid stream stops that way.
      error_ = "the compressed data is corrupt";
      if (z.msg != nullptr) error_.append(" (").append(z.msg).append(")");
      break;
    }
  }
  return wanted - z.avail_out;
}

bool LogInput::fillLineBuffer() {
  if (textEnded_) return false;
  textBegin_ = 0;
  textEnd_ = zip_ ? inflateInto(text_.get(), kChunkBytes) : readRaw(text_.get(), kChunkBytes);
  if (textEnd_ == 0) textEnded_ = true;
  return textEnd_ > 0 && !failed();
}

bool LogInput::readLine(std::string_view& line) {
  if (file_ == nullptr || failed()) return false;
  std::size_t kept = 0;
  bool any = false;
  for (;;) {
    if (textBegin_ == textEnd_ && !fillLineBuffer()) {
      if (failed() || !any) return false;
      break;
    }
    any = true;
    const char* start = text_.get() + textBegin_;
    const std::size_t available = textEnd_ - textBegin_;
    const char* newline = static_cast<const char*>(std::memchr(start, '\n', available));
    const std::size_t length = newline != nullptr ? static_cast<std::size_t>(newline - start) : available;
    const std::size_t room = kLineBytes - 1 - kept;
    const std::size_t copied = length < room ? length : room;
    std::memcpy(line_ + kept, start, copied);
    kept += copied;
    const std::size_t taken = newline != nullptr ? length + 1 : length;
    textBegin_ += taken;
    linesEnd_ += taken;
    if (newline != nullptr) break;
  }
  const char* nul = static_cast<const char*>(std::memchr(line_, '\0', kept));
  if (nul != nullptr) kept = static_cast<std::size_t>(nul - line_);
  if (kept > 0 && line_[kept - 1] == '\r') --kept;
  line = std::string_view(line_, kept);
  return true;
}
