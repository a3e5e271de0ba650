#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tg::fuzz {

// A property of the code under test that the input broke: says which, and
// aborts, so that libFuzzer keeps the input as a finding.
void require(bool holds, std::string_view property);

// The input of one run, taken apart from the front: a few bytes steer the run,
// the rest is the file under test.
class InputReader {
 public:
  InputReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  // The next byte, 0 once the input is used up.
  std::uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
  std::string_view rest() const {
    return {reinterpret_cast<const char*>(data_) + at_, size_ - at_};
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

}  // namespace tg::fuzz
