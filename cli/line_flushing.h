#pragma once
#include <cstddef>
#include <streambuf>

namespace lw::cli {

// Hands each complete line on to the stream below at once. A stop signal
// ends the companion without unwinding, and whatever the C library still
// held for a pipe or a file was lost with it: a script learns of every
// configuration made up to the signal, not of all but the last hundred.
// Text written in one piece with many lines (a sheet) is handed on in one.
class LineFlushingBuffer : public std::streambuf {
public:
  explicit LineFlushingBuffer(std::streambuf* below) : below_(below) {}

protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return sync() == 0 ? traits_type::not_eof(c) : c;
    char ch = traits_type::to_char_type(c);
    if (traits_type::eq_int_type(below_->sputc(ch), traits_type::eof())) return traits_type::eof();
    return ch == '\n' && sync() != 0 ? traits_type::eof() : c;
  }
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    std::streamsize done = below_->sputn(s, n);
    if (traits_type::find(s, static_cast<std::size_t>(done), '\n') != nullptr && sync() != 0) return 0;
    return done;
  }
  int sync() override { return below_->pubsync(); }

private:
  std::streambuf* below_;
};

} // namespace lw::cli
